#include "ServerScene.h"

#include "server/GridEditCommit.h"

#include <string>

namespace corvane::fuzz {
namespace {

using automation::Variant;

constexpr char16_t kExecutableFolder[] = u"/opt/corvane";
constexpr char16_t kDatabasePath[] = u"/opt/corvane/Corvane.mdb";

// Texts the operator may leave in the period and time-error boxes.
constexpr const char16_t* kBoxTexts[] = {u"0", u"1234", u"90", u"-60", u"2.5", u"abc", u"", u"1e10", u"86400",
                                         u"-2147483648", u"2147483647", u"1,5"};

const automation::RegionalSettings& pickRegional(FuzzInput& in)
{
    return in.flag() ? automation::FixedRegionalSettings::german() : automation::FixedRegionalSettings::english();
}

automation::LocalDateTime pickNow(FuzzInput& in)
{
    switch (in.below(4)) {
    case 0: return {100, 1, 1, 0, 0, 0};
    case 1: return {9999, 12, 31, 23, 59, 59};
    default: return {2026, 12, 6, 10, 0, 0};
    }
}

std::u16string boxText(FuzzInput& in)
{
    return in.flag() ? std::u16string(kBoxTexts[in.below(std::size(kBoxTexts))]) : in.text(12);
}

}  // namespace

ServerScene::ServerScene(FuzzInput& in)
    : clock(pickNow(in)), regional(pickRegional(in)), tagStore(dataLayer, kExecutableFolder, regional),
      process(console, tagStore, clock, regional)
{
    const std::uint8_t settings = in.byte();
    console.sineWave = settings % 3;
    console.dataWindowShown = (settings & 0x04) != 0;
    console.setText(Control::txtPeriod, boxText(in));
    console.setText(Control::txtTimeError, boxText(in));

    switch (in.below(4)) {
    case 0: break;  // no database beside the executable: the first creation fails
    case 1:
        // A row that breaks the load (a Null, a duplicate name): the failure
        // leaves the store failed for the rest of the process.
        dataLayer.putTagTable(kDatabasePath, {{Variant(u"TIC101.PV"), Variant(42.5), Variant(95)},
                                              {Variant(u"tic101.pv"), Variant::null(), Variant(1)}});
        break;
    default:
        dataLayer.putTagTable(kDatabasePath, {{Variant(u"TIC101.PV"), Variant(42.5), Variant(95)},
                                              {Variant(u"10PT101"), Variant(3.25), Variant(100)},
                                              {Variant(u"01LIC7"), Variant(-999.0), Variant(80)},
                                              {Variant(u"1"), Variant(3.4e38), Variant(2.5)}});
        break;
    }
}

void ServerScene::operatorStep(FuzzInput& in)
{
    switch (in.below(5)) {
    case 0: console.sineWave = static_cast<int>(in.below(3)); break;
    case 1: console.dataWindowShown = in.flag(); break;
    case 2: console.setText(Control::txtPeriod, boxText(in)); break;
    case 3: console.setText(Control::txtTimeError, boxText(in)); break;
    default: {
        // An edit committed in the grid, anywhere in it.
        const auto row = static_cast<std::int32_t>(in.below(6)) - 1;
        const auto column = static_cast<std::int32_t>(in.below(4)) - 1;
        GridEditCommit(process).gridEditCommitted(row, column, boxText(in));
        break;
    }
    }
}

}  // namespace corvane::fuzz
