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

// The three entry points every control library answers the same way, from its `Library` class
// (static unregisterServer, getClassObject and canUnloadNow); DllRegisterServer is its own.
#define TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)                                                  \
    TARVIL_DLL_EXPORT ole::HRESULT DllUnregisterServer()                                           \
    {                                                                                              \
        return Library::unregisterServer();                                                        \
    }                                                                                              \
    TARVIL_DLL_EXPORT ole::HRESULT DllGetClassObject(const ole::Clsid &clsid,                      \
                                                     ole::ClassFactory **classFactory)             \
    {                                                                                              \
        return Library::getClassObject(clsid, classFactory);                                       \
    }                                                                                              \
    TARVIL_DLL_EXPORT ole::HRESULT DllCanUnloadNow()                                               \
    {                                                                                              \
        return Library::canUnloadNow();                                                            \
    }
