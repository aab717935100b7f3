#include "Guids.h"

#include <stdexcept>

namespace corvane::com {

std::wstring bracedText(automation::Guid guid)
{
    std::wstring text = L"{";
    for (char16_t c : guid.text) text.push_back(static_cast<wchar_t>(c));
    text.push_back(L'}');
    return text;
}

GUID guidOf(automation::Guid guid)
{
    std::wstring text = bracedText(guid);
    GUID parsed{};
    // The table's own constants: a malformed one is a programming error.
    if (FAILED(CLSIDFromString(text.data(), &parsed))) throw std::logic_error("malformed identifier in the member table");
    return parsed;
}

}  // namespace corvane::com
