// Calls by name: identifiers found in any letter case, asked for once per
// interface, and by-reference arguments written back.
#include "ClientBusFixture.h"

#include "corvanesim/Data.h"
#include "corvanesim/RemoteError.h"

#include "remoting/client/BusTransport.h"

#include "automation/HResult.h"

#include <QUuid>

using namespace corvane::client;
using corvane::automation::Variant;

namespace {

using CallsByName = corvane::client::test::ClientBusFixture;

// Counts the calls of each method that pass through.
class CountingTransport final : public Transport {
public:
    CountingTransport(std::unique_ptr<Transport> inner, std::map<QString, int>& counts)
        : inner_(std::move(inner)), counts_(counts)
    {
    }
    corvane::remoting::BusMessage newCall(const QString& destination, const QString& path, const char* interface,
                                          const char* member) override
    {
        return inner_->newCall(destination, path, interface, member);
    }
    CallReply call(corvane::remoting::BusMessage& call, int timeoutMs) override
    {
        ++counts_[QString::fromUtf8(call.member().data(), qsizetype(call.member().size()))];
        return inner_->call(call, timeoutMs);
    }
    QString serviceName() const override { return inner_->serviceName(); }

private:
    std::unique_ptr<Transport> inner_;
    std::map<QString, int>& counts_;
};

TEST_F(CallsByName, NamesAreFoundInAnyLetterCaseAndAskedForOncePerInterface)
{
    std::map<QString, int> calls;
    const Connection counted(std::make_unique<CountingTransport>(BusTransport::toAddress(bus->address().toStdString()), calls));
    const ObjectRef data = counted.create("corvanesim.data");
    const ObjectRef tags = ObjectRef::from(data.get("TAGS"));
    tags.call("add", {Variant(u"TIC101.PV")});
    tags.call("Add", {Variant(u"FIC101.PV")});
    EXPECT_EQ(tags.get("count"), Variant(std::int32_t{2}));

    // A second session's Tags is the same interface: no new lookups.
    const ObjectRef otherTags = ObjectRef::from(counted.create("CorvaneSim.Data").get("Tags"));
    EXPECT_EQ(otherTags.get("Count"), Variant(std::int32_t{0}));
    EXPECT_EQ(calls[QStringLiteral("GetIDsOfNames")], 3);  // Tags, Add, Count
    EXPECT_EQ(calls[QStringLiteral("GetTypeInfo")], 0);    // the type library names both interfaces

    data.put("HostName", Variant(u"plant"));
    EXPECT_EQ(data.get("hostname"), Variant(u"plant"));
}

TEST_F(CallsByName, AnObjectOfUnknownInterfaceIsAskedItsInterfaceOnce)
{
    const Tags tags = Data::create(*connection).tags();
    tags.add(u"TIC101.PV");
    for (const Variant& item : tags.object().enumerate()) {
        const ObjectRef tag = ObjectRef::from(item);
        EXPECT_EQ(tag.get("TagName"), Variant(u"TIC101.PV"));
        EXPECT_EQ(tag.get("PV"), Variant(65.3f));
    }
}

TEST_F(CallsByName, ByReferenceArgumentsReceiveWhatTheMemberLeftThere)
{
    const Data data = Data::create(*connection);
    data.object().put("SampleFrequency", Variant(std::int32_t{60}));
    data.object().put("StartTime", Variant::date(46362.0));
    data.object().put("EndTime", Variant::date(46362.0 + 1.0 / 1440.0));
    const ObjectRef tag = ObjectRef::from(data.tags().object().call("Add", {Variant(u"TIC101.PV")}));

    Variant values, timestamps, confidences;
    tag.call("UnpackResults", {Variant::referenceToVariant(values), Variant::referenceToVariant(timestamps),
                               Variant::referenceToVariant(confidences)});
    EXPECT_EQ(values.array()->size(), 2u);
    EXPECT_EQ(confidences.array()->elements<std::int16_t>(), (std::vector<std::int16_t>{100, 100}));

    // A typed reference keeps its type; the member leaves the text as it was.
    std::u16string unchanged = u"FIC101.PV";
    Variant name(unchanged);
    tag.call("Define", {Variant::reference(name)});
    EXPECT_EQ(name, Variant(unchanged));
    EXPECT_EQ(tag.get("TagName"), Variant(unchanged));
}

}  // namespace
