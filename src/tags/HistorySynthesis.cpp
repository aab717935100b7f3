#include "HistorySynthesis.h"

#include "automation/AutomationDate.h"
#include "automation/AutomationError.h"
#include "automation/Convert.h"
#include "automation/DateFormat.h"
#include "automation/NumberText.h"
#include "automation/Rounding.h"
#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"
#include "tags/Tag.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace corvane {
namespace {

using namespace automation;

constexpr std::int32_t kSmallestInterval = 15;     // seconds
constexpr double kAmplitude = 0.2;
constexpr double kFullTurn = 6.28318530717958;     // 2 pi cut short after 14 decimals, as clients have always had it
constexpr float kMissingTagValue = -999.0f;
constexpr std::u16string_view kLineEnd = u"\r\n";

std::int32_t checkedInt32(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        raiseError(error::kOverflow);
    return static_cast<std::int32_t>(value);
}

// The time error of the operator's box; text that is no number puts "0" back.
std::int32_t readTimeError(ServerProcess& process)
{
    const std::u16string text = process.console.text(Control::txtTimeError);
    const std::optional<double> parsed = number::parse(text, process.regional);
    if (!parsed) {
        process.console.setText(Control::txtTimeError, u"0");
        return 0;
    }
    const auto seconds = roundToInteger<std::int32_t>(*parsed);
    if (!seconds) raiseError(error::kOverflow);
    return *seconds;
}

// A second on the linear scale as its day and its second of that day (0 to
// 86399, the same as reading the hours, minutes and seconds of its date
// value), stepped forward sample by sample without dividing each time.
class SampleTime {
public:
    explicit SampleTime(std::int64_t second)
        : day_(second / date::kSecondsPerDay), ofDay_(second % date::kSecondsPerDay)
    {
        if (ofDay_ < 0) {
            ofDay_ += date::kSecondsPerDay;
            --day_;
        }
    }
    void advance(std::int32_t seconds)
    {
        ofDay_ += seconds;
        if (ofDay_ >= date::kSecondsPerDay) {
            day_ += ofDay_ / date::kSecondsPerDay;
            ofDay_ %= date::kSecondsPerDay;
        }
    }
    std::int32_t secondOfDay() const { return static_cast<std::int32_t>(ofDay_); }
    double date() const { return date::fromDayAndSecond(day_, ofDay_); }

private:
    std::int64_t day_;
    std::int64_t ofDay_;
};

class Synthesis {
public:
    Synthesis(ServerProcess& process, const Tag& tag) : process_(process), console_(process.console), tag_(tag) {}

    History run()
    {
        SessionSettings& settings = process_.SessionSettings;
        const double start = settings.StartTime;
        const std::int32_t windowSeconds = checkedInt32(date::secondsBetween(start, settings.EndTime));
        if (settings.SampleFrequency < kSmallestInterval) settings.SampleFrequency = kSmallestInterval;
        const std::int32_t interval = settings.SampleFrequency;

        // Both operands are far inside the 32-bit range, so the count always fits.
        const std::int32_t count = *roundToInteger<std::int32_t>(static_cast<double>(windowSeconds) / interval + 1.0);
        console_.setText(Control::labelNumSamples, number::formatInteger(count));
        if (count <= 0) raiseError(error::kSubscriptOutOfRange);
        if (count > kMaxHistorySamples) raiseError(error::kOutOfMemory);

        const auto n = static_cast<std::size_t>(count);
        std::vector<float> values(n);
        std::vector<double> timestamps(n);
        std::vector<std::int16_t> confidences(n);

        std::u16string firstLine = tag_.TagName();
        firstLine += kLineEnd;
        console_.setText(Control::txtData, firstLine);
        const std::int32_t timeError = readTimeError(process_);
        // Samples are stepped on the linear scale of seconds: calendar
        // arithmetic, also across 30 December 1899.
        const std::int64_t firstSecond = date::toSeconds(start);
        // A sample's value depends only on its time of day, which comes round
        // again after `cycle` samples (a day at 15 s is 5,760): beyond the
        // first cycle the value is a copy, the same bits as working it out.
        const std::int64_t cycle = date::kSecondsPerDay / std::gcd(date::kSecondsPerDay, std::int64_t{interval});

        // Nothing can show or hide the window, or change the tag, during the
        // call (one thread, no events in between): one look serves every sample.
        const bool listed = console_.dataWindowVisible();
        const std::int16_t confidence =
            tag_.PV() == kMissingTagValue ? std::int16_t{0} : static_cast<std::int16_t>(tag_.Confidence());

        // The listing is built here and handed to the window once, also when a
        // sample fails, so that it ends exactly where the failure stopped it.
        SampleTime time(firstSecond + timeError);
        try {
            for (std::int32_t i = 0; i < count; ++i, time.advance(interval)) {
                const std::int32_t offset = checkedInt32(std::int64_t{i} * interval + timeError);
                const std::int64_t second = firstSecond + offset;
                if (second < date::kFirstSecond || second > date::kLastSecond) raiseError(error::kInvalidProcedureCall);
                const double timestamp = time.date();
                timestamps[static_cast<std::size_t>(i)] = timestamp;
                if (listed) {
                    date::appendShortStamp(listing_, timestamp, process_.regional);
                    listing_ += u"    ";
                }
                const float value = i >= cycle ? values[static_cast<std::size_t>(i - cycle)]
                                               : sampleValue(time.secondOfDay());
                values[static_cast<std::size_t>(i)] = value;
                if (listed) {
                    number::appendFixed2(listing_, value, process_.regional);
                    listing_ += kLineEnd;
                }
                confidences[static_cast<std::size_t>(i)] = confidence;
            }
        } catch (...) {
            flushListing();
            throw;
        }
        flushListing();

        return {std::make_shared<SafeArray>(VarType::R4, 0, std::move(values)),
                std::make_shared<SafeArray>(VarType::Date, 0, std::move(timestamps)),
                std::make_shared<SafeArray>(VarType::I2, 0, std::move(confidences))};
    }

private:
    float sampleValue(std::int32_t secondOfDay)
    {
        const float pv = tag_.PV();
        if (console_.sineWaveValue() != 1) return pv;
        const double wave = std::sin(kFullTurn * secondOfDay / period());
        const auto value = static_cast<float>(static_cast<double>(pv) * (1.0 + kAmplitude * wave));
        if (std::isinf(value)) raiseError(error::kOverflow);
        return value;
    }

    // The window cannot change while a synthesis runs (one thread, no events
    // in between), so the period read for the first sine sample holds for
    // every later one; its failures surface at that first sample.
    std::int32_t period()
    {
        if (!period_) {
            const std::u16string text = console_.text(Control::txtPeriod);
            period_ = toI4(Variant(text), process_.regional);
        }
        if (*period_ == 0) raiseError(error::kDivisionByZero);
        return *period_;
    }

    void flushListing()
    {
        if (!listing_.empty()) console_.appendText(Control::txtData, listing_);
    }

    ServerProcess& process_;
    OperatorConsole& console_;
    const Tag& tag_;
    std::u16string listing_;
    std::optional<std::int32_t> period_;
};

}  // namespace

History SynthesizeHistory(ServerProcess& process, const Tag& tag) { return Synthesis(process, tag).run(); }

void Tag::UnpackResults(Variant& varValues, Variant& varTimestamps, Variant& varConfidences)
{
    History history = SynthesizeHistory(process_, *this);
    varValues = Variant::array(std::move(history.values));
    varTimestamps = Variant::array(std::move(history.timestamps));
    varConfidences = Variant::array(std::move(history.confidences));
}

}  // namespace corvane
