#include "platform/ole/ComponentLoader.h"

#include "platform/ole/ClassFactory.h"
#include "platform/ole/LibraryExports.h"
#include "platform/ole/Registry.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <vector>

namespace ole {

namespace {

// The process's loaded control libraries by path. Never unloaded: objects they made may outlive
// any container.
std::map<std::string, void *> &loadedLibraries()
{
    static std::map<std::string, void *> libraries;
    return libraries;
}

HRESULT loadLibrary(const std::string &path, void *&handle)
{
    auto &libraries = loadedLibraries();
    if (const auto it = libraries.find(path); it != libraries.end()) {
        handle = it->second;
        return S_OK;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return CO_E_DLLNOTFOUND;
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return CO_E_ERRORINDLL;
    libraries.emplace(path, handle);
    return S_OK;
}

// The library's class factory for the class.
HRESULT classFactory(void *library, const Clsid &clsid, ClassFactory *&factory)
{
    factory = nullptr;
    const auto getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(dlsym(library, "DllGetClassObject"));
    if (!getClassObject)
        return CO_E_ERRORINDLL;
    if (const HRESULT hr = getClassObject(clsid, &factory); failed(hr))
        return hr;
    return factory ? S_OK : CO_E_ERRORINDLL;
}

// The class factory named by the registration store; failing that, the one of a library loaded
// in this process that serves the class. That keeps the libraries registered at start usable
// when the store could not take their registrations (a read-only or full Windows directory),
// or still names a library that has gone since.
HRESULT findClassFactory(const Clsid &clsid, ClassFactory *&factory)
{
    HRESULT hr = REGDB_E_CLASSNOTREG;
    void *library = nullptr;
    if (const auto entry = Registry::findClass(clsid))
        hr = loadLibrary(entry->libraryPath, library);
    if (succeeded(hr))
        return classFactory(library, clsid, factory);
    for (const auto &loaded : loadedLibraries()) {
        if (succeeded(classFactory(loaded.second, clsid, factory)))
            return S_OK;
    }
    return hr;
}

// An object of the class from its factory's `make`.
template <typename Interface>
HRESULT create(const Clsid &clsid, std::shared_ptr<Interface> &object,
               HRESULT (ClassFactory::*make)(std::shared_ptr<Interface> &))
{
    object.reset();
    ClassFactory *factory = nullptr;
    if (const HRESULT hr = findClassFactory(clsid, factory); failed(hr))
        return hr;
    if (const HRESULT hr = (factory->*make)(object); failed(hr)) {
        object.reset();
        return hr;
    }
    return object ? S_OK : E_UNEXPECTED;
}

} // namespace

HRESULT ComponentLoader::createInstance(const Clsid &clsid, std::shared_ptr<Control> &instance)
{
    return create(clsid, instance, &ClassFactory::createInstance);
}

HRESULT ComponentLoader::createPage(const Clsid &clsid, std::shared_ptr<PropertyPage> &page)
{
    return create(clsid, page, &ClassFactory::createPage);
}

HRESULT ComponentLoader::registerLibrariesIn(const std::string &directory)
{
    std::vector<std::string> paths;
    std::error_code error;
    std::filesystem::directory_iterator file(directory, error);
    for (; !error && file != std::filesystem::directory_iterator(); file.increment(error)) {
        std::error_code fileError;
        if (file->is_regular_file(fileError) && file->path().extension() == ".so")
            paths.push_back(std::filesystem::absolute(file->path(), fileError).string());
    }
    if (error)
        return CO_E_DLLNOTFOUND;
    std::sort(paths.begin(), paths.end());

    HRESULT result = S_OK;
    for (const auto &path : paths) {
        void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            result = CO_E_ERRORINDLL;
            continue;
        }
        const auto registerServer =
            reinterpret_cast<DllRegisterServerFn>(dlsym(library, "DllRegisterServer"));
        // A library without the entry point (a runtime the controls share, a text library they
        // load themselves) is not a control library: it goes again, as if never touched.
        if (!registerServer || !loadedLibraries().emplace(path, library).second)
            dlclose(library);
        if (registerServer) {
            if (const HRESULT hr = registerServer(); failed(hr))
                result = hr;
        }
    }
    return result;
}

std::string ComponentLoader::libraryPathOf(const void *address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    std::error_code error;
    const auto path = std::filesystem::absolute(info.dli_fname, error);
    return error ? std::string() : path.string();
}

} // namespace ole
