// Every case of the shared tables made through the operator's interface on
// the bus, against the real server, seen by a client of the object model:
// the same outcomes as the operator's keys and clicks on the window.
#include "OperatorBusFixture.h"

#include "corvanesim/RemoteError.h"

using namespace corvane;
using namespace corvane::operator_test;

namespace {

using SharedCasesOverTheBus = OperatorBusFixture;

// TIC101.PV in the sample tag database.
constexpr float kValue = 65.3f;
constexpr int kConfidence = 100;

TEST_F(SharedCasesOverTheBus, EveryGridEditHasTheEffectOfTheOperatorsEdit)
{
    for (const GridEditCase& edit : gridEditCases()) {
        SCOPED_TRACE(edit.name);
        // A session of its own, so that each case starts from the tag database.
        const Session session = newSessionWith(u"TIC101.PV");
        controls->editCell(session.row, edit.column, edit.typed);
        const std::string cell = controls->gridRows().at(std::size_t(session.row)).at(std::size_t(edit.column));
        expectEdited(edit, cell, {session.tag.pv(), session.tag.confidence()}, {kValue, kConfidence});
    }
}

TEST_F(SharedCasesOverTheBus, EverySettingHasTheEffectOfTheOperatorsSetting)
{
    const Session session = newSessionWith(u"TIC101.PV");
    for (const SettingsCase& settings : settingsCases()) {
        SCOPED_TRACE(settings.name);
        controls->setSineWave(settings.sineWave);
        controls->setPeriod(settings.period);
        controls->setTimeError(settings.timeError);
        HistorySeen seen;
        try {
            client::History history = session.tag.unpackResults();
            seen.values = std::move(history.values);
            seen.timestamps = std::move(history.timestamps);
        } catch (const client::RemoteError& error) {
            seen.errorNumber = error.code() & 0xFFFF;
        }
        for (const auto& [name, text] : controls->labels())
            if (name == "txtTimeError") seen.timeErrorShown = text;
        expectHistory(settings, seen, kValue);
    }
}

}  // namespace
