#pragma once

#include "WindowsHeaders.h"

#include "ObjectBridge.h"

#include "automation/DispatchObject.h"
#include "automation/RegionalSettings.h"

namespace corvane::com {

// One IDispatch::Invoke through the dispatcher: the arguments converted from
// VARIANTs (COM sends them last first, the named ones at the front), the
// result and the changed by-reference arguments converted back, a member's
// error as DISP_E_EXCEPTION with the exception filled and the thread's error
// object set. A VARIANT that cannot be read is refused with its index in
// `argErr`, before any member runs.
HRESULT invokeThroughDispatcher(automation::DispatchObject& target, ObjectBridge& objects,
                                const automation::RegionalSettings& regional, DISPID id, WORD flags,
                                DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argErr);

}  // namespace corvane::com
