// What the server holds per tag, and whether creating and releasing sessions
// leaves anything behind. Heap figures come from the allocator (glibc's
// mallinfo2), so they count what the server asked for, not page rounding.
#include "LiveServer.h"

#include "automation/NumberText.h"
#include "session/Data.h"
#include "tags/Tags.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

using namespace corvane;
using automation::Ref;
using automation::Variant;

std::size_t heapInUse()
{
    QApplication::processEvents();
    return mallinfo2().uordblks;
}

void MemoryPerTag(benchmark::State& state)
{
    const auto tags = state.range(0);
    for (auto _ : state) {
        bench::LiveServer server;
        server.console.showMainWindow();
        const Ref<Data> session = Data::Create(*server.process);
        const std::size_t before = heapInUse();
        for (std::int64_t i = 0; i < tags; ++i)
            session->Tags()->Add(u"01TIC" + automation::number::formatInteger(i) + u".PV", Variant::missing());
        const std::size_t after = heapInUse();
        state.counters["bytes_per_tag"] = static_cast<double>(after - before) / static_cast<double>(tags);
    }
}
BENCHMARK(MemoryPerTag)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Sessions of ten tags made and released over and over by one client; the
// heap after the last must be where it was after the first thousand.
void SessionCycles(benchmark::State& state)
{
    const auto cycles = state.range(0);
    for (auto _ : state) {
        bench::LiveServer server;
        const auto cycle = [&] {
            const Ref<Data> session = Data::Create(*server.process);
            for (int t = 0; t < 10; ++t) session->Tags()->Add(u"10PT10" + automation::number::formatInteger(t), Variant::missing());
            session->Tags()->RemoveAll();
        };
        for (int i = 0; i < 1000; ++i) cycle();
        const std::size_t settled = heapInUse();
        for (std::int64_t i = 1000; i < cycles; ++i) cycle();
        const auto growth = static_cast<double>(static_cast<std::int64_t>(heapInUse()) - static_cast<std::int64_t>(settled));
        state.counters["heap_growth_bytes"] = growth;
        state.counters["heap_growth_per_cycle"] = growth / static_cast<double>(cycles - 1000);
    }
}
BENCHMARK(SessionCycles)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
