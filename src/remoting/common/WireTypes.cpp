#include "WireTypes.h"

namespace corvane::remoting::wire {

using automation::VarType;

QLatin1StringView signatureOf(VarType type)
{
    switch (type) {
    case VarType::Empty: case VarType::Null: case VarType::String: return QLatin1StringView("s");
    case VarType::I2: return QLatin1StringView("n");
    case VarType::I4: case VarType::Error: return QLatin1StringView("i");
    case VarType::R4: case VarType::R8: case VarType::Date: return QLatin1StringView("d");
    case VarType::Currency: return QLatin1StringView("x");
    case VarType::Dispatch: case VarType::Unknown: return QLatin1StringView("o");
    case VarType::Bool: return QLatin1StringView("b");
    case VarType::UI1: return QLatin1StringView("y");
    case VarType::Variant: return kValueSignature;
    }
    return QLatin1StringView("?");
}

QString arraySignature(VarType element)
{
    return QLatin1StringView("(ia") + signatureOf(element) + QLatin1Char(')');
}

}  // namespace corvane::remoting::wire
