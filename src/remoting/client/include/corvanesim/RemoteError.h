#pragma once

#include "automation/AutomationError.h"
#include "automation/HResult.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::client {

// Result codes that a client meets besides those of the server's members.
namespace hresult {
// The server is gone: it ended, or the object's path no longer answers.
inline constexpr std::int32_t kDisconnected = automation::hresult::kDisconnected;  // 0x80010108
// Nothing on the bus serves the class.
inline constexpr std::int32_t kClassNotRegistered = automation::hresult::kClassNotRegistered;  // 0x80040154
// The bus could not start the server.
inline constexpr std::int32_t kServerExecutionFailed = static_cast<std::int32_t>(0x80080005);
// There is no bus to reach the server through.
inline constexpr std::int32_t kServerUnavailable = static_cast<std::int32_t>(0x800706BA);
inline constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057);
// The server answered something this library cannot read.
inline constexpr std::int32_t kUnexpected = static_cast<std::int32_t>(0x8000FFFF);
}  // namespace hresult

// The source of the errors that this library raises itself.
inline constexpr char16_t kClientErrorSource[] = u"CorvaneSim client";

// A call that failed: the Automation result code with its source and
// description (an error number n raised by a member arrives as 0x800A0000 + n),
// and for an argument refused for its type or range, its position (0 first).
class RemoteError : public automation::AutomationError {
public:
    RemoteError(std::int32_t code, std::u16string description, std::u16string source = kClientErrorSource,
                std::optional<unsigned> argumentIndex = std::nullopt);

    std::int32_t code() const { return hresult(); }
    std::optional<unsigned> argumentIndex() const { return argumentIndex_; }
    // "0x800A0009 Subscript out of range", in UTF-8.
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::optional<unsigned> argumentIndex_;
    std::string what_;
};

// The code as eight upper-case hex digits after 0x.
std::string hexCode(std::int32_t code);

}  // namespace corvane::client
