// Failures as the caller sees them: the member's error with its code, source
// and description; the dispatch rules' codes; the server gone.
#include "ClientBusFixture.h"

#include "corvanesim/Data.h"
#include "corvanesim/RemoteError.h"

#include "automation/HResult.h"

#include <QTemporaryDir>

using namespace corvane::client;
using corvane::automation::Variant;
namespace ah = corvane::automation::hresult;

namespace {

using ClientErrors = corvane::client::test::ClientBusFixture;

template <class Call>
RemoteError errorOf(Call&& call)
{
    try {
        call();
    } catch (const RemoteError& error) {
        return error;
    }
    ADD_FAILURE() << "the call did not fail";
    return RemoteError(0, u"");
}

TEST_F(ClientErrors, AMembersErrorArrivesWithItsCodeSourceAndDescription)
{
    const Tags tags = Data::create(*connection).tags();
    const RemoteError error = errorOf([&] { tags.item(Variant(std::int32_t{7})); });
    EXPECT_EQ(error.code(), ah::fromErrorNumber(9));
    EXPECT_EQ(error.description(), u"Subscript out of range");
    EXPECT_EQ(error.source(), u"CorvaneSim");
    EXPECT_STREQ(error.what(), "0x800A0009 Subscript out of range");
}

TEST_F(ClientErrors, TheDispatchRulesRefuseWithTheirCodesAndTheRefusedArgument)
{
    const Tags tags = Data::create(*connection).tags();
    EXPECT_EQ(errorOf([&] { tags.object().put("Count", Variant(std::int32_t{3})); }).code(), ah::kMemberNotFound);
    EXPECT_EQ(errorOf([&] { tags.object().get("Cuont"); }).code(), ah::kUnknownName);

    Variant name(u"TIC101.PV");
    const RemoteError mismatch = errorOf([&] { tags.object().call("Add", {Variant::referenceToVariant(name)}); });
    EXPECT_EQ(mismatch.code(), ah::kTypeMismatch);
    EXPECT_EQ(mismatch.argumentIndex(), 0u);
    EXPECT_EQ(tags.count(), 0);

    EXPECT_EQ(errorOf([&] { ObjectRef().get("Count"); }).code(), ah::fromErrorNumber(91));
}

TEST_F(ClientErrors, AnArgumentTheBusCannotCarryIsRefusedBeforeSending)
{
    const Tags tags = Data::create(*connection).tags();
    EXPECT_EQ(errorOf([&] { tags.add(std::u16string(u"TIC") + u'\0' + u"101"); }).code(), hresult::kInvalidArgument);
    EXPECT_EQ(tags.count(), 0);
}

TEST_F(ClientErrors, CallsOnAServerThatHasGoneAreDisconnectedAndStartNoNewServer)
{
    std::optional<Data> data = Data::create(*connection);
    const Tags tags = data->tags();
    bus->killOwner(QStringLiteral("org.corvane.CorvaneSim"));

    const RemoteError error = errorOf([&] { tags.count(); });
    EXPECT_EQ(error.code(), hresult::kDisconnected);
    EXPECT_EQ(errorOf([&] { data->fetch(); }).code(), hresult::kDisconnected);
    data.reset();  // its release goes nowhere, quietly
    // The calls went to the process that made the objects, never to a new one.
    EXPECT_FALSE(serverRunning());

    // A new creation starts a new server.
    EXPECT_EQ(Data::create(*connection).tags().count(), 0);
}

TEST_F(ClientErrors, AClassTheServerDoesNotOfferIsNotRegistered)
{
    EXPECT_EQ(errorOf([&] { connection->create("CorvaneSim.Tags"); }).code(), hresult::kClassNotRegistered);
}

TEST(ClientWithoutServer, CreatingWithNoServiceOnTheBusIsClassNotRegistered)
{
    const QTemporaryDir noServices;
    corvane::remoting::test::PrivateBus bus(noServices.path());
    ASSERT_TRUE(bus.running());
    const Connection connection = Connection::toBus(bus.address().toStdString());
    EXPECT_EQ(errorOf([&] { connection.create("CorvaneSim.Data"); }).code(), hresult::kClassNotRegistered);
}

TEST(ClientWithoutServer, ABusThatIsNotThereIsServerUnavailable)
{
    EXPECT_EQ(errorOf([] { Connection::toBus("unix:path=/nonexistent/corvane-bus"); }).code(),
              hresult::kServerUnavailable);
}

}  // namespace
