#pragma once

#include "automation/AutomationError.h"

#include <cstdint>
#include <string_view>

namespace corvane::data_layer {

// The data layer's errors, with the numbers and descriptions a data layer
// reports. Record-set and collection errors are numbered (0x800A0000 + n);
// file, table and index errors carry the provider's result codes.
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kItemNotFound = 3265;
inline constexpr int kObjectClosed = 3704;
inline constexpr int kObjectOpen = 3705;
inline constexpr int kConnectionUnusable = 3709;
inline constexpr std::int32_t kFileError = static_cast<std::int32_t>(0x80004005);
inline constexpr std::int32_t kNoSuchIndex = static_cast<std::int32_t>(0x80040E35);
inline constexpr std::int32_t kNoSuchTable = static_cast<std::int32_t>(0x80040E37);

automation::AutomationError noCurrentRecord();
automation::AutomationError itemNotFound();
automation::AutomationError objectClosed();
automation::AutomationError objectOpen();
automation::AutomationError connectionUnusable();
automation::AutomationError fileNotFound(std::u16string_view path);
automation::AutomationError unrecognizedFormat(std::u16string_view path);
automation::AutomationError tableNotFound(std::u16string_view table);
automation::AutomationError indexNotFound(std::u16string_view index);

}  // namespace corvane::data_layer
