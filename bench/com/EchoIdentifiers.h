#pragma once

#include <windows.h>

namespace corvane::bench {

// The echo server's class, registered by the benchmark itself.
inline constexpr GUID kEchoClass = {0x3C1F0E52, 0x7A0B, 0x4C6E, {0x9B, 0x1D, 0x52, 0x8E, 0x44, 0x1A, 0x90, 0x21}};
inline constexpr wchar_t kEchoClassKey[] = L"Software\\Classes\\CLSID\\{3C1F0E52-7A0B-4C6E-9B1D-528E441A9021}\\LocalServer32";

}  // namespace corvane::bench
