#include "corvanesim/Data.h"

#include "ResultValues.h"

#include "typelib/TypeLibrary.h"

namespace corvane::client {

using automation::Variant;

namespace {

using K = automation::MemberKind;
constexpr const automation::InterfaceDescription& kInterface = typelib::kDataInterface;

constexpr Member kLogin = memberOf(kInterface, u"Login", K::Method);
constexpr Member kTags = memberOf(kInterface, u"Tags", K::PropertyGet);
constexpr Member kStartTimeGet = memberOf(kInterface, u"StartTime", K::PropertyGet);
constexpr Member kStartTimePut = memberOf(kInterface, u"StartTime", K::PropertyPut);
constexpr Member kEndTimeGet = memberOf(kInterface, u"EndTime", K::PropertyGet);
constexpr Member kEndTimePut = memberOf(kInterface, u"EndTime", K::PropertyPut);
constexpr Member kFetch = memberOf(kInterface, u"Fetch", K::Method);
constexpr Member kSampleFrequencyGet = memberOf(kInterface, u"SampleFrequency", K::PropertyGet);
constexpr Member kSampleFrequencyPut = memberOf(kInterface, u"SampleFrequency", K::PropertyPut);
constexpr Member kMinimumConfidenceGet = memberOf(kInterface, u"MinimumConfidence", K::PropertyGet);
constexpr Member kMinimumConfidencePut = memberOf(kInterface, u"MinimumConfidence", K::PropertyPut);
constexpr Member kSampleMethodGet = memberOf(kInterface, u"SampleMethod", K::PropertyGet);
constexpr Member kSampleMethodPut = memberOf(kInterface, u"SampleMethod", K::PropertyPut);
constexpr Member kHostNameGet = memberOf(kInterface, u"HostName", K::PropertyGet);
constexpr Member kHostNamePut = memberOf(kInterface, u"HostName", K::PropertyPut);
constexpr Member kConnectionTimeoutGet = memberOf(kInterface, u"ConnectionTimeout", K::PropertyGet);
constexpr Member kConnectionTimeoutPut = memberOf(kInterface, u"ConnectionTimeout", K::PropertyPut);

Variant text(std::u16string_view value) { return Variant(std::u16string(value)); }

}  // namespace

Data Data::create(const Connection& connection) { return Data(connection.create("CorvaneSim.Data")); }

void Data::login(std::u16string_view userName, std::u16string_view password) const
{
    object_.invoke(kLogin, {text(userName), text(password)});
}

Tags Data::tags() const { return Tags(result::asObject(object_.invoke(kTags))); }

Variant Data::startTime() const { return object_.invoke(kStartTimeGet); }
void Data::setStartTime(const Variant& when) const { object_.invoke(kStartTimePut, {when}); }
Variant Data::endTime() const { return object_.invoke(kEndTimeGet); }
void Data::setEndTime(const Variant& when) const { object_.invoke(kEndTimePut, {when}); }

void Data::fetch() const { object_.invoke(kFetch); }

std::int32_t Data::sampleFrequency() const { return result::asLong(object_.invoke(kSampleFrequencyGet)); }
void Data::setSampleFrequency(std::int32_t seconds) const { object_.invoke(kSampleFrequencyPut, {Variant(seconds)}); }

float Data::minimumConfidence() const { return result::asSingle(object_.invoke(kMinimumConfidenceGet)); }
void Data::setMinimumConfidence(float confidence) const
{
    object_.invoke(kMinimumConfidencePut, {Variant(confidence)});
}

std::u16string Data::sampleMethod() const { return result::asString(object_.invoke(kSampleMethodGet)); }
void Data::setSampleMethod(std::u16string_view method) const { object_.invoke(kSampleMethodPut, {text(method)}); }

std::u16string Data::hostName() const { return result::asString(object_.invoke(kHostNameGet)); }
void Data::setHostName(std::u16string_view name) const { object_.invoke(kHostNamePut, {text(name)}); }

std::int32_t Data::connectionTimeout() const { return result::asLong(object_.invoke(kConnectionTimeoutGet)); }
void Data::setConnectionTimeout(std::int32_t milliseconds) const
{
    object_.invoke(kConnectionTimeoutPut, {Variant(milliseconds)});
}

}  // namespace corvane::client
