#pragma once

#include "platform/ole/Clsid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ole {

// What a library registers for one of its classes.
struct ClassEntry {
    Clsid clsid;
    std::string libraryPath;
    std::string progId;
    std::string version;
    std::uint32_t miscStatus = 0;
    bool insertable = false;
    std::string typeName;

    friend bool operator==(const ClassEntry &, const ClassEntry &) = default;
};

// A registered type library.
struct TypeLibEntry {
    Clsid libId;
    std::string version;
    std::string path;
    std::string helpDirectory;
};

// The registration store: "registry.ini" in the Windows directory, one section per class
// ("CLSID\{...}"), per ProgID ("ProgID\name") and per type library ("TypeLib\{...}"). Libraries
// write and remove their entries from DllRegisterServer and DllUnregisterServer; the loader
// reads them. Writes report false when the file cannot be written; registering what is already
// registered writes nothing, so registering at every start does not rewrite the file.
class Registry {
public:
    static bool registerClass(const ClassEntry &entry);
    static bool unregisterClass(const Clsid &clsid);
    static std::optional<ClassEntry> findClass(const Clsid &clsid);
    // Every registered class, in the order of the store.
    static std::vector<ClassEntry> registeredClasses();
    static std::optional<Clsid> clsidFromProgId(std::string_view progId);

    static bool registerTypeLib(const TypeLibEntry &entry);
    static bool unregisterTypeLib(const Clsid &libId);
    static std::optional<TypeLibEntry> findTypeLib(const Clsid &libId);
};

} // namespace ole
