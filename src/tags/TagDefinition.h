#pragma once

#include "automation/Object.h"
#include "automation/Variant.h"

#include <string>

namespace corvane {

// A made-up definition of a tag: a description naming the tag, the range 0 to
// 100, and units chosen by the third character of the name.
class TagDefinition : public automation::Object {
public:
    const std::u16string& units() const { return units_; }
    void setUnits(std::u16string units) { units_ = std::move(units); }
    float highExtreme() const { return highExtreme_; }
    float lowExtreme() const { return lowExtreme_; }
    const std::u16string& description() const { return description_; }

    // Fills the definition for `name`; always returns Empty.
    automation::Variant getTagDefinition(const std::u16string& name);

private:
    std::u16string units_;
    float highExtreme_ = 0;
    float lowExtreme_ = 0;
    std::u16string description_;
};

}  // namespace corvane
