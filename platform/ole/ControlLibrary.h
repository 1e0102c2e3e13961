#pragma once

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/ControlFactory.h"
#include "platform/ole/Registry.h"

namespace ole {

// The entry points of a library that serves one control class `T` (which names its `kClsid`).
// Instantiated inside that library, so the factory and its instance count belong to it.
template <typename T> class ControlLibrary {
public:
    // Registers the class with the path of the library it lies in; `entry` gives the rest.
    static HRESULT registerServer(ClassEntry entry)
    {
        entry.clsid = T::kClsid;
        // A function's address, not the factory's: a function-local static of a template is
        // one object for the whole process, even across copies of a library.
        entry.libraryPath =
            ComponentLoader::libraryPathOf(reinterpret_cast<const void *>(&registerServer));
        if (entry.libraryPath.empty() || !Registry::registerClass(entry))
            return SELFREG_E_CLASS;
        return S_OK;
    }

    static HRESULT unregisterServer()
    {
        return Registry::unregisterClass(T::kClsid) ? S_OK : SELFREG_E_CLASS;
    }

    static HRESULT getClassObject(const Clsid &clsid, ClassFactory **classFactory)
    {
        if (!classFactory)
            return E_POINTER;
        *classFactory = nullptr;
        if (clsid != T::kClsid)
            return CLASS_E_CLASSNOTAVAILABLE;
        *classFactory = &factory();
        return S_OK;
    }

    static HRESULT canUnloadNow() { return factory().hasLiveInstances() ? S_FALSE : S_OK; }

private:
    static ControlFactory<T> &factory()
    {
        static ControlFactory<T> instance;
        return instance;
    }
};

} // namespace ole
