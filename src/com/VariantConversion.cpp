#include "VariantConversion.h"

#include "ComResources.h"

#include "automation/SafeArray.h"

#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace corvane::com {

using automation::Object;
using automation::Ref;
using automation::SafeArray;
using automation::VarType;
using automation::Variant;

namespace {

// How deep references to Variants and arrays of Variants may nest.
constexpr int kDeepestNesting = 8;

[[noreturn]] void refuse(HRESULT code) { throw ConversionRefused{code}; }

std::u16string textOf(BSTR text)
{
    // A null BSTR is the empty text, by the convention every client follows.
    if (text == nullptr) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

BSTR newBstr(const std::u16string& text)
{
    BSTR copy = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (copy == nullptr) refuse(E_OUTOFMEMORY);
    return copy;
}

// The core's type for a VARIANT element type it keeps as it is.
bool coreTypeOf(VARTYPE vt, VarType& type)
{
    switch (vt) {
    case VT_I2: type = VarType::I2; return true;
    case VT_I4: type = VarType::I4; return true;
    case VT_R4: type = VarType::R4; return true;
    case VT_R8: type = VarType::R8; return true;
    case VT_CY: type = VarType::Currency; return true;
    case VT_DATE: type = VarType::Date; return true;
    case VT_BSTR: type = VarType::String; return true;
    case VT_DISPATCH: type = VarType::Dispatch; return true;
    case VT_ERROR: type = VarType::Error; return true;
    case VT_BOOL: type = VarType::Bool; return true;
    case VT_VARIANT: type = VarType::Variant; return true;
    case VT_UNKNOWN: type = VarType::Unknown; return true;
    case VT_UI1: type = VarType::UI1; return true;
    default: return false;
    }
}

std::size_t elementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I2: case VT_BOOL: return 2;
    case VT_I4: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_UI1: return 1;
    default: return 0;
    }
}

Ref<Object> objectFrom(IUnknown* pointer, ObjectBridge& objects)
{
    std::optional<Ref<Object>> object = objects.objectOf(pointer);
    if (!object) refuse(DISP_E_TYPEMISMATCH);
    return *object;
}

Variant fromValue(const VARIANT& value, ObjectBridge& objects, int depth);

// Element `i` of raw array data of element type `vt`.
template <class T>
T rawAt(const void* data, std::size_t i)
{
    T element;
    std::memcpy(&element, static_cast<const unsigned char*>(data) + i * sizeof(T), sizeof(T));
    return element;
}

Variant fromArray(const SAFEARRAY* array, VARTYPE elementVt, ObjectBridge& objects, int depth)
{
    VarType type;
    if (array == nullptr || !coreTypeOf(elementVt, type)) refuse(DISP_E_BADVARTYPE);
    // The core's arrays have one dimension; others cannot be any parameter's type.
    if (array->cDims != 1) refuse(DISP_E_TYPEMISMATCH);
    const SAFEARRAYBOUND bound = array->rgsabound[0];
    const std::int64_t upper = std::int64_t{bound.lLbound} + std::int64_t{bound.cElements} - 1;
    if (bound.cElements > kMostArrayElements || upper > std::numeric_limits<LONG>::max())
        refuse(DISP_E_BADVARTYPE);
    if (array->cbElements != elementSize(elementVt) || (bound.cElements > 0 && array->pvData == nullptr))
        refuse(DISP_E_BADVARTYPE);

    const std::size_t count = bound.cElements;
    const void* data = array->pvData;
    auto collect = [&](auto element) {
        using T = decltype(element(std::size_t{}));
        std::vector<T> elements;
        elements.reserve(count);
        for (std::size_t i = 0; i < count; ++i) elements.push_back(element(i));
        return Variant::array(std::make_shared<const SafeArray>(type, bound.lLbound, std::move(elements)));
    };
    switch (elementVt) {
    case VT_I2: case VT_BOOL:
        return collect([&](std::size_t i) -> std::int16_t {
            const std::int16_t v = rawAt<std::int16_t>(data, i);
            return elementVt == VT_BOOL ? std::int16_t(v != 0 ? -1 : 0) : v;
        });
    case VT_I4: case VT_ERROR: return collect([&](std::size_t i) { return rawAt<std::int32_t>(data, i); });
    case VT_R4: return collect([&](std::size_t i) { return rawAt<float>(data, i); });
    case VT_R8: case VT_DATE: return collect([&](std::size_t i) { return rawAt<double>(data, i); });
    case VT_CY: return collect([&](std::size_t i) { return rawAt<std::int64_t>(data, i); });
    case VT_UI1: return collect([&](std::size_t i) { return rawAt<std::uint8_t>(data, i); });
    case VT_BSTR: return collect([&](std::size_t i) { return textOf(rawAt<BSTR>(data, i)); });
    case VT_DISPATCH: case VT_UNKNOWN:
        return collect([&](std::size_t i) { return objectFrom(rawAt<IUnknown*>(data, i), objects); });
    case VT_VARIANT:
        return collect([&](std::size_t i) {
            const VARIANT& element = static_cast<const VARIANT*>(data)[i];
            // An array holds values; a reference inside one is malformed.
            if (element.vt & VT_BYREF) refuse(DISP_E_BADVARTYPE);
            return fromValue(element, objects, depth + 1);
        });
    default: refuse(DISP_E_BADVARTYPE);
    }
}

// A whole number of another width: as a Long when it fits, as a Double otherwise.
Variant fromWideInteger(const VARIANT& value)
{
    VARIANT asLong;
    VariantInit(&asLong);
    if (SUCCEEDED(VariantChangeType(&asLong, const_cast<VARIANT*>(&value), 0, VT_I4))) return Variant(std::int32_t{asLong.lVal});
    VARIANT asDouble;
    VariantInit(&asDouble);
    if (SUCCEEDED(VariantChangeType(&asDouble, const_cast<VARIANT*>(&value), 0, VT_R8))) return Variant(asDouble.dblVal);
    refuse(DISP_E_OVERFLOW);
}

Variant fromValue(const VARIANT& value, ObjectBridge& objects, int depth)
{
    if (depth > kDeepestNesting) refuse(DISP_E_BADVARTYPE);
    const VARTYPE vt = value.vt;
    if (vt & VT_BYREF) refuse(DISP_E_BADVARTYPE);  // references are CallArguments' business
    if (vt & VT_ARRAY) {
        if (vt & ~(VT_ARRAY | VT_TYPEMASK)) refuse(DISP_E_BADVARTYPE);
        return fromArray(value.parray, VARTYPE(vt & VT_TYPEMASK), objects, depth);
    }
    switch (vt) {
    case VT_EMPTY: return {};
    case VT_NULL: return Variant::null();
    case VT_I2: return Variant(std::int16_t{value.iVal});
    case VT_I4: return Variant(std::int32_t{value.lVal});
    case VT_R4: return Variant(value.fltVal);
    case VT_R8: return Variant(value.dblVal);
    case VT_CY: return Variant::currency(value.cyVal.int64);
    case VT_DATE: return Variant::date(value.date);
    case VT_BSTR: return Variant(textOf(value.bstrVal));
    case VT_DISPATCH: return Variant::dispatch(objectFrom(value.pdispVal, objects));
    case VT_UNKNOWN: return Variant::unknown(objectFrom(value.punkVal, objects));
    case VT_ERROR: return Variant::error(value.scode);
    case VT_BOOL: return Variant::boolean(value.boolVal != VARIANT_FALSE);
    case VT_UI1: return Variant(std::uint8_t{value.bVal});
    case VT_I1: return Variant(std::int16_t{value.cVal});
    case VT_UI2: return Variant(std::int32_t{value.uiVal});
    case VT_INT: case VT_UINT: case VT_UI4: case VT_I8: case VT_UI8: case VT_DECIMAL:
        return fromWideInteger(value);
    default: refuse(DISP_E_BADVARTYPE);
    }
}

VARTYPE variantTypeOf(VarType type)
{
    switch (type) {
    case VarType::Empty: return VT_EMPTY;
    case VarType::Null: return VT_NULL;
    case VarType::I2: return VT_I2;
    case VarType::I4: return VT_I4;
    case VarType::R4: return VT_R4;
    case VarType::R8: return VT_R8;
    case VarType::Currency: return VT_CY;
    case VarType::Date: return VT_DATE;
    case VarType::String: return VT_BSTR;
    case VarType::Dispatch: return VT_DISPATCH;
    case VarType::Error: return VT_ERROR;
    case VarType::Bool: return VT_BOOL;
    case VarType::Variant: return VT_VARIANT;
    case VarType::Unknown: return VT_UNKNOWN;
    case VarType::UI1: return VT_UI1;
    }
    return VT_EMPTY;
}

void objectToVariant(const Ref<Object>& object, bool asDispatch, ObjectBridge& objects, VARIANT* out)
{
    if (asDispatch && (!object || object->asDispatch())) {
        out->vt = VT_DISPATCH;
        out->pdispVal = objects.dispatchOf(object);
    } else {
        out->vt = VT_UNKNOWN;
        out->punkVal = objects.unknownOf(object);
    }
}

void arrayToVariant(const SafeArray& array, ObjectBridge& objects, VARIANT* out)
{
    const VARTYPE elementVt = variantTypeOf(array.elementType());
    if (array.size() > kMostArrayElements) refuse(E_OUTOFMEMORY);
    OwnedSafeArray made(SafeArrayCreateVector(elementVt, array.lowerBound(), static_cast<ULONG>(array.size())));
    if (!made.get()) refuse(E_OUTOFMEMORY);
    const std::size_t count = array.size();
    void* data = made.get()->pvData;
    auto copyPlain = [&](const auto& elements) {
        if (count > 0) std::memcpy(data, elements.data(), count * sizeof(elements[0]));
    };
    std::visit(
        [&](const auto& elements) {
            using T = std::decay_t<decltype(elements[0])>;
            if constexpr (std::is_same_v<T, std::u16string>) {
                // Filled one by one: the array frees what is there if a later one fails.
                for (std::size_t i = 0; i < count; ++i) static_cast<BSTR*>(data)[i] = newBstr(elements[i]);
            } else if constexpr (std::is_same_v<T, Variant>) {
                for (std::size_t i = 0; i < count; ++i) toVariant(elements[i], objects, &static_cast<VARIANT*>(data)[i]);
            } else if constexpr (std::is_same_v<T, Ref<Object>>) {
                for (std::size_t i = 0; i < count; ++i) {
                    static_cast<IUnknown**>(data)[i] = elementVt == VT_DISPATCH ? objects.dispatchOf(elements[i])
                                                                               : objects.unknownOf(elements[i]);
                }
            } else {
                copyPlain(elements);
            }
        },
        array.storage());
    out->vt = VT_ARRAY | elementVt;
    out->parray = made.detach();
}

}  // namespace

Variant fromVariant(const VARIANT& value, ObjectBridge& objects)
{
    return fromValue(value, objects, 0);
}

void toVariant(const Variant& given, ObjectBridge& objects, VARIANT* out)
{
    VariantInit(out);
    const Variant& value = given.dereferenced();
    if (value.isArray()) {
        arrayToVariant(*value.array(), objects, out);
        return;
    }
    switch (value.type()) {
    case VarType::Empty: return;
    case VarType::Null: out->vt = VT_NULL; return;
    case VarType::I2: out->vt = VT_I2; out->iVal = value.i2(); return;
    case VarType::I4: out->vt = VT_I4; out->lVal = value.i4(); return;
    case VarType::R4: out->vt = VT_R4; out->fltVal = value.r4(); return;
    case VarType::R8: out->vt = VT_R8; out->dblVal = value.r8(); return;
    case VarType::Currency: out->vt = VT_CY; out->cyVal.int64 = value.currency(); return;
    case VarType::Date: out->vt = VT_DATE; out->date = value.date(); return;
    case VarType::String: {
        BSTR text = newBstr(value.string());
        out->vt = VT_BSTR;
        out->bstrVal = text;
        return;
    }
    case VarType::Dispatch: objectToVariant(value.object(), true, objects, out); return;
    case VarType::Unknown: objectToVariant(value.object(), false, objects, out); return;
    case VarType::Error: out->vt = VT_ERROR; out->scode = value.error(); return;
    case VarType::Bool: out->vt = VT_BOOL; out->boolVal = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE; return;
    case VarType::UI1: out->vt = VT_UI1; out->bVal = value.ui1(); return;
    case VarType::Variant: break;
    }
    refuse(DISP_E_BADVARTYPE);
}

Variant CallArguments::read(VARIANT& argument)
{
    if (argument.vt & VT_BYREF) return readReference(argument, 0);
    return fromValue(argument, objects_, 0);
}

Variant CallArguments::readReference(VARIANT& argument, int depth)
{
    if (depth > kDeepestNesting || argument.byref == nullptr) refuse(DISP_E_BADVARTYPE);
    const VARTYPE target = VARTYPE(argument.vt & ~VT_BYREF);
    if (target == VT_VARIANT) {
        // A reference to a whole VARIANT, which may hold anything, a reference too.
        VARIANT& pointee = *argument.pvarVal;
        Variant& copy = copies_.emplace_back(pointee.vt & VT_BYREF ? readReference(pointee, depth + 1)
                                                                   : fromValue(pointee, objects_, depth + 1));
        references_.push_back({&pointee, &copy, copy, true});
        return Variant::referenceToVariant(copy);
    }
    if (target == VT_EMPTY || target == VT_NULL || (target & VT_BYREF)) refuse(DISP_E_BADVARTYPE);
    // Read the referenced value through a VARIANT that borrows it.
    VARIANT borrowed;
    VariantInit(&borrowed);
    borrowed.vt = target;
    if (target & VT_ARRAY) {
        borrowed.parray = *argument.pparray;
    } else {
        const std::size_t size = elementSize(target);
        if (size == 0) {
            // Other integer widths, read through their own fields.
            switch (target) {
            case VT_I1: borrowed.cVal = *argument.pcVal; break;
            case VT_UI2: borrowed.uiVal = *argument.puiVal; break;
            case VT_UI4: case VT_UINT: borrowed.ulVal = *argument.pulVal; break;
            case VT_INT: borrowed.intVal = *argument.pintVal; break;
            case VT_I8: borrowed.llVal = *argument.pllVal; break;
            case VT_UI8: borrowed.ullVal = *argument.pullVal; break;
            default: refuse(DISP_E_BADVARTYPE);
            }
            // A reference to a type the core does not keep is read as a value.
            return fromValue(borrowed, objects_, depth + 1);
        }
        std::memcpy(&borrowed.lVal, argument.byref, size);
    }
    Variant& copy = copies_.emplace_back(fromValue(borrowed, objects_, depth + 1));
    references_.push_back({&argument, &copy, copy, false});
    return Variant::reference(copy);
}

void CallArguments::writeBack()
{
    for (const Reference& reference : references_) {
        if (*reference.copy == reference.original) continue;
        OwnedVariant fresh;
        toVariant(*reference.copy, objects_, fresh.get());
        if (reference.toVariant) {
            VariantClear(reference.caller);
            fresh.moveTo(reference.caller);
            continue;
        }
        // A reference to one type gets a value of exactly that type.
        const VARTYPE target = VARTYPE(reference.caller->vt & ~VT_BYREF);
        if ((*fresh).vt != target) continue;
        void* storage = reference.caller->byref;
        if (target & VT_ARRAY) {
            SafeArrayDestroy(*static_cast<SAFEARRAY**>(storage));
        } else if (target == VT_BSTR) {
            SysFreeString(*static_cast<BSTR*>(storage));
        } else if (target == VT_DISPATCH || target == VT_UNKNOWN) {
            if (IUnknown* old = *static_cast<IUnknown**>(storage)) old->Release();
        }
        std::memcpy(storage, &(*fresh).lVal, target & VT_ARRAY ? sizeof(SAFEARRAY*) : elementSize(target));
        VARIANT handedOver;
        fresh.moveTo(&handedOver);  // now owned by the caller's storage
    }
}

}  // namespace corvane::com
