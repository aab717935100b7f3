// The operations of a stress client on its tags: histories, writes, properties.
#include "Workload.h"

#include "CheckFailure.h"

#include "automation/HResult.h"

#include <algorithm>
#include <array>

namespace corvane::stress {

using automation::Variant;
using client::RemoteError;
using client::toUtf8;

namespace {

// The time window and the sample frequency are the whole process's: every
// client's history follows the last settings of any client. The largest
// history they allow is a week at 15 s, 40,321 samples.
// Offsets are in minutes.
constexpr std::array<std::u16string_view, 8> kStarts = {u"NOW-10M", u"NOW-10M", u"NOW-10M",   u"NOW-60M",
                                                        u"NOW-60M", u"NOW-60M", u"NOW-1440M", u"NOW-10080M"};
constexpr std::array<std::int32_t, 3> kFrequencies = {15, 60, 600};

// A window whose start another client set after this one's end.
constexpr int kSubscriptOutOfRange = 9;
// A write's grid refresh when the current session has more tags than the
// grid has rows (another client's RemoveAll empties the grid).
constexpr int kInvalidRowValue = 30009;

bool isError(const RemoteError& error, int number) { return error.code() == automation::hresult::fromErrorNumber(number); }

}  // namespace

void Workload::unpackHistory()
{
    HeldSession* session = nullptr;
    const HeldTag* tag = someTag(session);
    if (!tag) return addTag();
    client::History history;
    try {
        history = tag->tag.unpackResults();
    } catch (const RemoteError& error) {
        if (!isError(error, kSubscriptOutOfRange)) throw;
        ++explained_;
        return;
    }
    const std::size_t samples = history.values.size();
    check(samples >= 1 && history.timestamps.size() == samples && history.confidences.size() == samples,
          "UnpackResults gave " + std::to_string(samples) + " values, " + std::to_string(history.timestamps.size()) +
              " timestamps and " + std::to_string(history.confidences.size()) + " confidences");
    for (std::size_t i = 1; i < samples; ++i)
        check(history.timestamps[i] > history.timestamps[i - 1], "timestamps of " + toUtf8(tag->name) + " go backwards");
    if (!tag->known && !tag->written)
        for (const std::int16_t confidence : history.confidences)
            check(confidence == 0, toUtf8(tag->name) + " reads -999, yet a sample has confidence " + std::to_string(confidence));
}

void Workload::setTimeWindow()
{
    HeldSession& session = someSession();
    session.data.setStartTime(Variant(std::u16string(kStarts[below(kStarts.size())])));
    session.data.setEndTime(Variant(u"NOW"));
    session.data.setSampleFrequency(kFrequencies[below(kFrequencies.size())]);
    check(session.data.startTime().type() == automation::VarType::Date, "StartTime is no date");
}

void Workload::writeValue()
{
    HeldSession* session = nullptr;
    HeldTag* tag = someTag(session);
    if (!tag) return addTag();
    // Quarters are exact in a Single, so the value reads back exactly.
    const float value = float(std::int32_t(below(8000)) - 4000) / 4.0f;
    const bool withConfidence = chance(0.5);
    const std::int32_t confidence = std::int32_t(below(201)) - 50;
    try {
        if (withConfidence)
            tag->tag.put0(Variant(value), Variant::missing(), Variant(confidence));
        else
            tag->tag.put0(Variant(value));
    } catch (const RemoteError& error) {
        // The value and confidence are set before the refresh fails.
        if (!isError(error, kInvalidRowValue)) throw;
        ++explained_;
    }
    tag->written = value;
    check(tag->tag.pv() == value, "PV of " + toUtf8(tag->name) + " is " + std::to_string(tag->tag.pv()) +
                                      " after writing " + std::to_string(value));
    const std::int32_t expected = withConfidence ? std::clamp(confidence, 0, 100) : 100;
    check(tag->tag.confidence() == expected, "Confidence of " + toUtf8(tag->name) + " is " +
                                                 std::to_string(tag->tag.confidence()) + ", expected " + std::to_string(expected));
}

void Workload::setTagProperties()
{
    HeldSession* session = nullptr;
    HeldTag* tag = someTag(session);
    if (!tag) return addTag();
    const std::u16string units = u"u" + client::fromUtf8(std::to_string(below(1000)));
    tag->tag.setUnits(units);
    check(tag->tag.units() == units, "Units do not read back");
    tag->tag.setOffset(u"+1H");
    check(tag->tag.offset() == u"+1H", "Offset does not read back");
    tag->tag.setReductionType(u"Average");
    check(tag->tag.reductionType() == u"Average", "ReductionType does not read back");
    tag->tag.setConfidence(250);
    check(tag->tag.confidence() == 100, "Confidence 250 is not held to 100");
    const float value = float(below(1000)) / 8.0f;
    tag->tag.setPV(value);
    tag->written = value;
    check(tag->tag.pv() == value, "PV does not read back");
}

void Workload::readDefinition()
{
    HeldSession* session = nullptr;
    const HeldTag* tag = someTag(session);
    if (!tag) return addTag();
    const client::TagDefinition definition = tag->tag.tagDefinition();
    check(definition.object() == tag->tag.tagDefinition().object(), "a tag gives two definitions");
    check(definition.units() == tag->tag.units(), "the definition's units are not the tag's");
    definition.highExtreme();
    definition.lowExtreme();
    definition.description();
    check(definition.getTagDefinition(tag->name).isEmpty(), "GetTagDefinition returns something");
    if (chance(0.3)) extras_.push_back(definition.object());
}

void Workload::fetchAndLogin()
{
    HeldSession& session = someSession();
    session.data.login(u"operator", u"secret");
    const std::u16string host = u"host-" + clientTag_;
    session.data.setHostName(host);
    check(session.data.hostName() == host, "HostName does not read back");
    const std::int32_t timeout = 1000 + std::int32_t(below(1000));
    session.data.setConnectionTimeout(timeout);
    check(session.data.connectionTimeout() == timeout, "ConnectionTimeout does not read back");
    session.data.fetch();
}

}  // namespace corvane::stress
