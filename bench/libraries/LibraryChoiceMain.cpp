// corvane_bench_libraries: the two D-Bus libraries that could carry the
// contract, side by side on the same messages: a round trip of Tags.Count's
// call and reply on a peer connection, the same through a bus daemon, and a
// week of samples (40,321 doubles) back on a peer connection; beside them a
// raw socket moving the same bytes. Each end runs one library on one thread.
#include "EchoShapes.h"
#include "LibdbusEcho.h"
#include "SdBusEcho.h"

#include "../bus/RawSocketPeer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

namespace {

using namespace corvane::bench;

// libdbus marshals Tags.Count's call in 188 bytes and its reply in 96 on a
// peer connection; the week's reply is 322,624 bytes of samples and a header.
constexpr std::size_t kCountCallBytes = 188, kCountReplyBytes = 96, kWeekReplyBytes = 322'720;

void roundTrips(benchmark::State& state, const std::function<bool()>& once)
{
    for (auto _ : state)
        if (!once()) {
            state.SkipWithError("the call failed");
            break;
        }
}

}  // namespace

int main(int argc, char** argv)
{
    // Before any peer starts: --help ends the program here.
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RawSocketPeer raw;
    PeerSocketPath libdbusPath, sdbusPath;
    ComparisonBus bus;
    const pid_t libdbusPeer = libdbus::servePeer(libdbusPath.path());
    const pid_t sdbusPeer = sdbus::servePeer(sdbusPath.path());
    const pid_t libdbusService = libdbus::serveOnBus(bus.address(), "org.corvane.BenchEcho.Libdbus");
    const pid_t sdbusService = sdbus::serveOnBus(bus.address(), "org.corvane.BenchEcho.SdBus");
    auto libdbusOnPeer = libdbus::peerClient(libdbusPath.path());
    auto sdbusOnPeer = sdbus::peerClient(sdbusPath.path());
    auto libdbusOnBus = libdbus::busClient(bus.address(), "org.corvane.BenchEcho.Libdbus");
    auto sdbusOnBus = sdbus::busClient(bus.address(), "org.corvane.BenchEcho.SdBus");
    if (!raw.running() || !libdbusOnPeer || !sdbusOnPeer || !libdbusOnBus || !sdbusOnBus) {
        std::fprintf(stderr, "corvane_bench_libraries: a peer or the bus did not start\n");
        return 1;
    }

    std::vector<double> week;
    benchmark::RegisterBenchmark("RawSocketRoundTripOfTagsCountsSize", roundTrips,
                                 [&] { return raw.roundTrip(kCountCallBytes, kCountReplyBytes); })->UseRealTime();
    benchmark::RegisterBenchmark("LibdbusPeerTagsCountEcho", roundTrips, [&] { return libdbusOnPeer->count(); })
        ->UseRealTime();
    benchmark::RegisterBenchmark("SdBusPeerTagsCountEcho", roundTrips, [&] { return sdbusOnPeer->count(); })
        ->UseRealTime();
    benchmark::RegisterBenchmark("LibdbusBusTagsCountEcho", roundTrips, [&] { return libdbusOnBus->count(); })
        ->UseRealTime();
    benchmark::RegisterBenchmark("SdBusBusTagsCountEcho", roundTrips, [&] { return sdbusOnBus->count(); })
        ->UseRealTime();
    benchmark::RegisterBenchmark("RawSocketMovingAWeeksBytes", roundTrips,
                                 [&] { return raw.roundTrip(kCountCallBytes, kWeekReplyBytes); })->UseRealTime();
    benchmark::RegisterBenchmark("LibdbusPeerWeekOfSamples", roundTrips, [&] { return libdbusOnPeer->week(week); })
        ->UseRealTime();
    benchmark::RegisterBenchmark("SdBusPeerWeekOfSamples", roundTrips, [&] { return sdbusOnPeer->week(week); })
        ->UseRealTime();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    libdbusOnPeer.reset();
    sdbusOnPeer.reset();
    libdbusOnBus.reset();
    sdbusOnBus.reset();
    for (const pid_t child : {libdbusPeer, sdbusPeer}) reap(child);
    // The bus services end with the bus.
    (void)libdbusService;
    (void)sdbusService;
    return 0;
}
