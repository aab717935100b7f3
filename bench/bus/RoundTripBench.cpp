// Round trips, each a blocking call with a message built once, in one run:
// Tags.Count through the bus and over the direct connection, the bare Qt
// D-Bus echo method through the same bus and over a peer connection, a bare
// libdbus peer answering Tags.Count's messages on one thread, and a raw Unix
// socket moving as many bytes each way as Tags.Count's call and reply. Each
// also reports the processor time its serving process spent per call.
#include "BusBench.h"
#include "ProcessUsage.h"

#include "corvanesim/Data.h"
#include "corvanesim/Tags.h"

#include <benchmark/benchmark.h>

namespace {

using corvane::bench::BusBench;
using corvane::bench::usageOf;

void roundTrips(benchmark::State& state, QDBusConnection& connection, const QDBusMessage& call, quint32 server)
{
    const double before = usageOf(pid_t(server)).cpuNanoseconds;
    for (auto _ : state) {
        const QDBusMessage reply = connection.call(call, QDBus::Block);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError(qPrintable(reply.errorMessage()));
            break;
        }
    }
    state.counters["server_cpu_us"] =
        (usageOf(pid_t(server)).cpuNanoseconds - before) / 1e3 / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void TagsCountThroughTheBus(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    roundTrips(state, bench.busClient, bench.countThroughTheBus, bench.serverPid);
}
BENCHMARK(TagsCountThroughTheBus)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BareQtEchoThroughTheBus(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    roundTrips(state, bench.busClient, bench.echo, bench.echoPid);
}
BENCHMARK(BareQtEchoThroughTheBus)->Unit(benchmark::kMicrosecond)->UseRealTime();

void TagsCountOverTheDirectConnection(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    roundTrips(state, bench.peer, bench.countOverTheDirectConnection, bench.serverPid);
}
BENCHMARK(TagsCountOverTheDirectConnection)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BareQtEchoOverAPeerConnection(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    roundTrips(state, bench.echoPeer, bench.echoOverAPeer, bench.echoPid);
}
BENCHMARK(BareQtEchoOverAPeerConnection)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BareLibdbusPeerRoundTripOfTagsCount(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    for (auto _ : state) {
        if (!bench.libdbus.roundTrip()) {
            state.SkipWithError("the libdbus peer is gone");
            break;
        }
    }
}
BENCHMARK(BareLibdbusPeerRoundTripOfTagsCount)->Unit(benchmark::kMicrosecond)->UseRealTime();

void RawSocketRoundTripOfTagsCountsSize(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    for (auto _ : state) {
        if (!bench.raw.roundTrip(bench.countSize.call, bench.countSize.reply)) {
            state.SkipWithError("the raw socket peer is gone");
            break;
        }
    }
    state.counters["call_bytes"] = double(bench.countSize.call);
    state.counters["reply_bytes"] = double(bench.countSize.reply);
}
BENCHMARK(RawSocketRoundTripOfTagsCountsSize)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What a program using the library sees: the call by identifier, its reply
// read into a Variant.
void TagsCountByTheLibraryOverTheDirectConnection(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    const corvane::client::Tags tags = corvane::client::Data::create(*bench.libraryDirect).tags();
    const double before = usageOf(pid_t(bench.serverPid)).cpuNanoseconds;
    for (auto _ : state) benchmark::DoNotOptimize(tags.count());
    state.counters["server_cpu_us"] = (usageOf(pid_t(bench.serverPid)).cpuNanoseconds - before) / 1e3
                                      / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}
BENCHMARK(TagsCountByTheLibraryOverTheDirectConnection)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
