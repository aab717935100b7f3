#pragma once

#include "com/WindowsHeaders.h"

#include "CallerStorage.h"
#include "FuzzInput.h"
#include "VariantSource.h"
#include "com/ObjectBridge.h"

#include <vector>

namespace corvane::fuzz {

// VARIANT arguments of an IDispatch call drawn from a fuzzer's input: mostly
// well-formed values of every type, and what careless or hostile clients
// pass: unknown types, null and self-referring references, chains and
// nesting past the limit, arrays with impossible dimensions, bounds, element
// sizes or data, texts of odd byte length, another program's objects.
class ComArgumentSource {
public:
    using Holding = CallerStorage::Holding;

    ComArgumentSource(FuzzInput& in, VariantSource& values, com::ObjectBridge& objects,
                      const std::vector<automation::Ref<automation::Object>>& pool, CallerStorage& storage)
        : in_(in), values_(values), objects_(objects), pool_(pool), storage_(storage)
    {
    }

    // Any argument into `out` (uninitialised).
    Holding argument(VARIANT& out, int depth = 0);

private:
    Holding wellFormed(VARIANT& out);
    Holding otherWidth(VARIANT& out);
    Holding oddValue(VARIANT& out);
    Holding otherArray(VARIANT& out, int depth);
    Holding nested(VARIANT& out);
    Holding typedReference(VARIANT& out);
    Holding referenceToVariant(VARIANT& out, int depth);
    Holding hostileReference(VARIANT& out);
    // A reference of `type` to zero bytes of storage: what the server writes
    // there is a value of that type, the client's to free after the call.
    void referToEmptySlot(VARIANT& out, VARTYPE type);
    Holding handMadeArray(VARIANT& out, int depth);
    // Fills a by-hand element buffer of `count` elements of type `vt`.
    void fillElements(unsigned char* data, VARTYPE vt, std::size_t count, std::size_t stride, int depth);
    IUnknown* anyObject(bool asDispatch);
    BSTR anyText();

    FuzzInput& in_;
    VariantSource& values_;
    com::ObjectBridge& objects_;
    const std::vector<automation::Ref<automation::Object>>& pool_;
    CallerStorage& storage_;
    std::vector<VARIANT> references_;  // earlier references, to pass again
};

}  // namespace corvane::fuzz
