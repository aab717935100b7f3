#include "VarType.h"

namespace corvane::automation {

bool isKnownTypeCode(std::uint16_t raw)
{
    if ((raw & ~(kArrayFlag | kByRefFlag | kTypeMask)) != 0) return false;
    const auto base = static_cast<VarType>(raw & kTypeMask);
    const bool array = (raw & kArrayFlag) != 0;
    if (array) return isArrayElementType(base);
    if (base == VarType::Variant) return (raw & kByRefFlag) != 0;  // only as a reference target
    return isScalarType(base);
}

const char* typeName(VarType type)
{
    switch (type) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::I2: return "Integer";
    case VarType::I4: return "Long";
    case VarType::R4: return "Single";
    case VarType::R8: return "Double";
    case VarType::Currency: return "Currency";
    case VarType::Date: return "Date";
    case VarType::String: return "String";
    case VarType::Dispatch: return "Object";
    case VarType::Error: return "Error";
    case VarType::Bool: return "Boolean";
    case VarType::Variant: return "Variant";
    case VarType::Unknown: return "Unknown";
    case VarType::UI1: return "Byte";
    }
    return "?";
}

}  // namespace corvane::automation
