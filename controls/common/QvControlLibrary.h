#pragma once

#include "controls/common/CQvControlBase.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/ControlLibrary.h"
#include "platform/ole/Registry.h"

#include <string>

namespace qv {

// Where a library's help files are looked for: the library's own folder if it exists, else the
// folder HELP in the Windows directory if that exists, else nowhere (empty).
std::string helpDirectory(const std::string &libraryPath);

// The four entry points of a library serving display control `T`, which names its `kClsid` and
// its `kClassInfo`, and its property pages `Pages`. Each export of the library is one call of
// these.
template <typename T, typename... Pages> class QvControlLibrary {
public:
    // Registers the type library with its help directory, then the class: version 1.0, not
    // insertable, miscellaneous status 0x20191 (recompose on resize, cannot link inside,
    // inside-out, activate when visible, set client site first).
    static ole::HRESULT registerServer()
    {
        const ControlClassInfo &info = T::kClassInfo;
        const std::string path =
            ole::ComponentLoader::libraryPathOf(reinterpret_cast<const void *>(&registerServer));
        if (path.empty() ||
            !ole::Registry::registerTypeLib(
                {info.typeLib->libId, std::string(kVersion), path, helpDirectory(path)}))
            return ole::SELFREG_E_TYPELIB;
        ole::ClassEntry entry;
        entry.progId = std::string(info.progId);
        entry.version = std::string(kVersion);
        entry.miscStatus = kMiscStatus;
        entry.insertable = false;
        entry.typeName = std::string(info.typeName);
        return Classes::registerServer(entry);
    }

    static ole::HRESULT unregisterServer()
    {
        if (!ole::Registry::unregisterTypeLib(T::kClassInfo.typeLib->libId))
            return ole::SELFREG_E_TYPELIB;
        return Classes::unregisterServer();
    }

    static ole::HRESULT getClassObject(const ole::Clsid &clsid, ole::ClassFactory **factory)
    {
        return Classes::getClassObject(clsid, factory);
    }

    static ole::HRESULT canUnloadNow() { return Classes::canUnloadNow(); }

private:
    using Classes = ole::ControlLibrary<T, Pages...>;
    static constexpr std::string_view kVersion = "1.0";
    static constexpr std::uint32_t kMiscStatus = 0x20191;
};

} // namespace qv
