#pragma once

#include "ObjectRef.h"
#include "TagDefinition.h"

#include "automation/SafeArray.h"
#include "automation/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::client {

// The synthesised history of a tag: element i of each vector is one sample.
struct History {
    std::vector<float> values;
    std::vector<double> timestamps;  // Automation dates, local time
    std::vector<std::int16_t> confidences;
};

// One requested tag (_Tag).
class Tag {
public:
    explicit Tag(ObjectRef object) : object_(std::move(object)) {}

    TagDefinition tagDefinition() const;
    // The history over the session's time window, into the caller's Variants
    // (arrays of Single, Date and Integer).
    void unpackResults(automation::Variant& values, automation::Variant& timestamps,
                       automation::Variant& confidences) const;
    // The same, as plain vectors.
    History unpackResults() const;
    void define(std::u16string_view name) const;
    std::u16string tagName() const;
    std::u16string units() const;
    void setUnits(std::u16string_view units) const;
    std::u16string offset() const;
    void setOffset(std::u16string_view offset) const;
    std::u16string reductionType() const;
    void setReductionType(std::u16string_view type) const;
    float pv() const;
    void setPV(float value) const;
    std::int32_t confidence() const;
    void setConfidence(std::int32_t confidence) const;
    // A write: the value, and optionally a time (which the server ignores)
    // and a confidence; a left-out argument travels as the missing marker.
    void put0(const automation::Variant& value, const automation::Variant& time = automation::Variant::missing(),
              const automation::Variant& confidence = automation::Variant::missing()) const;

    const ObjectRef& object() const { return object_; }

private:
    ObjectRef object_;
};

}  // namespace corvane::client
