#include "platform/ole/Registry.h"

#include "platform/profile/Profile.h"

#include <charconv>

namespace ole {

namespace {

constexpr std::string_view kRegistryFile = "registry.ini";

std::string classSection(const Clsid &clsid)
{
    return "CLSID\\" + clsid.toString();
}

std::string progIdSection(std::string_view progId)
{
    return "ProgID\\" + std::string(progId);
}

std::string typeLibSection(const Clsid &libId)
{
    return "TypeLib\\" + libId.toString();
}

std::string read(const std::string &section, std::string_view key)
{
    return profile::GetPrivateProfileString(section, key, "", kRegistryFile);
}

bool write(const std::string &section, std::string_view key, std::string_view value)
{
    return profile::WritePrivateProfileString(section, key, value, kRegistryFile);
}

bool removeSection(const std::string &section)
{
    return profile::WritePrivateProfileString(section, std::nullopt, std::nullopt, kRegistryFile);
}

} // namespace

bool Registry::registerClass(const ClassEntry &entry)
{
    if (findClass(entry.clsid) == entry &&
        (entry.progId.empty() || clsidFromProgId(entry.progId) == entry.clsid))
        return true;
    if (!unregisterClass(entry.clsid))
        return false;
    const auto section = classSection(entry.clsid);
    return write(section, "InprocServer32", entry.libraryPath) &&
           write(section, "ProgID", entry.progId) && write(section, "Version", entry.version) &&
           write(section, "MiscStatus", std::to_string(entry.miscStatus)) &&
           write(section, "Insertable", entry.insertable ? "1" : "0") &&
           write(section, "TypeName", entry.typeName) &&
           (entry.progId.empty() ||
            write(progIdSection(entry.progId), "CLSID", entry.clsid.toString()));
}

bool Registry::unregisterClass(const Clsid &clsid)
{
    const auto section = classSection(clsid);
    const auto progId = read(section, "ProgID");
    if (!progId.empty() && clsidFromProgId(progId) == clsid &&
        !removeSection(progIdSection(progId)))
        return false;
    return removeSection(section);
}

std::optional<ClassEntry> Registry::findClass(const Clsid &clsid)
{
    const auto section = classSection(clsid);
    ClassEntry entry;
    entry.clsid = clsid;
    entry.libraryPath = read(section, "InprocServer32");
    if (entry.libraryPath.empty())
        return std::nullopt;
    entry.progId = read(section, "ProgID");
    entry.version = read(section, "Version");
    const auto miscStatus = read(section, "MiscStatus");
    std::from_chars(miscStatus.data(), miscStatus.data() + miscStatus.size(), entry.miscStatus);
    entry.insertable = read(section, "Insertable") == "1";
    entry.typeName = read(section, "TypeName");
    return entry;
}

std::vector<ClassEntry> Registry::registeredClasses()
{
    constexpr std::string_view prefix = "CLSID\\";
    std::vector<ClassEntry> classes;
    for (const auto &section : profile::GetPrivateProfileSections(kRegistryFile)) {
        if (!section.starts_with(prefix))
            continue;
        if (const auto clsid = Clsid::fromString(section.substr(prefix.size())))
            if (auto entry = findClass(*clsid))
                classes.push_back(std::move(*entry));
    }
    return classes;
}

std::optional<Clsid> Registry::clsidFromProgId(std::string_view progId)
{
    return Clsid::fromString(read(progIdSection(progId), "CLSID"));
}

bool Registry::registerTypeLib(const TypeLibEntry &entry)
{
    const auto section = typeLibSection(entry.libId);
    return removeSection(section) && write(section, "Version", entry.version) &&
           write(section, "Path", entry.path) && write(section, "HelpDir", entry.helpDirectory);
}

bool Registry::unregisterTypeLib(const Clsid &libId)
{
    return removeSection(typeLibSection(libId));
}

std::optional<TypeLibEntry> Registry::findTypeLib(const Clsid &libId)
{
    const auto section = typeLibSection(libId);
    TypeLibEntry entry;
    entry.libId = libId;
    entry.path = read(section, "Path");
    if (entry.path.empty())
        return std::nullopt;
    entry.version = read(section, "Version");
    entry.helpDirectory = read(section, "HelpDir");
    return entry;
}

} // namespace ole
