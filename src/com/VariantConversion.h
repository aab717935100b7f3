#pragma once

#include "WindowsHeaders.h"

#include "ObjectBridge.h"

#include "automation/Variant.h"

#include <deque>
#include <vector>

namespace corvane::com {

// A VARIANT that has no Variant: DISP_E_BADVARTYPE for a malformed or unknown
// one (null pointers, nested references, arrays of more than one dimension or
// of impossible bounds), DISP_E_TYPEMISMATCH for another program's object,
// E_OUTOFMEMORY when a value cannot be made.
struct ConversionRefused {
    HRESULT code;
};

// The most elements an array from a client may have; beyond, it is refused
// before anything is allocated.
inline constexpr ULONG kMostArrayElements = 1u << 24;

// The one place where VARIANT and the core's Variant meet.

// `value` as a VARIANT, into `out` (uninitialised or cleared). Throws ConversionRefused.
void toVariant(const automation::Variant& value, ObjectBridge& objects, VARIANT* out);

// A VARIANT passed by value (no reference) as a Variant. Throws ConversionRefused.
automation::Variant fromVariant(const VARIANT& value, ObjectBridge& objects);

// The arguments of one call: reads them, by-reference ones as references to
// copies kept here, and afterwards writes the copies a member changed back
// into the caller's storage.
class CallArguments {
public:
    explicit CallArguments(ObjectBridge& objects) : objects_(objects) {}
    CallArguments(const CallArguments&) = delete;
    CallArguments& operator=(const CallArguments&) = delete;

    // Throws ConversionRefused.
    automation::Variant read(VARIANT& argument);
    // Copies back what changed; the caller's storage is only touched then.
    void writeBack();

private:
    struct Reference {
        VARIANT* caller;  // the caller's VARIANT: VT_BYREF|type, or the VARIANT a VT_BYREF|VT_VARIANT points at
        automation::Variant* copy;
        automation::Variant original;
        bool toVariant;  // the caller's storage is a whole VARIANT
    };
    automation::Variant readReference(VARIANT& argument, int depth);

    ObjectBridge& objects_;
    std::deque<automation::Variant> copies_;
    std::vector<Reference> references_;
};

}  // namespace corvane::com
