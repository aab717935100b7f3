#pragma once

#include "FuzzInput.h"
#include "automation/Object.h"
#include "automation/VarType.h"
#include "automation/Variant.h"

#include <deque>
#include <string>
#include <vector>

namespace corvane::fuzz {

// Automation values of every type, drawn from a fuzzer's input: edge numbers
// and texts the conversions treat specially, arrays (of Variants too, nested),
// object references from a pool, and references to caller-owned Variants.
class VariantSource {
public:
    // References point into `referenced`, which must outlive their use;
    // object values come from `objects` (or are Nothing).
    VariantSource(FuzzInput& in, std::deque<automation::Variant>& referenced,
                  const std::vector<automation::Ref<automation::Object>>& objects)
        : in_(in), referenced_(referenced), objects_(objects)
    {
    }

    // Any value a client could send, by-reference arguments included.
    automation::Variant argument();
    // Any value that is not a reference (arrays included).
    automation::Variant value(int depth = 0);
    automation::Variant scalar(automation::VarType type);

    double number();
    float single();
    std::int64_t currency();
    std::u16string text();

private:
    automation::Variant array(int depth);
    automation::VarType scalarType();
    automation::Ref<automation::Object> object();

    FuzzInput& in_;
    std::deque<automation::Variant>& referenced_;
    const std::vector<automation::Ref<automation::Object>>& objects_;
};

}  // namespace corvane::fuzz
