#pragma once

#include "ObjectRef.h"

#include "automation/Variant.h"

#include <string>
#include <string_view>

namespace corvane::client {

// A tag's definition (_TagDefinition), made up by the server from the name.
class TagDefinition {
public:
    explicit TagDefinition(ObjectRef object) : object_(std::move(object)) {}

    std::u16string units() const;
    void setUnits(std::u16string_view units) const;
    float highExtreme() const;
    float lowExtreme() const;
    std::u16string description() const;
    // Fills the definition for `name`; the server returns Empty.
    automation::Variant getTagDefinition(std::u16string_view name) const;

    const ObjectRef& object() const { return object_; }

private:
    ObjectRef object_;
};

}  // namespace corvane::client
