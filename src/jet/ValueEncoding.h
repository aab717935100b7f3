#pragma once

#include "JetSchema.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::jet {

struct ColumnLayout;

// Bytes of the fixed-length types, 0 for the variable-length ones.
std::uint16_t fixedSizeOf(ColumnType type);

// The bytes of one value in its column (long values: the value's own bytes,
// which the row refers to); raises WriteError naming the column when it does
// not fit. Shared with the index key builder.
std::vector<std::uint8_t> encodeValue(const ColumnLayout& column, const Value& value);

// What a column of this type takes, for messages: "a 16-bit integer".
std::string describeType(ColumnType type);

}  // namespace corvane::jet
