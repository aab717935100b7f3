#include "OleStandIn.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IErrorInfo = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ICreateErrorInfo = {0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};

namespace {

// Arrays beyond this many bytes fail to allocate, as a real process would.
constexpr std::size_t kLargestArrayBytes = std::size_t{1} << 30;

std::size_t elementSizeOf(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    case VT_DECIMAL: return sizeof(DECIMAL);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

USHORT featuresOf(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR: return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_DISPATCH: return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_UNKNOWN: return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_VARIANT: return FADF_HAVEVARTYPE | FADF_VARIANT;
    default: return FADF_HAVEVARTYPE;
    }
}

// The types a VARIANT may hold, alone, in an array or behind a reference.
bool holdable(VARTYPE base, bool inArrayOrReference)
{
    if (base == VT_EMPTY || base == VT_NULL) return !inArrayOrReference;
    if (base == VT_VARIANT) return inArrayOrReference;
    return (base >= VT_I2 && base <= VT_DECIMAL) || (base >= VT_I1 && base <= VT_UINT) || base == VT_RECORD;
}

std::size_t elementCount(const SAFEARRAY& array)
{
    std::size_t count = 1;
    for (USHORT d = 0; d < array.cDims; ++d) count *= array.rgsabound[d].cElements;
    return count;
}

class RecordedErrorInfo final : public ICreateErrorInfo, public IErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ICreateErrorInfo) {
            *object = static_cast<ICreateErrorInfo*>(this);
        } else if (iid == IID_IErrorInfo) {
            *object = static_cast<IErrorInfo*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) override { return guid_ = guid, S_OK; }
    HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR source) override { return replace(source_, source); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR description) override { return replace(description_, description); }
    HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR helpFile) override { return replace(helpFile_, helpFile); }
    HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD helpContext) override { return helpContext_ = helpContext, S_OK; }

    HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override { return *guid = guid_, S_OK; }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) override { return copy(source_, source); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) override { return copy(description_, description); }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* helpFile) override { return copy(helpFile_, helpFile); }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* helpContext) override { return *helpContext = helpContext_, S_OK; }

private:
    ~RecordedErrorInfo()
    {
        SysFreeString(source_);
        SysFreeString(description_);
        SysFreeString(helpFile_);
    }
    static HRESULT replace(BSTR& field, LPOLESTR text)
    {
        SysFreeString(field);
        field = SysAllocString(text);
        return S_OK;
    }
    static HRESULT copy(BSTR field, BSTR* out)
    {
        *out = SysAllocStringLen(field, SysStringLen(field));
        return S_OK;
    }

    std::atomic<ULONG> refs_{1};
    GUID guid_{};
    BSTR source_ = nullptr;
    BSTR description_ = nullptr;
    BSTR helpFile_ = nullptr;
    DWORD helpContext_ = 0;
};

thread_local IErrorInfo* threadError = nullptr;

// A whole number of any width, or a decimal, as sign and magnitude.
struct Exact {
    bool negative = false;
    unsigned __int128 magnitude = 0;
    unsigned scale = 0;  // decimal places of a DECIMAL
};

bool exactOf(const VARIANT& in, Exact& out)
{
    const auto signedValue = [&](LONGLONG v) {
        out.negative = v < 0;
        out.magnitude = v < 0 ? static_cast<unsigned __int128>(-static_cast<__int128>(v)) : static_cast<unsigned __int128>(v);
    };
    switch (in.vt) {
    case VT_I1: signedValue(static_cast<signed char>(in.cVal)); return true;
    case VT_UI1: out.magnitude = in.bVal; return true;
    case VT_I2: signedValue(in.iVal); return true;
    case VT_UI2: out.magnitude = in.uiVal; return true;
    case VT_I4: signedValue(in.lVal); return true;
    case VT_UI4: out.magnitude = in.ulVal; return true;
    case VT_INT: signedValue(in.intVal); return true;
    case VT_UINT: out.magnitude = in.uintVal; return true;
    case VT_I8: signedValue(in.llVal); return true;
    case VT_UI8: out.magnitude = in.ullVal; return true;
    case VT_DECIMAL:
        out.negative = (in.decVal.sign & DECIMAL_NEG) != 0;
        out.magnitude = (static_cast<unsigned __int128>(in.decVal.Hi32) << 64) | in.decVal.Lo64;
        out.scale = in.decVal.scale;
        return true;
    default: return false;
    }
}

}  // namespace

BSTR SysAllocStringByteLen(const char* bytes, UINT length)
{
    if (length > std::numeric_limits<UINT>::max() - 8) return nullptr;
    // The length, the bytes, then two zero bytes (a whole null unit).
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(UINT) + length + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    std::memcpy(block, &length, sizeof(UINT));
    if (bytes) std::memcpy(block + sizeof(UINT), bytes, length);
    else std::memset(block + sizeof(UINT), 0, length);
    std::memset(block + sizeof(UINT) + length, 0, sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(block + sizeof(UINT));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length > (std::numeric_limits<UINT>::max() - 8) / sizeof(OLECHAR)) return nullptr;
    return SysAllocStringByteLen(reinterpret_cast<const char*>(text), UINT(length * sizeof(OLECHAR)));
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (text == nullptr) return nullptr;
    UINT length = 0;
    while (text[length] != 0) ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text)
{
    if (text) std::free(reinterpret_cast<unsigned char*>(text) - sizeof(UINT));
}

UINT SysStringByteLen(BSTR text)
{
    if (text == nullptr) return 0;
    UINT length;
    std::memcpy(&length, reinterpret_cast<unsigned char*>(text) - sizeof(UINT), sizeof(UINT));
    return length;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds)
{
    const std::size_t size = elementSizeOf(vt);
    if (size == 0 || dims == 0 || dims > 0xFFFF || bounds == nullptr) return nullptr;
    std::size_t count = 1;
    for (UINT d = 0; d < dims; ++d) {
        if (bounds[d].cElements != 0 && count > kLargestArrayBytes / bounds[d].cElements) return nullptr;
        count *= bounds[d].cElements;
    }
    if (count > kLargestArrayBytes / size) return nullptr;
    auto* array = static_cast<SAFEARRAY*>(
        std::calloc(1, offsetof(SAFEARRAY, rgsabound) + std::size_t{dims} * sizeof(SAFEARRAYBOUND)));
    if (array == nullptr) return nullptr;
    array->cDims = USHORT(dims);
    array->fFeatures = featuresOf(vt);
    array->cbElements = ULONG(size);
    // The descriptor keeps the bounds last dimension first.
    for (UINT d = 0; d < dims; ++d) array->rgsabound[d] = bounds[dims - 1 - d];
    array->pvData = std::calloc(count > 0 ? count : 1, size);
    if (array->pvData == nullptr) {
        std::free(array);
        return nullptr;
    }
    return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements)
{
    SAFEARRAYBOUND bound{elements, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (array == nullptr) return S_OK;
    if (array->cLocks != 0) return DISP_E_ARRAYISLOCKED;
    const std::size_t count = elementCount(*array);
    if (array->pvData) {
        if (array->fFeatures & FADF_BSTR) {
            for (std::size_t i = 0; i < count; ++i) SysFreeString(static_cast<BSTR*>(array->pvData)[i]);
        } else if (array->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            for (std::size_t i = 0; i < count; ++i)
                if (IUnknown* element = static_cast<IUnknown**>(array->pvData)[i]) element->Release();
        } else if (array->fFeatures & FADF_VARIANT) {
            for (std::size_t i = 0; i < count; ++i) {
                const HRESULT cleared = VariantClear(&static_cast<VARIANT*>(array->pvData)[i]);
                if (FAILED(cleared)) return cleared;
            }
        }
    }
    std::free(array->pvData);
    std::free(array);
    return S_OK;
}

void VariantInit(VARIANT* value)
{
    value->vt = VT_EMPTY;
    value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
}

HRESULT VariantClear(VARIANT* value)
{
    const VARTYPE vt = value->vt;
    const VARTYPE base = vt & VT_TYPEMASK;
    const VARTYPE flags = vt & ~VT_TYPEMASK;
    if ((flags & ~(VT_ARRAY | VT_BYREF)) != 0 || !holdable(base, flags != 0)) return DISP_E_BADVARTYPE;
    if (!(vt & VT_BYREF)) {
        if (vt & VT_ARRAY) {
            const HRESULT destroyed = SafeArrayDestroy(value->parray);
            if (FAILED(destroyed)) return destroyed;
        } else if (vt == VT_BSTR) {
            SysFreeString(value->bstrVal);
        } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
            if (value->punkVal) value->punkVal->Release();
        }
    }
    VariantInit(value);
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* out, const VARIANT* in, USHORT, VARTYPE vt)
{
    Exact exact;
    if (!exactOf(*in, exact)) return DISP_E_TYPEMISMATCH;
    if (exact.scale > 28) return E_INVALIDARG;
    unsigned __int128 power = 1;
    for (unsigned i = 0; i < exact.scale; ++i) power *= 10;
    if (vt == VT_R8) {
        const double value = static_cast<double>(exact.magnitude) / static_cast<double>(power);
        VariantClear(out);
        out->vt = VT_R8;
        out->dblVal = exact.negative ? -value : value;
        return S_OK;
    }
    if (vt != VT_I4) return DISP_E_TYPEMISMATCH;
    // Decimals round half to even, as the real conversion does.
    unsigned __int128 whole = exact.magnitude / power;
    const unsigned __int128 rest = exact.magnitude % power;
    if (rest * 2 > power || (rest * 2 == power && (whole & 1))) ++whole;
    using Wide = unsigned __int128;
    const Wide limit = exact.negative ? Wide(1) << 31 : (Wide(1) << 31) - 1;
    if (whole > limit) return DISP_E_OVERFLOW;
    VariantClear(out);
    out->vt = VT_I4;
    out->lVal = exact.negative ? LONG(-static_cast<LONGLONG>(whole)) : LONG(static_cast<LONGLONG>(whole));
    return S_OK;
}

HRESULT CreateErrorInfo(ICreateErrorInfo** made)
{
    if (made == nullptr) return E_INVALIDARG;
    *made = new RecordedErrorInfo;
    return S_OK;
}

HRESULT SetErrorInfo(ULONG, IErrorInfo* error)
{
    if (error) error->AddRef();
    if (IErrorInfo* old = threadError) old->Release();
    threadError = error;
    return S_OK;
}

HRESULT GetErrorInfo(ULONG, IErrorInfo** error)
{
    if (error == nullptr) return E_INVALIDARG;
    *error = threadError;  // handed over: the thread's error is read once
    threadError = nullptr;
    return *error ? S_OK : S_FALSE;
}

HRESULT CLSIDFromString(const wchar_t* text, CLSID* out)
{
    if (text == nullptr || out == nullptr) return E_INVALIDARG;
    // "{" 8 "-" 4 "-" 4 "-" 4 "-" 12 "}"
    constexpr char kShape[] = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
    unsigned char bytes[16] = {};
    int nibble = 0;
    for (std::size_t i = 0; i < sizeof(kShape) - 1; ++i) {
        const wchar_t c = text[i];
        if (kShape[i] != 'x') {
            if (c != static_cast<wchar_t>(kShape[i])) return CO_E_CLASSSTRING;
            continue;
        }
        int digit;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        else return CO_E_CLASSSTRING;
        bytes[nibble / 2] = static_cast<unsigned char>(bytes[nibble / 2] << 4 | digit);
        ++nibble;
    }
    if (text[sizeof(kShape) - 1] != 0) return CO_E_CLASSSTRING;
    out->Data1 = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
    out->Data2 = std::uint16_t(bytes[4] << 8 | bytes[5]);
    out->Data3 = std::uint16_t(bytes[6] << 8 | bytes[7]);
    std::memcpy(out->Data4, bytes + 8, 8);
    return S_OK;
}

LONG RegCloseKey(HKEY) { return 0; }
