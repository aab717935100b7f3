#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

// What the operator window hands to the object model.
class ConsoleEvents {
public:
    virtual ~ConsoleEvents() = default;

    // A grid edit was committed: `typedText` has already been written into the
    // cell (row, editColumn is nEditCol). The object model applies the value
    // to the current session's tag and absorbs every failure.
    virtual void gridEditCommitted(std::int32_t row, std::int32_t editColumn, std::u16string_view typedText) = 0;
};

}  // namespace corvane
