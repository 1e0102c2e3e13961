#include "controls/common/QvControlLibrary.h"

#include "platform/profile/WindowsDirectory.h"

#include <filesystem>

namespace qv {

std::string helpDirectory(const std::string &libraryPath)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(libraryPath).parent_path();
    if (!folder.empty() && std::filesystem::is_directory(folder, error))
        return folder.string();
    std::string help = profile::GetWindowsDirectory();
    if (help.empty() || help.back() != '/')
        help += '/';
    help += "HELP";
    return std::filesystem::is_directory(help, error) ? help : std::string();
}

} // namespace qv
