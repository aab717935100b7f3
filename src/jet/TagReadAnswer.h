#pragma once

#include "automation/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// What the tag database reader process (corvanesim-tagread) tells the
// server or the tag database tool: the data layer's error, or the user tables
// of the file, or one table read whole, or a table's dump as CSV text. The
// reader of the answer takes it as untrusted bytes: a reader process that a
// hostile file took over could send anything.
struct TagReadAnswer {
    struct Failure {
        std::int32_t hresult = 0;
        std::u16string description;
    };
    struct Table {
        std::vector<std::u16string> fieldNames;
        std::vector<std::vector<automation::Variant>> rows;  // one value per field
    };

    std::optional<Failure> failure;
    std::optional<std::vector<std::u16string>> tableNames;
    std::optional<Table> table;
    std::optional<std::string> dump;  // UTF-8
};

// Field values travel as Null, Boolean, Byte, Integer, Long, Currency,
// Single, Double, Date, String or an array of bytes from 0: the types the
// data layer hands out (FieldValue.h).
std::string encodeAnswer(const TagReadAnswer& answer);

// Empty for bytes that are not exactly one answer (wrong marker, a count
// beyond what is left, a value of another type, bytes left over).
std::optional<TagReadAnswer> decodeAnswer(std::string_view bytes);

}  // namespace corvane::jet
