// Requests far larger than any real client makes: they are served when the
// server can carry the answer back in one bus message, and refused with
// error 7 before anything is allocated when it cannot.
#include "ObjectModelFixture.h"
#include "automation/AutomationDate.h"
#include "automation/Dispatcher.h"
#include "automation/HResult.h"
#include "remoting/common/ObjectPathMap.h"
#include "qtwire/ValueEncoder.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "typelib/TypeLibrary.h"
#include "session/Data.h"
#include "tags/HistorySynthesis.h"
#include "tags/TagDefinition.h"
#include "tags/Tags.h"

#include <vector>

namespace {

using namespace corvane;
using namespace corvane::testing;
using namespace corvane::automation;

// Paths for the one or two objects a reply here carries.
class NumberedObjects final : public remoting::ObjectPathMap {
public:
    QString pathOf(Object&) override { return QStringLiteral("/huge/%1").arg(++count_); }
    Ref<Object> objectAt(const QString&) override { return {}; }

private:
    int count_ = 0;
};

class HugeRequest : public ObjectModelFixture {
protected:
    HugeRequest() { console.sineWave = 0; }

    InvokeOutcome call(DispatchObject& target, std::u16string_view name, std::uint16_t flags, std::vector<Variant> args)
    {
        arguments = std::move(args);
        for (const MemberDescription& m : target.dispatchBinding().description.members)
            if (m.name == name) return dispatch::invoke(target, m.id, flags, arguments, {}, *regional);
        ADD_FAILURE() << "no member " << utf8(name);
        return {};
    }

    // The window for a history of exactly `samples` samples 15 seconds apart.
    void windowFor(std::int64_t samples)
    {
        const double start = date::fromLocal({2000, 1, 1, 0, 0, 0});
        session->setStartTime(Variant::date(start));
        session->setEndTime(Variant::date(date::addSeconds(start, (samples - 1) * 15)));
        session->setSampleFrequency(15);
    }

    // UnpackResults through the dispatcher, as a client calls it.
    InvokeOutcome unpack()
    {
        return call(*tag, u"UnpackResults", kInvokeMethod,
                    {Variant::referenceToVariant(values), Variant::referenceToVariant(stamps),
                     Variant::referenceToVariant(confidences)});
    }

    // The size of the reply that carries `replyValues` back, or a failure when the bus cannot carry it.
    std::size_t replyBytes(const std::vector<Variant>& replyValues)
    {
        remoting::WireBudget budget;
        remoting::ValueEncoder(objects, budget).encodedList(replyValues);
        return budget.spent();
    }

    NumberedObjects objects;
    std::vector<Variant> arguments;
    Ref<Data> session = Data::Create(process);
    Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    Variant values{u"untouched"}, stamps{u"untouched"}, confidences{u"untouched"};
};

TEST_F(HugeRequest, AddingATagNamedByAMillionCharactersWorks)
{
    std::u16string name(1'000'000, u'x');
    name.replace(0, 4, u"01TT");
    Variant text(name);
    const InvokeOutcome added = call(*session->Tags(), u"Add", kInvokeMethod, {Variant::reference(text)});
    ASSERT_EQ(added.hresult, hresult::kOk);
    const Ref<Tag> big = refCast<Tag>(added.result.object());
    ASSERT_TRUE(big);
    EXPECT_EQ(big->TagName(), name);
    EXPECT_EQ(big->Units(), u"deg C");
    EXPECT_EQ(big->PV(), -999.0f);  // not in the tag table
    EXPECT_EQ(console.gridData.rows(), 3);
    EXPECT_LT(replyBytes({Variant(big->TagName()), Variant(big->TagDefinition()->Description())}),
              remoting::WireBudget::kMaxMessageBytes);

    // Found again under the same key, letter case ignored, and removed by it.
    std::u16string upper = name;
    upper[5] = u'X';
    EXPECT_EQ(session->Tags()->Item(Variant(upper)), big);
    EXPECT_EQ(call(*session->Tags(), u"Remove", kInvokeMethod, {Variant(name)}).hresult, hresult::kOk);
    EXPECT_EQ(session->Tags()->Count(), 1);
    EXPECT_EQ(console.gridData.rows(), 2);
}

TEST_F(HugeRequest, HistoryOfTheLargestSampleCountFitsOneBusReply)
{
    windowFor(kMaxHistorySamples);
    ASSERT_EQ(unpack().hresult, hresult::kOk);
    ASSERT_EQ(values.array()->size(), std::size_t(kMaxHistorySamples));
    // The reply returns the three arrays through the by-reference arguments.
    const std::size_t bytes = replyBytes({values, stamps, confidences});
    EXPECT_LE(bytes, remoting::WireBudget::kMaxMessageBytes);
    RecordProperty("replyBytes", std::to_string(bytes));
}

TEST_F(HugeRequest, HistoryOfOneSampleMoreIsOutOfMemoryBeforeAnythingIsAllocated)
{
    windowFor(std::int64_t{kMaxHistorySamples} + 1);
    const InvokeOutcome refused = unpack();
    ASSERT_EQ(refused.hresult, hresult::kException);
    EXPECT_EQ(refused.exception.code, hresult::fromErrorNumber(error::kOutOfMemory));
    EXPECT_EQ(refused.exception.description, u"Out of memory");
    EXPECT_EQ(values, Variant(u"untouched"));
    EXPECT_EQ(console.text(Control::labelNumSamples), u"7000001");
}

TEST_F(HugeRequest, HistoryTooLargeForMemoryIsOutOfMemoryToo)
{
    // 68 years at 15 seconds: 143 million samples, 2 GB of arrays.
    windowFor(std::int64_t{std::numeric_limits<std::int32_t>::max()} / 15);
    const InvokeOutcome refused = unpack();
    ASSERT_EQ(refused.hresult, hresult::kException);
    EXPECT_EQ(refused.exception.code, hresult::fromErrorNumber(error::kOutOfMemory));
    EXPECT_EQ(values, Variant(u"untouched"));
    // The tag and its session serve on.
    EXPECT_EQ(call(*tag, u"PV", kInvokePropertyGet, {}).result, Variant(42.5f));
}

}  // namespace
