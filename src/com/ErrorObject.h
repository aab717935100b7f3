#pragma once

#include "WindowsHeaders.h"

#include "automation/Dispatcher.h"

namespace corvane::com {

// What a member raised, in the two forms clients read it: the exception of an
// IDispatch call, and the thread's error object for vtable calls.
void fillExceptionInfo(const automation::ExceptionInfo& raised, EXCEPINFO* out);
void setErrorObject(const automation::ExceptionInfo& raised, const GUID& interfaceId);

}  // namespace corvane::com
