#include "CollectionIndex.h"

#include "AutomationError.h"
#include "Rounding.h"

namespace corvane::automation {

CollectionIndex readCollectionIndex(const Variant& index)
{
    const Variant& value = index.dereferenced();
    if (value.isArray()) raiseError(error::kTypeMismatch);

    double number = 0;
    switch (value.type()) {
    case VarType::String: return {true, 0, value.string()};
    case VarType::Null: raiseError(error::kInvalidUseOfNull);
    case VarType::Dispatch: case VarType::Unknown:
        raiseError(value.object() ? error::kObjectDoesNotSupport : error::kObjectNotSet);
    case VarType::Empty: case VarType::Error: case VarType::Variant:
        raiseError(error::kInvalidProcedureCall);
    case VarType::I2: number = value.i2(); break;
    case VarType::I4: number = value.i4(); break;
    case VarType::R4: number = value.r4(); break;
    case VarType::R8: number = value.r8(); break;
    case VarType::Date: number = value.date(); break;
    case VarType::Currency: number = static_cast<double>(value.currency()) / 10000.0; break;
    case VarType::Bool: number = value.boolean() ? -1 : 0; break;
    case VarType::UI1: number = value.ui1(); break;
    }
    const auto position = roundToInteger<std::int32_t>(number);
    if (!position) raiseError(error::kSubscriptOutOfRange);
    return {false, *position, {}};
}

}  // namespace corvane::automation
