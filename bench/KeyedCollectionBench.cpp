// Key lookup must not grow with the collection: the same lookup over 100 and
// over 100,000 items should cost about the same.
#include "automation/KeyedCollection.h"
#include "automation/NumberText.h"

#include <benchmark/benchmark.h>

using namespace corvane::automation;

namespace {

class Entry : public Object {};

std::u16string keyOf(std::int64_t i) { return u"01TIC" + number::formatInteger(i) + u".PV"; }

KeyedCollection<Entry> filled(std::int64_t n)
{
    KeyedCollection<Entry> c;
    for (std::int64_t i = 0; i < n; ++i) c.add(makeRef<Entry>(), keyOf(i));
    return c;
}

void KeyedCollectionLookupByKey(benchmark::State& state)
{
    const std::int64_t n = state.range(0);
    const KeyedCollection<Entry> c = filled(n);
    std::vector<Variant> keys;
    for (std::int64_t i = 0; i < 1000; ++i) keys.emplace_back(keyOf((i * 7919) % n));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.item(keys[next]).get());
        next = (next + 1) % keys.size();
    }
}
BENCHMARK(KeyedCollectionLookupByKey)->Arg(100)->Arg(100000);

void KeyedCollectionAdd(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(filled(state.range(0)).count());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(KeyedCollectionAdd)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
