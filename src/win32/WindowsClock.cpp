#include "win32/WindowsClock.h"

#include <windows.h>

namespace corvane::win32 {

automation::LocalDateTime WindowsClock::now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace corvane::win32
