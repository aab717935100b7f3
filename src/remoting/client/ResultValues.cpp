#include "ResultValues.h"

#include "ErrorReplies.h"

namespace corvane::client::result {

using automation::Variant;
using automation::VarType;

namespace {

const Variant& expect(const Variant& value, VarType type)
{
    if (value.vt() != automation::code(type))
        throw errors::unreadableReply(QStringLiteral("a result of type %1 where the type library declares %2")
                                          .arg(value.vt())
                                          .arg(automation::code(type)));
    return value;
}

}  // namespace

std::int32_t asLong(const Variant& value) { return expect(value, VarType::I4).i4(); }
float asSingle(const Variant& value) { return expect(value, VarType::R4).r4(); }
std::u16string asString(const Variant& value) { return expect(value, VarType::String).string(); }
ObjectRef asObject(const Variant& value) { return ObjectRef::from(expect(value, VarType::Dispatch)); }
ObjectRef asEnumerator(const Variant& value) { return ObjectRef::from(expect(value, VarType::Unknown)); }

}  // namespace corvane::client::result
