#pragma once

#include <cstdint>
#include <cstring>
#include <span>

namespace corvane::jet {

// One field of a row as the file stores it, with what its column says about
// reading it. Memo and OLE fields hold the header of their long value.
struct StoredField {
    std::uint8_t type = 0;   // the column type as a table definition numbers it (ColumnType)
    std::uint8_t scale = 0;  // Decimal: digits after the point
    bool present = false;    // false for Null; a Boolean's value
    std::span<const std::uint8_t> bytes;
};

// The field's bytes as a T, when there are exactly as many (the file is
// little-endian, as are the machines we run on).
template <class T>
bool storedAs(const StoredField& field, T& out)
{
    if (field.bytes.size() != sizeof(T)) return false;
    std::memcpy(&out, field.bytes.data(), sizeof(T));
    return true;
}

}  // namespace corvane::jet
