// Round trips with sd-bus at the calling end too, as the client library
// makes them: Tags.Count through the bus and over the direct connection, and
// beside them a bare sd-bus echo service on the same bus answering with
// Tags.Count's reply (the yardstick of the same library through the same daemon).
#include "BusBench.h"
#include "ProcessUsage.h"
#include "SdBusCaller.h"

#include "../libraries/EchoClient.h"
#include "../libraries/SdBusEcho.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using corvane::bench::BusBench;
using corvane::bench::SdBusCaller;

constexpr char kEchoName[] = "org.corvane.BenchEcho.SdBus";

void roundTrips(benchmark::State& state, const std::function<bool()>& once, quint32 server)
{
    const double before = server ? corvane::bench::usageOf(pid_t(server)).cpuNanoseconds : 0;
    for (auto _ : state)
        if (!once()) {
            state.SkipWithError("the call failed");
            break;
        }
    if (server)
        state.counters["server_cpu_us"] = (corvane::bench::usageOf(pid_t(server)).cpuNanoseconds - before) / 1e3
                                          / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void TagsCountThroughTheBusBySdBus(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    static SdBusCaller caller(bench.bus.address().toStdString(), SdBusCaller::Kind::Bus);
    const std::string path = bench.countThroughTheBus.path().toStdString();
    roundTrips(state, [&] { return caller.tagsCount("org.corvane.CorvaneSim", path); }, bench.serverPid);
}
BENCHMARK(TagsCountThroughTheBusBySdBus)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BareSdBusEchoThroughTheBus(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    static const pid_t service = corvane::bench::sdbus::serveOnBus(bench.bus.address().toStdString(), kEchoName);
    static const std::unique_ptr<corvane::bench::EchoClient> echo =
        service > 0 ? corvane::bench::sdbus::busClient(bench.bus.address().toStdString(), kEchoName) : nullptr;
    if (!echo) return state.SkipWithError("the sd-bus echo service did not start");
    roundTrips(state, [&] { return echo->count(); }, quint32(service));
}
BENCHMARK(BareSdBusEchoThroughTheBus)->Unit(benchmark::kMicrosecond)->UseRealTime();

void TagsCountOverTheDirectConnectionBySdBus(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    static SdBusCaller caller(bench.directAddress.toStdString(), SdBusCaller::Kind::Peer);
    const std::string path = bench.countThroughTheBus.path().toStdString();
    roundTrips(state, [&] { return caller.tagsCount({}, path); }, bench.serverPid);
}
BENCHMARK(TagsCountOverTheDirectConnectionBySdBus)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
