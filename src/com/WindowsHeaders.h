#pragma once

// The Windows headers the COM adapter uses, in one place: they define
// `interface` as a macro, which the member table uses as a name, so it goes
// once they are read. Include this before any header of the core.
#if defined(CORVANE_OLE_STAND_IN)
// The conversion built on Linux for the fuzzer, over a stand-in of OLE Automation.
#include "OleStandIn.h"
#else
#include <windows.h>
#include <objbase.h>
#include <oaidl.h>
#include <oleauto.h>
#include <unknwn.h>
#endif

#undef interface
