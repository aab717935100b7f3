#pragma once

#include "corvanesim/ObjectRef.h"

#include "automation/Variant.h"

#include <cstdint>
#include <string>

namespace corvane::client::result {

// A member's result as the type library declares it; anything else means
// client and server disagree about the contract, reported as unreadable.
std::int32_t asLong(const automation::Variant& value);
float asSingle(const automation::Variant& value);
std::u16string asString(const automation::Variant& value);
ObjectRef asObject(const automation::Variant& value);
ObjectRef asEnumerator(const automation::Variant& value);

}  // namespace corvane::client::result
