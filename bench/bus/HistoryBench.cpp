// A week of 15-second samples (40,321) with the sine wave on, end to end:
// Tag.UnpackResults through the library over the direct connection and
// through the bus, each into the caller's Variants (arrays of Single, Date
// and Integer), beside a raw Unix socket moving as many bytes each way.
#include "BusBench.h"
#include "ProcessUsage.h"

#include "automation/SafeArray.h"
#include "qtwire/WireArray.h"

#include <benchmark/benchmark.h>
#include <dbus/dbus.h>

#include <memory>

namespace {

using corvane::automation::Variant;
using corvane::bench::BusBench;
using corvane::bench::kWeekOfSamples;
using corvane::bench::usageOf;

void unpack(benchmark::State& state, const corvane::client::Tag& tag)
{
    BusBench& bench = BusBench::shared();
    const double before = usageOf(pid_t(bench.serverPid)).cpuNanoseconds;
    for (auto _ : state) {
        Variant values, timestamps, confidences;
        tag.unpackResults(values, timestamps, confidences);
        if (values.array()->size() != kWeekOfSamples) {
            state.SkipWithError("a history of another length");
            break;
        }
        benchmark::DoNotOptimize(values);
    }
    state.counters["server_cpu_us"] = (usageOf(pid_t(bench.serverPid)).cpuNanoseconds - before) / 1e3
                                      / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["reply_bytes"] = double(bench.historySize.reply);
}

void UnpackResultsOverTheDirectConnection(benchmark::State& state) { unpack(state, *BusBench::shared().historyDirect); }
BENCHMARK(UnpackResultsOverTheDirectConnection)->Unit(benchmark::kMillisecond)->UseRealTime();

void UnpackResultsThroughTheBus(benchmark::State& state) { unpack(state, *BusBench::shared().historyOverTheBus); }
BENCHMARK(UnpackResultsThroughTheBus)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawSocketMovingUnpackResultsBytes(benchmark::State& state)
{
    BusBench& bench = BusBench::shared();
    for (auto _ : state) {
        if (!bench.raw.roundTrip(bench.historySize.call, bench.historySize.reply)) {
            state.SkipWithError("the raw socket peer is gone");
            break;
        }
    }
    state.counters["reply_bytes"] = double(bench.historySize.reply);
}
BENCHMARK(RawSocketMovingUnpackResultsBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// What bounds the history end to end: Qt D-Bus writes an array into a
// message element by element (QDBusArgument copies whole arrays of bytes
// only), where libdbus itself could copy each array whole. Both write the
// same week of values, timestamps and confidences, in this process.
struct WeekOfHistory {
    std::shared_ptr<const corvane::automation::SafeArray> values, timestamps, confidences;
    WeekOfHistory()
        : values(std::make_shared<corvane::automation::SafeArray>(corvane::automation::VarType::R4, 0, kWeekOfSamples)),
          timestamps(std::make_shared<corvane::automation::SafeArray>(corvane::automation::VarType::Date, 0, kWeekOfSamples)),
          confidences(std::make_shared<corvane::automation::SafeArray>(corvane::automation::VarType::I2, 0, kWeekOfSamples))
    {
    }
};

void QtWritesAWeekOfHistoryElementByElement(benchmark::State& state)
{
    const WeekOfHistory week;
    for (auto _ : state) {
        QDBusArgument out;
        out << corvane::remoting::WireR4Array{week.values} << corvane::remoting::WireDateArray{week.timestamps}
            << corvane::remoting::WireI2Array{week.confidences};
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(QtWritesAWeekOfHistoryElementByElement)->Unit(benchmark::kMillisecond);

template <class Wire>
void appendWhole(DBusMessageIter& into, int type, const char* signature, const std::vector<Wire>& elements)
{
    DBusMessageIter structure, array;
    dbus_message_iter_open_container(&into, DBUS_TYPE_STRUCT, nullptr, &structure);
    const std::int32_t lowerBound = 0;
    dbus_message_iter_append_basic(&structure, DBUS_TYPE_INT32, &lowerBound);
    dbus_message_iter_open_container(&structure, DBUS_TYPE_ARRAY, signature, &array);
    const Wire* data = elements.data();
    dbus_message_iter_append_fixed_array(&array, type, &data, int(elements.size()));
    dbus_message_iter_close_container(&structure, &array);
    dbus_message_iter_close_container(&into, &structure);
}

void LibdbusWritesAWeekOfHistoryArrayByArray(benchmark::State& state)
{
    const WeekOfHistory week;
    for (auto _ : state) {
        DBusMessage* message = dbus_message_new_signal("/", "org.corvane.Bench", "History");
        DBusMessageIter body;
        dbus_message_iter_init_append(message, &body);
        // The wire types, as the encoder widens them (singles travel as doubles).
        const auto& singles = week.values->elements<float>();
        appendWhole(body, DBUS_TYPE_DOUBLE, "d", std::vector<double>(singles.begin(), singles.end()));
        appendWhole(body, DBUS_TYPE_DOUBLE, "d", week.timestamps->elements<double>());
        appendWhole(body, DBUS_TYPE_INT16, "n", week.confidences->elements<std::int16_t>());
        dbus_message_unref(message);
    }
}
BENCHMARK(LibdbusWritesAWeekOfHistoryArrayByArray)->Unit(benchmark::kMillisecond);

}  // namespace
