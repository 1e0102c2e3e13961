#include "controls/common/ErrorTextLibrary.h"

#include "controls/qvlocale/QvLocale.h"
#include "platform/ole/ComponentLoader.h"

#include <dlfcn.h>
#include <filesystem>

namespace qv {

ErrorTextLibrary::ErrorTextLibrary()
{
    // This code is compiled into each control library, so the marker lies in the library.
    static const char kMarker = 0;
    const std::filesystem::path self = ole::ComponentLoader::libraryPathOf(&kMarker);
    if (self.empty())
        return;
    const auto path = self.parent_path() / qvlocale::kFileName;
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        return;
    m_text = reinterpret_cast<qvlocale::ErrorTextFn>(dlsym(m_handle, qvlocale::kErrorTextSymbol));
    if (!m_text) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}

ErrorTextLibrary::~ErrorTextLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}

std::optional<std::string> ErrorTextLibrary::text(std::uint32_t number) const
{
    if (!m_text)
        return std::nullopt;
    const char *text = m_text(number);
    return std::string(text ? text : "");
}

} // namespace qv
