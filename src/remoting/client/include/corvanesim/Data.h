#pragma once

#include "Connection.h"
#include "ObjectRef.h"
#include "Tags.h"

#include "automation/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::client {

// A query session (_Data), the object a client creates as "CorvaneSim.Data".
class Data {
public:
    static Data create(const Connection& connection);
    explicit Data(ObjectRef object) : object_(std::move(object)) {}

    void login(std::u16string_view userName, std::u16string_view password) const;
    Tags tags() const;
    // A Date Variant.
    automation::Variant startTime() const;
    // A date, or text: NOW-60M for an hour before now.
    void setStartTime(const automation::Variant& when) const;
    automation::Variant endTime() const;
    // A date, or any text for now.
    void setEndTime(const automation::Variant& when) const;
    void fetch() const;
    std::int32_t sampleFrequency() const;
    void setSampleFrequency(std::int32_t seconds) const;
    float minimumConfidence() const;
    void setMinimumConfidence(float confidence) const;
    std::u16string sampleMethod() const;
    void setSampleMethod(std::u16string_view method) const;
    std::u16string hostName() const;
    void setHostName(std::u16string_view name) const;
    std::int32_t connectionTimeout() const;
    void setConnectionTimeout(std::int32_t milliseconds) const;

    const ObjectRef& object() const { return object_; }

private:
    ObjectRef object_;
};

}  // namespace corvane::client
