#pragma once

#include <cstdint>

namespace corvane::automation {

// Result codes of the Automation standard that this system reports.
namespace hresult {
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);
inline constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002);
inline constexpr std::int32_t kMemberNotFound = static_cast<std::int32_t>(0x80020003);
inline constexpr std::int32_t kParamNotFound = static_cast<std::int32_t>(0x80020004);  // also the missing-argument marker
inline constexpr std::int32_t kTypeMismatch = static_cast<std::int32_t>(0x80020005);
inline constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006);
inline constexpr std::int32_t kNoNamedArgs = static_cast<std::int32_t>(0x80020007);
inline constexpr std::int32_t kBadVarType = static_cast<std::int32_t>(0x80020008);
inline constexpr std::int32_t kException = static_cast<std::int32_t>(0x80020009);
inline constexpr std::int32_t kOverflow = static_cast<std::int32_t>(0x8002000A);
inline constexpr std::int32_t kBadIndex = static_cast<std::int32_t>(0x8002000B);
inline constexpr std::int32_t kBadParamCount = static_cast<std::int32_t>(0x8002000E);
inline constexpr std::int32_t kParamNotOptional = static_cast<std::int32_t>(0x8002000F);
inline constexpr std::int32_t kClassNotRegistered = static_cast<std::int32_t>(0x80040154);
inline constexpr std::int32_t kDisconnected = static_cast<std::int32_t>(0x80010108);
inline constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000E);

// Errors raised by members with a number n travel as 0x800A0000 + n.
inline constexpr std::int32_t kMemberErrorBase = static_cast<std::int32_t>(0x800A0000);

constexpr bool failed(std::int32_t code) { return code < 0; }
constexpr std::int32_t fromErrorNumber(int number) { return kMemberErrorBase + number; }
}  // namespace hresult

}  // namespace corvane::automation
