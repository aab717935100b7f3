#include "Variant.h"

#include "HResult.h"
#include "SafeArray.h"

namespace corvane::automation {

Variant Variant::null() { return Variant(code(VarType::Null), std::monostate{}); }
Variant Variant::boolean(bool value) { return Variant(code(VarType::Bool), value); }
Variant Variant::date(double automationDate) { return Variant(code(VarType::Date), automationDate); }
Variant Variant::currency(std::int64_t scaled) { return Variant(code(VarType::Currency), scaled); }
Variant Variant::error(std::int32_t scode) { return Variant(code(VarType::Error), scode); }
Variant Variant::dispatch(Ref<Object> object) { return Variant(code(VarType::Dispatch), std::move(object)); }
Variant Variant::unknown(Ref<Object> object) { return Variant(code(VarType::Unknown), std::move(object)); }

Variant Variant::array(std::shared_ptr<const SafeArray> array)
{
    const std::uint16_t vt = code(array->elementType()) | kArrayFlag;
    return Variant(vt, std::move(array));
}

Variant Variant::reference(Variant& target)
{
    return Variant(static_cast<std::uint16_t>(target.vt() | kByRefFlag), &target);
}

Variant Variant::referenceToVariant(Variant& target)
{
    return Variant(static_cast<std::uint16_t>(code(VarType::Variant) | kByRefFlag), &target);
}

const Variant& Variant::missing()
{
    static const Variant marker = Variant::error(hresult::kParamNotFound);
    return marker;
}

bool Variant::isMissing() const
{
    return vt_ == code(VarType::Error) && error() == hresult::kParamNotFound;
}

bool operator==(const Variant& a, const Variant& b)
{
    if (a.vt_ != b.vt_) return false;
    // A reference to an array carries the array flag too, but holds its target.
    if (a.isByRef()) return &a.target() == &b.target();
    if (a.isArray()) return *a.array() == *b.array();
    return a.value_ == b.value_;
}

}  // namespace corvane::automation
