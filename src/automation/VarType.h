#pragma once

#include <cstdint>

namespace corvane::automation {

// Automation type codes, with the values the Automation standard gives them.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    I2 = 2,
    I4 = 3,
    R4 = 4,
    R8 = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Dispatch = 9,
    Error = 10,
    Bool = 11,
    Variant = 12,  // only as an array element type or the target of a reference
    Unknown = 13,  // an object reference without dispatch (an enumerator)
    UI1 = 17,
};

inline constexpr std::uint16_t kArrayFlag = 0x2000;
inline constexpr std::uint16_t kByRefFlag = 0x4000;
inline constexpr std::uint16_t kTypeMask = 0x0FFF;

constexpr std::uint16_t code(VarType type) { return static_cast<std::uint16_t>(type); }

// True for the element types a Variant may hold directly (not Variant itself).
constexpr bool isScalarType(VarType type)
{
    switch (type) {
    case VarType::Empty: case VarType::Null: case VarType::I2: case VarType::I4:
    case VarType::R4: case VarType::R8: case VarType::Currency: case VarType::Date:
    case VarType::String: case VarType::Dispatch: case VarType::Error: case VarType::Bool:
    case VarType::Unknown: case VarType::UI1:
        return true;
    case VarType::Variant:
        return false;
    }
    return false;
}

// Types an array may hold: every scalar type except Empty and Null, plus Variant.
constexpr bool isArrayElementType(VarType type)
{
    return type == VarType::Variant || (isScalarType(type) && type != VarType::Empty && type != VarType::Null);
}

// Validates a raw type code from outside; false for codes this layer does not know.
bool isKnownTypeCode(std::uint16_t raw);

const char* typeName(VarType type);

}  // namespace corvane::automation
