#pragma once

#include "platform/ole/Clsid.h"
#include "platform/ole/Types.h"

#include <memory>
#include <string>

namespace ole {

class Control;
class PropertyPage;

// Creates controls by class identifier from the libraries named in the registration store, and
// lets the libraries of a folder register themselves. A library once loaded stays loaded for the
// life of the process, since objects it made may live anywhere; a class that the store does not
// name, or names in a library that cannot be loaded, is created by a loaded library serving it,
// so that libraries registered at start work even when the store could not be written.
class ComponentLoader {
public:
    // When no loaded library serves the class either: REGDB_E_CLASSNOTREG (no such class
    // registered), CO_E_DLLNOTFOUND (its library is missing), CO_E_ERRORINDLL (the library cannot
    // be loaded or lacks DllGetClassObject), or the failure of the library's DllGetClassObject or
    // factory.
    static HRESULT createInstance(const Clsid &clsid, std::shared_ptr<Control> &instance);
    // A property page a library serves, found and failing as a control is.
    static HRESULT createPage(const Clsid &clsid, std::shared_ptr<PropertyPage> &page);

    // Calls DllRegisterServer of every shared library in `directory` that exports it. One
    // library's failure does not stop the others; the result is S_OK or the last failure.
    static HRESULT registerLibrariesIn(const std::string &directory);

    // The absolute path of the loaded library that holds `address`; empty when none does. A
    // library uses it with one of its own symbols to register itself where it lies.
    static std::string libraryPathOf(const void *address);
};

} // namespace ole
