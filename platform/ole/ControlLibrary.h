#pragma once

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/ControlFactory.h"
#include "platform/ole/Registry.h"

namespace ole {

// The entry points of a library that serves one control class `T` (which names its `kClsid`)
// and the classes of its property pages `Pages` (each naming its `kClsid` and `kProgId`).
// Instantiated inside that library, so the factories and their instance counts belong to it.
template <typename T, typename... Pages> class ControlLibrary {
public:
    // Registers the control with the path of the library it lies in, `entry` giving the rest,
    // then each page under its own ProgID.
    static HRESULT registerServer(ClassEntry entry)
    {
        entry.clsid = T::kClsid;
        // A function's address, not the factory's: a function-local static of a template is
        // one object for the whole process, even across copies of a library.
        entry.libraryPath =
            ComponentLoader::libraryPathOf(reinterpret_cast<const void *>(&registerServer));
        if (entry.libraryPath.empty() || !Registry::registerClass(entry))
            return SELFREG_E_CLASS;
        [[maybe_unused]] const auto registerPage = [&entry](const Clsid &clsid,
                                                            std::string_view progId) {
            ClassEntry page;
            page.clsid = clsid;
            page.libraryPath = entry.libraryPath;
            page.progId = std::string(progId);
            page.version = entry.version;
            return Registry::registerClass(page);
        };
        return (registerPage(Pages::kClsid, Pages::kProgId) && ...) ? S_OK : SELFREG_E_CLASS;
    }

    static HRESULT unregisterServer()
    {
        const bool removed = Registry::unregisterClass(T::kClsid) &&
                             (Registry::unregisterClass(Pages::kClsid) && ...);
        return removed ? S_OK : SELFREG_E_CLASS;
    }

    static HRESULT getClassObject(const Clsid &clsid, ClassFactory **classFactory)
    {
        if (!classFactory)
            return E_POINTER;
        *classFactory = nullptr;
        const auto serve = [&](const Clsid &served, ClassFactory &factory) {
            if (clsid == served)
                *classFactory = &factory;
        };
        serve(T::kClsid, factory<T>());
        (serve(Pages::kClsid, factory<Pages>()), ...);
        return *classFactory ? S_OK : CLASS_E_CLASSNOTAVAILABLE;
    }

    static HRESULT canUnloadNow()
    {
        const bool live =
            factory<T>().hasLiveInstances() || (factory<Pages>().hasLiveInstances() || ...);
        return live ? S_FALSE : S_OK;
    }

private:
    template <typename Class> static ControlFactory<Class> &factory()
    {
        static ControlFactory<Class> instance;
        return instance;
    }
};

} // namespace ole
