#include "ComArgumentSource.h"

#include "CountedFaces.h"
#include "com/VariantConversion.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace corvane::fuzz {
namespace {

using Holding = CallerStorage::Holding;

constexpr int kDeepest = 12;  // past the conversion's limit of eight
constexpr std::size_t kMostHandMadeElements = 64;
constexpr ULONG kConversionLimit = 1u << 24;

// Element types of arrays made by hand: the conversion's own, then some it refuses.
constexpr VARTYPE kElementTypes[] = {VT_I2,   VT_I4,      VT_R4,   VT_R8,    VT_CY,     VT_DATE,  VT_BSTR,
                                     VT_DISPATCH, VT_ERROR, VT_BOOL, VT_VARIANT, VT_UNKNOWN, VT_UI1, VT_I1,
                                     VT_DECIMAL, VT_UI4,   VT_EMPTY, VT_NULL,   VT_RECORD};

std::size_t realElementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    case VT_DECIMAL: return sizeof(DECIMAL);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

// Frees a VARIANT the client owns; a value the server wrote must clear cleanly.
void clearOwned(VARIANT& value, const char* what)
{
    if (FAILED(VariantClear(&value))) fail(what);
}

// Frees the client's variable of `type` at `slot`, which a typed reference
// pointed at.
void clearSlot(void* slot, VARTYPE type, const char* what)
{
    if (type == VT_DECIMAL) return;  // holds nothing to free
    if (type == VT_VARIANT) return clearOwned(*static_cast<VARIANT*>(slot), what);
    VARIANT held;
    VariantInit(&held);
    held.vt = type;
    std::memcpy(&held.llVal, slot, 16);
    clearOwned(held, what);
}

}  // namespace

Holding ComArgumentSource::argument(VARIANT& out, int depth)
{
    VariantInit(&out);
    if (depth >= kDeepest) return wellFormed(out);
    switch (in_.below(16)) {
    case 8: return otherWidth(out);
    case 9: return typedReference(out);
    case 10: return referenceToVariant(out, depth);
    case 11: return hostileReference(out);
    case 12: return handMadeArray(out, depth);
    case 13: return nested(out);
    case 14: return oddValue(out);
    case 15: return otherArray(out, depth);
    default: return wellFormed(out);
    }
}

Holding ComArgumentSource::wellFormed(VARIANT& out)
{
    // Made the way the server makes its own: every type, arrays of every element type.
    try {
        com::toVariant(values_.value(), objects_, &out);
    } catch (const com::ConversionRefused&) {
        VariantInit(&out);
    }
    return Holding::Owned;
}

Holding ComArgumentSource::otherWidth(VARIANT& out)
{
    switch (in_.below(8)) {
    case 0: out.vt = VT_I1; out.cVal = static_cast<CHAR>(in_.byte()); break;
    case 1: out.vt = VT_UI2; out.uiVal = in_.raw<USHORT>(); break;
    case 2: out.vt = VT_UI4; out.ulVal = in_.raw<ULONG>(); break;
    case 3: out.vt = VT_INT; out.intVal = in_.raw<INT>(); break;
    case 4: out.vt = VT_UINT; out.uintVal = in_.raw<UINT>(); break;
    case 5: out.vt = VT_I8; out.llVal = in_.raw<LONGLONG>(); break;
    case 6: out.vt = VT_UI8; out.ullVal = in_.raw<ULONGLONG>(); break;
    default:
        // Scale past 28 and stray sign bits too: the conversion must not trust them.
        out.decVal.scale = static_cast<BYTE>(in_.flag() ? in_.below(29) : in_.byte());
        out.decVal.sign = in_.flag() ? BYTE(in_.byte() & DECIMAL_NEG) : in_.byte();
        out.decVal.Hi32 = in_.flag() ? 0 : in_.raw<ULONG>();
        out.decVal.Lo64 = in_.raw<ULONGLONG>();
        out.vt = VT_DECIMAL;
        break;
    }
    return Holding::Owned;
}

BSTR ComArgumentSource::anyText()
{
    switch (in_.below(4)) {
    case 0: return nullptr;
    case 1: {
        // An odd number of bytes: the length in units leaves the last byte out.
        const std::u16string text = values_.text();
        const UINT bytes = static_cast<UINT>(text.size() * sizeof(char16_t)) | 1u;
        std::u16string padded = text + u'\0';
        return SysAllocStringByteLen(reinterpret_cast<const char*>(padded.data()), bytes);
    }
    default: {
        const std::u16string text = values_.text();
        return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    }
    }
}

IUnknown* ComArgumentSource::anyObject(bool asDispatch)
{
    const std::uint32_t pick = in_.below(static_cast<std::uint32_t>(pool_.size()) + 2);
    if (pick == pool_.size()) return nullptr;
    if (pick > pool_.size()) return CountedFaces::foreign();
    // The server's own object, as dispatch when it has it; an enumerator's
    // face passed as a dispatch pointer when the client says so.
    IUnknown* face = asDispatch ? objects_.dispatchOf(pool_[pick]) : nullptr;
    return face ? face : objects_.unknownOf(pool_[pick]);
}

Holding ComArgumentSource::oddValue(VARIANT& out)
{
    switch (in_.below(4)) {
    case 0:
        out.vt = VT_BSTR;
        out.bstrVal = anyText();
        return Holding::Owned;
    case 1: {
        const bool asDispatch = in_.flag();
        out.punkVal = anyObject(asDispatch);
        out.vt = asDispatch ? VT_DISPATCH : VT_UNKNOWN;
        return Holding::Owned;
    }
    default:
        // Any type at all over zero bytes: null pointers of every kind.
        out.vt = in_.flag() ? in_.raw<VARTYPE>() : VARTYPE(in_.below(80) | (in_.flag() ? VT_ARRAY : 0));
        return Holding::Inert;
    }
}

Holding ComArgumentSource::otherArray(VARIANT& out, int depth)
{
    VARTYPE vt = kElementTypes[in_.below(std::size(kElementTypes) - 3)];
    switch (in_.below(3)) {
    case 0: {
        // Two or three dimensions, as the real API makes them.
        SAFEARRAYBOUND bounds[3];
        const UINT dims = 2 + in_.below(2);
        for (SAFEARRAYBOUND& bound : bounds) bound = {in_.below(4), static_cast<LONG>(in_.below(5)) - 2};
        out.parray = SafeArrayCreate(vt, dims, bounds);
        break;
    }
    case 1:
        // An element type the conversion does not keep.
        vt = in_.flag() ? VT_I1 : in_.flag() ? VT_UI4 : VT_DECIMAL;
        out.parray = SafeArrayCreateVector(vt, in_.raw<LONG>(), in_.below(4));
        break;
    default: {
        // Variants that hold references, which no array may.
        vt = VT_VARIANT;
        out.parray = SafeArrayCreateVector(vt, 0, 1 + in_.below(3));
        if (out.parray == nullptr) break;
        auto* elements = static_cast<VARIANT*>(out.parray->pvData);
        for (ULONG i = 0; i < out.parray->rgsabound[0].cElements; ++i) {
            if (in_.flag()) typedReference(elements[i]);
            else referenceToVariant(elements[i], depth + 1);
        }
        break;
    }
    }
    if (out.parray) out.vt = VARTYPE(VT_ARRAY | vt);
    return Holding::Owned;
}

Holding ComArgumentSource::nested(VARIANT& out)
{
    // Arrays of Variants inside each other, to either side of the limit.
    const int levels = 1 + static_cast<int>(in_.below(kDeepest));
    VARIANT* level = &out;
    for (int i = 0; i < levels; ++i) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
        if (array == nullptr) break;
        level->vt = VT_ARRAY | VT_VARIANT;
        level->parray = array;
        level = static_cast<VARIANT*>(array->pvData);
    }
    level->vt = VT_I4;
    level->lVal = static_cast<LONG>(in_.below(8));
    return Holding::Owned;
}

Holding ComArgumentSource::typedReference(VARIANT& out)
{
    // A variable of one type, the way compiled clients pass it; the server
    // may replace what it holds with another value of that type.
    VARIANT value;
    VariantInit(&value);
    if (in_.below(4) == 0) otherWidth(value);
    else wellFormed(value);
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) {
        // No variable has these types; hostileReference() passes them.
        value.vt = VT_I4;
        value.lVal = 0;
    }
    void* slot = storage_.slot();
    const VARTYPE type = value.vt;
    if (type == VT_DECIMAL) std::memcpy(slot, &value.decVal, sizeof(DECIMAL));
    else std::memcpy(slot, &value.llVal, 16);
    storage_.afterwards([slot, type] { clearSlot(slot, type, "a typed reference was left holding what cannot be freed"); });
    out.vt = VT_BYREF | type;
    out.byref = slot;
    references_.push_back(out);
    return Holding::Owned;
}

Holding ComArgumentSource::referenceToVariant(VARIANT& out, int depth)
{
    // A whole VARIANT, the way scripting clients pass every variable; it may
    // hold a reference in turn.
    VARIANT& target = storage_.variant();
    Holding holding = argument(target, depth + 1);
    // The server may clear what a reference holds: pieces made by hand are not its to free.
    if (holding == Holding::Borrowed) holding = wellFormed(target);
    storage_.holds(target, holding);
    out.vt = VT_BYREF | VT_VARIANT;
    out.pvarVal = &target;
    references_.push_back(out);
    return Holding::Owned;
}

Holding ComArgumentSource::hostileReference(VARIANT& out)
{
    switch (in_.below(6)) {
    case 0:
        // A null reference of any type.
        out.vt = VARTYPE(VT_BYREF | (in_.flag() ? in_.below(24) : in_.raw<VARTYPE>()));
        out.byref = nullptr;
        return Holding::Inert;
    case 1: {
        // A reference to a VARIANT that refers to itself.
        VARIANT& self = storage_.variant();
        self.vt = VT_BYREF | VT_VARIANT;
        self.pvarVal = &self;
        out.vt = VT_BYREF | VT_VARIANT;
        out.pvarVal = in_.flag() ? &self : &out;
        return Holding::Inert;
    }
    case 2: {
        // A chain of references to references, to either side of the limit.
        const int links = 1 + static_cast<int>(in_.below(kDeepest));
        VARIANT* link = &out;
        for (int i = 0; i < links; ++i) {
            VARIANT& next = storage_.variant();
            link->vt = VT_BYREF | VT_VARIANT;
            link->pvarVal = &next;
            link = &next;
        }
        link->vt = VT_I2;
        link->iVal = in_.raw<SHORT>();
        storage_.holds(*link, Holding::Owned);
        return Holding::Owned;
    }
    case 3:
        // The same variable passed twice.
        if (!references_.empty()) {
            out = references_[in_.below(static_cast<std::uint32_t>(references_.size()))];
            return Holding::Owned;
        }
        [[fallthrough]];
    case 4:
        // Any type over zero bytes of storage.
        referToEmptySlot(out, VARTYPE(in_.flag() ? in_.raw<VARTYPE>() : in_.below(80)));
        return Holding::Inert;
    default:
        // A reference to an array that is not there yet, as an array variable
        // no value was given to. (Arrays made by hand go by value only: the
        // server may free what a reference held.)
        referToEmptySlot(out, VARTYPE(VT_ARRAY | kElementTypes[in_.below(std::size(kElementTypes))]));
        return Holding::Inert;
    }
}

void ComArgumentSource::referToEmptySlot(VARIANT& out, VARTYPE type)
{
    void* slot = storage_.slot();
    const VARTYPE target = VARTYPE(type & ~VT_BYREF);
    storage_.afterwards([slot, target] {
        static constexpr unsigned char kUntouched[sizeof(VARIANT)] = {};
        if (std::memcmp(slot, kUntouched, sizeof(kUntouched)) == 0) return;
        clearSlot(slot, target, "the server wrote what cannot be freed through a reference to empty storage");
    });
    out.vt = VARTYPE(VT_BYREF | type);
    out.byref = slot;
}

Holding ComArgumentSource::handMadeArray(VARIANT& out, int depth)
{
    // A descriptor and its data, not from the array functions, in every shape
    // the fields allow. Elements are laid out at their true size; the data is
    // there for every element unless there are too many to make, when it is
    // null (or a token buffer for counts past the conversion's limit).
    const VARTYPE vt = in_.flag() ? kElementTypes[in_.below(std::size(kElementTypes))] : in_.raw<VARTYPE>();
    USHORT dims = 1;
    switch (in_.below(8)) {
    case 0: dims = 0; break;
    case 1: dims = 2; break;
    case 2: dims = static_cast<USHORT>(3 + in_.below(62)); break;
    default: break;
    }
    const std::size_t descriptorSize = offsetof(SAFEARRAY, rgsabound) + std::max<std::size_t>(dims, 1) * sizeof(SAFEARRAYBOUND);
    auto* descriptor = reinterpret_cast<SAFEARRAY*>(new unsigned char[descriptorSize]());
    storage_.afterwards([descriptor] { delete[] reinterpret_cast<unsigned char*>(descriptor); });

    descriptor->cDims = dims;
    descriptor->fFeatures = in_.flag() ? in_.raw<USHORT>() : USHORT(FADF_HAVEVARTYPE);
    std::size_t total = 1;
    for (USHORT d = 0; d < std::max<USHORT>(dims, 1); ++d) {
        SAFEARRAYBOUND& bound = descriptor->rgsabound[d];
        switch (in_.below(8)) {
        case 0: bound.cElements = kConversionLimit + in_.below(2); break;
        case 1: bound.cElements = std::numeric_limits<ULONG>::max() - in_.below(2); break;
        case 2: bound.cElements = 0x80000000u; break;
        case 3: bound.cElements = in_.raw<ULONG>(); break;
        default: bound.cElements = in_.below(kMostHandMadeElements / 4 + 1); break;
        }
        switch (in_.below(6)) {
        case 0: bound.lLbound = std::numeric_limits<LONG>::max() - static_cast<LONG>(in_.below(17)); break;
        case 1: bound.lLbound = std::numeric_limits<LONG>::min() + static_cast<LONG>(in_.below(2)); break;
        case 2: bound.lLbound = in_.raw<LONG>(); break;
        default: bound.lLbound = static_cast<LONG>(in_.below(3)) - 1; break;
        }
        total = std::min<std::size_t>(total * std::min<std::size_t>(bound.cElements, kMostHandMadeElements + 1),
                                      kMostHandMadeElements + 1);
    }
    if (dims == 0) total = 0;

    const std::size_t stride = realElementSize(vt);
    switch (in_.below(6)) {
    case 0: descriptor->cbElements = in_.raw<ULONG>(); break;
    case 1: descriptor->cbElements = static_cast<ULONG>(stride) + 1 - 2 * in_.below(2); break;
    default: descriptor->cbElements = static_cast<ULONG>(stride); break;
    }

    // Any array type, but not a reference: the descriptor is no SAFEARRAY*.
    const VARTYPE arrayVt = in_.below(8) == 0 ? VARTYPE(VT_ARRAY | (in_.raw<VARTYPE>() & ~VT_BYREF))
                                              : VARTYPE(VT_ARRAY | (vt & VT_TYPEMASK));
    const bool makeData = in_.below(8) != 0;
    if (makeData && total <= kMostHandMadeElements) {
        // Room for the elements at the size the descriptor claims too, when that is larger.
        const std::size_t room = std::max<std::size_t>({stride, descriptor->cbElements <= 256 ? descriptor->cbElements : 0, 1});
        auto* data = new unsigned char[std::max<std::size_t>(total, 1) * room]();
        descriptor->pvData = data;
        storage_.afterwards([data] { delete[] data; });
        // Elements of another type than the VARIANT says stay zero (null
        // pointers): a client lying about pointers cannot be caught.
        if (arrayVt == VARTYPE(VT_ARRAY | vt)) fillElements(data, vt, total, stride, depth);
    } else if (makeData && descriptor->rgsabound[0].cElements > kConversionLimit) {
        auto* token = new unsigned char[sizeof(VARIANT)]();
        descriptor->pvData = token;
        storage_.afterwards([token] { delete[] token; });
    }

    out.vt = arrayVt;
    out.parray = descriptor;
    return Holding::Borrowed;
}

void ComArgumentSource::fillElements(unsigned char* data, VARTYPE vt, std::size_t count, std::size_t stride, int depth)
{
    switch (vt) {
    case VT_BSTR:
        for (std::size_t i = 0; i < count; ++i) {
            BSTR text = anyText();
            std::memcpy(data + i * stride, &text, sizeof(text));
            storage_.afterwards([text] { SysFreeString(text); });
        }
        return;
    case VT_DISPATCH: case VT_UNKNOWN:
        for (std::size_t i = 0; i < count; ++i) {
            IUnknown* object = anyObject(vt == VT_DISPATCH);
            std::memcpy(data + i * stride, &object, sizeof(object));
            storage_.afterwards([object] {
                if (object) object->Release();
            });
        }
        return;
    case VT_VARIANT:
        for (std::size_t i = 0; i < count; ++i) {
            VARIANT& element = *reinterpret_cast<VARIANT*>(data + i * stride);
            storage_.holds(element, argument(element, depth + 1));
        }
        return;
    default:
        // Plain bytes; for types the conversion refuses, whatever they are.
        for (std::size_t i = 0; i < count * stride; ++i) data[i] = in_.byte();
        return;
    }
}

}  // namespace corvane::fuzz
