#include "corvanesim/RemoteError.h"

#include "corvanesim/Text.h"

#include <cstdio>

namespace corvane::client {

std::string hexCode(std::int32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

RemoteError::RemoteError(std::int32_t code, std::u16string description, std::u16string source,
                         std::optional<unsigned> argumentIndex)
    : AutomationError(code, std::move(description), std::move(source)),
      argumentIndex_(argumentIndex),
      what_(hexCode(code) + " " + toUtf8(this->description()))
{
}

}  // namespace corvane::client
