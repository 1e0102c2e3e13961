#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Types.h"

// The entry points every control library exports with C linkage, under these names:
//   DllRegisterServer, DllUnregisterServer, DllGetClassObject, DllCanUnloadNow.
// DllGetClassObject hands out a factory that the library owns and keeps for its whole life.
namespace ole {

class ClassFactory;

using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
using DllGetClassObjectFn = HRESULT (*)(const Clsid &clsid, ClassFactory **factory);
using DllCanUnloadNowFn = HRESULT (*)();

} // namespace ole

#define TARVIL_DLL_EXPORT extern "C" __attribute__((visibility("default")))
