#pragma once

#include "Variant.h"

#include <cstdint>
#include <string>

namespace corvane::automation {

// How a collection reads an index argument: a number is a position, text is a
// key (even text that looks like a number).
struct CollectionIndex {
    bool isKey = false;
    std::int32_t position = 0;
    std::u16string key;
};

// Raises 94 for Null, 91 for Nothing, 438 for an object, 13 for an array, 5 for
// Empty and for an error value, 9 for a number that is no valid 32-bit position.
CollectionIndex readCollectionIndex(const Variant& index);

}  // namespace corvane::automation
