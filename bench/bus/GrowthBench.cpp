// Whether a call's cost grows with what came before it, end to end over the
// direct connection, each run on a server of its own: 10,000 Tags.Add into
// one session (each with its grid row, the returned Tag released at once)
// and 10,000 Put0 writes into one log. The first and the last thousand are
// timed in the same run, both on the clock and in the server's processor
// time (the steadier of the two on a busy machine). The benchmark's own time
// includes starting and ending the server; only the counters matter.
#include "BusBench.h"
#include "ProcessUsage.h"

#include "corvanesim/Data.h"

#include "automation/NumberText.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

using corvane::bench::ServerOnItsOwnBus;
using corvane::bench::usageOf;
using Clock = std::chrono::steady_clock;

struct Mark {
    Clock::time_point wall;
    double serverNs;
};

Mark markOf(quint32 server) { return {Clock::now(), usageOf(pid_t(server)).cpuNanoseconds}; }

// Calls `step` n times and reports the first and the last thousand.
void firstAndLastThousand(benchmark::State& state, quint32 server, const std::function<void(std::int64_t)>& step)
{
    const std::int64_t n = state.range(0);
    Mark begin = markOf(server), firstEnd{}, lastBegin{};
    for (std::int64_t i = 0; i < n; ++i) {
        if (i == n - 1000) lastBegin = markOf(server);
        step(i);
        if (i + 1 == 1000) firstEnd = markOf(server);
    }
    const Mark end = markOf(server);
    const auto ms = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    state.counters["first1000_ms"] = ms(begin.wall, firstEnd.wall);
    state.counters["last1000_ms"] = ms(lastBegin.wall, end.wall);
    state.counters["first1000_server_ms"] = (firstEnd.serverNs - begin.serverNs) / 1e6;
    state.counters["last1000_server_ms"] = (end.serverNs - lastBegin.serverNs) / 1e6;
}

std::u16string tagName(std::int64_t i) { return u"01TIC" + corvane::automation::number::formatInteger(i) + u".PV"; }

void TagsAddOverTheDirectConnection(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ServerOnItsOwnBus server;
        if (!server.ready()) {
            state.SkipWithError("no server");
            break;
        }
        const corvane::client::Tags tags = corvane::client::Data::create(*server.library).tags();
        state.ResumeTiming();
        firstAndLastThousand(state, server.pid, [&](std::int64_t i) { tags.add(tagName(i)); });
    }
}
BENCHMARK(TagsAddOverTheDirectConnection)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void Put0IntoOneLogOverTheDirectConnection(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ServerOnItsOwnBus server;
        if (!server.ready()) {
            state.SkipWithError("no server");
            break;
        }
        const corvane::client::Tag tag = corvane::client::Data::create(*server.library).tags().add(u"01TIC200.PV");
        state.ResumeTiming();
        firstAndLastThousand(state, server.pid, [&](std::int64_t i) {
            tag.put0(corvane::automation::Variant(static_cast<double>(i) + 0.5));
        });
    }
}
BENCHMARK(Put0IntoOneLogOverTheDirectConnection)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
