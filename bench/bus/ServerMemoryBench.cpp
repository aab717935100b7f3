// The server's memory end to end, each run on a server of its own, read as
// its resident size: per tag with 100,000 tags in one session (each with its
// grid row and the registry's entry for the Tag handed out), and over
// 100,000 cycles in which one client creates a Data, adds ten tags, empties
// the grid and releases everything. The cycles are sent as a client in a
// hurry would: the calls whose answers it needs wait for them, the adds go
// out together, and the releases expect no reply.
#include "BusBench.h"
#include "ProcessUsage.h"
#include "RemoteObjects.h"

#include "corvanesim/Data.h"

#include "automation/NumberText.h"
#include "remoting/common/BusContract.h"
#include "qtwire/ValueEncoder.h"
#include "remoting/common/WireBudget.h"

#include <QDBusPendingCall>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using corvane::automation::Variant;
using corvane::bench::objectInInvokeReply;
using corvane::bench::ServerOnItsOwnBus;
using corvane::bench::usageOf;
namespace contract = corvane::remoting::contract;

std::uint64_t residentBytes(quint32 server) { return usageOf(pid_t(server)).residentBytes; }

void ServerMemoryPerTag(benchmark::State& state)
{
    for (auto _ : state) {
        ServerOnItsOwnBus server;
        if (!server.ready()) {
            state.SkipWithError("no server");
            break;
        }
        const corvane::client::Tags tags = corvane::client::Data::create(*server.library).tags();
        const std::uint64_t before = residentBytes(server.pid);
        for (std::int64_t i = 0; i < state.range(0); ++i)
            tags.add(u"01TIC" + corvane::automation::number::formatInteger(i) + u".PV");
        const std::uint64_t after = residentBytes(server.pid);
        state.counters["bytes_per_tag"] = double(after - before) / double(state.range(0));
    }
}
BENCHMARK(ServerMemoryPerTag)->Arg(100000)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A client of the raw contract on the direct connection of the server.
class RawPeer {
public:
    explicit RawPeer(const QString& busAddress)
    {
        QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QStringLiteral("bench-cycles-bus"));
        const QDBusMessage address = bus.call(QDBusMessage::createMethodCall(
            QLatin1StringView(contract::kServiceName), QLatin1StringView(contract::kRootPath),
            QLatin1StringView(contract::kDirectConnectionInterface), QStringLiteral("Address")));
        QDBusConnection::disconnectFromBus(bus.name());
        peer_ = QDBusConnection::connectToPeer(address.arguments().value(0).toString(), QStringLiteral("bench-cycles-peer"));
    }
    ~RawPeer() { QDBusConnection::disconnectFromPeer(peer_.name()); }

    bool connected() const { return peer_.isConnected(); }

    QDBusMessage invoke(const QString& path, qint32 id, quint16 flags, const std::vector<Variant>& args = {}) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QString(), path, QLatin1StringView(contract::kDispatchInterface),
                                                           QStringLiteral("Invoke"));
        corvane::remoting::WireBudget budget;
        corvane::remoting::test::RemoteObjects none;
        call.setArguments({id, QVariant::fromValue(flags), corvane::remoting::ValueEncoder(none, budget).encodedList(args),
                           QVariant::fromValue(QList<int>{})});
        return call;
    }
    QDBusMessage call(const QDBusMessage& message) const { return peer_.call(message, QDBus::Block, 60000); }
    QDBusPendingCall callLater(const QDBusMessage& message) const { return peer_.asyncCall(message, 60000); }
    // No reply expected: the release is in the server's queue, ahead of the next call.
    void send(const QDBusMessage& message) const { peer_.send(message); }
    void release(const QString& path) const
    {
        send(QDBusMessage::createMethodCall(QString(), path, QLatin1StringView(contract::kObjectInterface),
                                            QStringLiteral("Release")));
    }
    QString create(const QString& classId) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(QString(), QLatin1StringView(contract::kRootPath),
                                                              QLatin1StringView(contract::kClassFactoryInterface),
                                                              QStringLiteral("CreateInstance"));
        message.setArguments({classId});
        return call(message).arguments().value(1).value<QDBusObjectPath>().path();
    }
    // Every call sent so far has been served once this returns.
    void barrier() const
    {
        call(QDBusMessage::createMethodCall(QString(), QLatin1StringView(contract::kRootPath),
                                            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
    }

private:
    QDBusConnection peer_{QString()};
};

bool cycle(const RawPeer& client)
{
    const QString data = client.create(QStringLiteral("CorvaneSim.Data"));
    const QString tags = objectInInvokeReply(client.call(client.invoke(data, 0x68030007, 2)));  // Data.Tags
    if (tags.isEmpty()) return false;
    std::vector<QDBusPendingCall> adds;
    for (int t = 0; t < 10; ++t)
        adds.push_back(client.callLater(
            client.invoke(tags, 0x60030002, 1, {Variant(u"10PT10" + corvane::automation::number::formatInteger(t))})));
    client.send(client.invoke(tags, 0x60030006, 1));  // RemoveAll: the grid keeps no rows of ours
    for (QDBusPendingCall& add : adds) {
        add.waitForFinished();
        const QString tag = objectInInvokeReply(add.reply());
        if (tag.isEmpty()) return false;
        client.release(tag);
    }
    client.release(tags);
    client.release(data);
    return true;
}

void ServerMemoryOverCreateAndReleaseCycles(benchmark::State& state)
{
    for (auto _ : state) {
        ServerOnItsOwnBus server;
        const RawPeer client(server.bus.address());
        if (!server.ready() || !client.connected()) {
            state.SkipWithError("no server");
            break;
        }
        const std::int64_t cycles = state.range(0);
        bool served = true;
        for (std::int64_t i = 0; i < 1000 && served; ++i) served = cycle(client);
        client.barrier();
        const std::uint64_t settled = residentBytes(server.pid);
        const std::int64_t half = 1000 + (cycles - 1000) / 2;
        for (std::int64_t i = 1000; i < half && served; ++i) served = cycle(client);
        client.barrier();
        const std::uint64_t halfway = residentBytes(server.pid);
        for (std::int64_t i = half; i < cycles && served; ++i) served = cycle(client);
        client.barrier();
        if (!served) {
            state.SkipWithError("a cycle failed");
            break;
        }
        const std::uint64_t last = residentBytes(server.pid);
        const auto grown = [](std::uint64_t from, std::uint64_t to) { return double(std::int64_t(to) - std::int64_t(from)); };
        state.counters["rss_growth_bytes"] = grown(settled, last);
        state.counters["rss_growth_per_cycle"] = grown(settled, last) / double(cycles - 1000);
        // A leak grows both halves alike; an allocator settling, the first only.
        state.counters["rss_growth_first_half"] = grown(settled, halfway);
        state.counters["rss_growth_second_half"] = grown(halfway, last);
        state.counters["rss_settled_mb"] = double(settled) / 1e6;
    }
}
BENCHMARK(ServerMemoryOverCreateAndReleaseCycles)->Arg(100000)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
