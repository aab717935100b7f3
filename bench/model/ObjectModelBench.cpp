// What the object model's calls cost in process with the real windows:
// adding tags (with their grid rows), looking them up, unpacking histories
// (with the data window hidden and shown) and writing values into one log.
// Growth is read off per-item figures within one run.
#include "LiveServer.h"

#include "automation/AutomationDate.h"
#include "automation/NumberText.h"
#include "session/Data.h"
#include "tags/Tags.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>

namespace {

using namespace corvane;
using automation::Ref;
using automation::Variant;

std::u16string tagName(std::int64_t i) { return u"01TIC" + automation::number::formatInteger(i) + u".PV"; }

// Processor time, not wall time: the first and the last thousand are compared
// within one run, and other processes on a shared machine must not tip it.
double millisecondsSince(std::clock_t start)
{
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Adds N tags to one session; reports the cost of the first and the last
// thousand, whose ratio shows whether adding grows with the collection.
void TagsAdd(benchmark::State& state)
{
    const auto n = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto server = std::make_unique<bench::LiveServer>();
        Ref<Data> session = Data::Create(*server->process);
        const Ref<Tags> tags = session->Tags();
        state.ResumeTiming();
        double first = 0, last = 0;
        std::clock_t mark = std::clock();
        for (std::int64_t i = 0; i < n; ++i) {
            tags->Add(tagName(i), Variant::missing());
            if (i + 1 == 1000) first = millisecondsSince(mark);
            if (i + 1 == n - 1000) mark = std::clock();
        }
        last = millisecondsSince(mark);
        state.counters["first1000_ms"] = first;
        state.counters["last1000_ms"] = last;
        state.PauseTiming();
        session.reset();
        server.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(TagsAdd)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void TagsItemByKey(benchmark::State& state)
{
    bench::LiveServer server;
    const Ref<Data> session = Data::Create(*server.process);
    const Ref<Tags> tags = session->Tags();
    for (std::int64_t i = 0; i < state.range(0); ++i) tags->Add(tagName(i), Variant::missing());
    std::vector<Variant> keys;
    for (std::int64_t i = 0; i < 1000; ++i) keys.emplace_back(tagName(i * 7919 % state.range(0)));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tags->Item(keys[next]).get());
        next = (next + 1) % keys.size();
    }
}
BENCHMARK(TagsItemByKey)->Arg(100)->Arg(10000);

// A week at 15 s is 40,321 samples; a day at 15 s is 5,761.
void UnpackResults(benchmark::State& state)
{
    const auto samples = state.range(0);
    const bool listed = state.range(1) != 0;
    bench::LiveServer server;
    const Ref<Data> session = Data::Create(*server.process);
    const Ref<Tag> tag = session->Tags()->Add(u"01TIC200.PV", Variant::missing());
    tag->setPV(50);
    const double start = automation::date::fromLocal({2026, 11, 29, 0, 0, 0});
    session->setStartTime(Variant::date(start));
    session->setEndTime(Variant::date(automation::date::addSeconds(start, (samples - 1) * 15)));
    session->setSampleFrequency(15);
    if (listed) server.console.dataWindow().showInFront();
    Variant values, stamps, confidences;
    for (auto _ : state) {
        tag->UnpackResults(values, stamps, confidences);
        QApplication::processEvents();  // let the window take in the listing
    }
    state.SetItemsProcessed(state.iterations() * samples);
    state.SetLabel(listed ? "frmData shown" : "frmData hidden");
}
BENCHMARK(UnpackResults)->Args({5761, 0})->Args({40321, 0})->Args({5761, 1})->Args({40321, 1})
    ->Unit(benchmark::kMillisecond);

// The yardstick for UnpackResults: the same values, timestamps and
// confidences computed by a bare loop into arrays allocated beforehand.
void UnpackResultsPlainLoop(benchmark::State& state)
{
    const auto samples = static_cast<std::size_t>(state.range(0));
    const std::int64_t firstSecond = automation::date::toSeconds(automation::date::fromLocal({2026, 11, 29, 0, 0, 0}));
    std::vector<float> values(samples);
    std::vector<double> stamps(samples);
    std::vector<std::int16_t> confidences(samples);
    const float pv = 50;
    const std::int32_t period = 1234;
    for (auto _ : state) {
        for (std::size_t i = 0; i < samples; ++i) {
            const std::int64_t second = firstSecond + static_cast<std::int64_t>(i) * 15;
            stamps[i] = automation::date::fromSeconds(second);
            const auto ofDay = static_cast<std::int32_t>(second % 86400);
            values[i] = static_cast<float>(pv * (1.0 + 0.2 * std::sin(6.28318530717958 * ofDay / period)));
            confidences[i] = 0;
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(stamps.data());
        benchmark::DoNotOptimize(confidences.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(UnpackResultsPlainLoop)->Arg(40321)->Unit(benchmark::kMillisecond);

// 10,000 writes into one log; the first and the last thousand compared.
void Put0IntoOneLog(benchmark::State& state)
{
    const auto n = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto server = std::make_unique<bench::LiveServer>();
        server->console.showMainWindow();
        Ref<Data> session = Data::Create(*server->process);
        Ref<Tag> tag = session->Tags()->Add(u"01TIC200.PV", Variant::missing());
        state.ResumeTiming();
        double first = 0;
        std::clock_t mark = std::clock();
        for (std::int64_t i = 0; i < n; ++i) {
            tag->Put0(Variant(static_cast<double>(i) + 0.5), Variant::missing(), Variant::missing());
            if (i + 1 == 1000) first = millisecondsSince(mark);
            if (i + 1 == n - 1000) mark = std::clock();
        }
        const double last = millisecondsSince(mark);
        QApplication::processEvents();  // the window takes in the log once
        state.counters["first1000_ms"] = first;
        state.counters["last1000_ms"] = last;
        state.PauseTiming();
        tag.reset();
        session.reset();
        server.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(Put0IntoOneLog)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
