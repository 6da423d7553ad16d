#include "PluginLoader.h"

#include <dlfcn.h>

#include <cstdio>

#include "maxversion.h"
#include "standin/ModuleResources.h"

namespace {

std::string Hex(ULONG value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Closes the library unless released: a failed load leaves nothing behind.
class LibraryHandle {
public:
    explicit LibraryHandle(void* h) : handle(h) {}
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;
    ~LibraryHandle() {
        if (handle) {
            dlclose(handle);
        }
    }
    void* get() const { return handle; }
    void* release() {
        void* h = handle;
        handle = nullptr;
        return h;
    }

private:
    void* handle;
};

template <class Function>
Function Export(void* library, const char* name, const std::string& path, bool required) {
    void* symbol = dlsym(library, name);
    if (!symbol && required) {
        throw PluginLoadError(path + ": not a plug-in: it does not export " + name);
    }
    return reinterpret_cast<Function>(symbol);
}

}  // namespace

LoadedPlugin::~LoadedPlugin() {
    if (libShutdown) {
        libShutdown();
    }
    if (library) {
        dlclose(library);
    }
}

PluginLoader::PluginLoader(int year) : hostYear(year) {}

ULONG PluginLoader::HostVersion() const {
    return MaxVersionOfYear(hostYear);
}

std::string PluginLoader::DescribeVersion(ULONG version) {
    for (int year = 2022; year <= 2025; ++year) {
        if (MaxVersionOfYear(year) == version) {
            return std::to_string(year) + " (" + Hex(version) + ")";
        }
    }
    return "an unknown version (" + Hex(version) + ")";
}

std::unique_ptr<LoadedPlugin> PluginLoader::Load(const std::string& path) const {
    dlerror();
    LibraryHandle library(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library.get()) {
        const char* reason = dlerror();
        throw PluginLoadError(path + ": cannot be loaded: " + (reason ? reason : "unknown error"));
    }

    using DllMainFn = BOOL (*)(HINSTANCE, ULONG, LPVOID);
    const auto dllMain = Export<DllMainFn>(library.get(), "DllMain", path, true);
    const auto libVersion = Export<ULONG (*)()>(library.get(), "LibVersion", path, true);
    const auto libDescription =
        Export<const MCHAR* (*)()>(library.get(), "LibDescription", path, true);
    const auto libNumberClasses = Export<int (*)()>(library.get(), "LibNumberClasses", path, true);
    const auto libClassDesc =
        Export<ClassDesc* (*)(int)>(library.get(), "LibClassDesc", path, true);
    const auto libInitialize = Export<int (*)()>(library.get(), "LibInitialize", path, false);
    const auto libShutdown = Export<int (*)()>(library.get(), "LibShutdown", path, false);

    // The operating system's part: the entry point learns its module handle.
    const HINSTANCE module = ModuleHandleOf(reinterpret_cast<const void*>(dllMain));
    dllMain(module, DLL_PROCESS_ATTACH, nullptr);

    const ULONG version = libVersion();
    if (version != HostVersion()) {
        throw PluginLoadError(path + ": built for host version " + DescribeVersion(version) +
                              "; this host is version " + DescribeVersion(HostVersion()));
    }
    if (libInitialize && !libInitialize()) {
        throw PluginLoadError(path + ": refused to initialise (LibInitialize returned FALSE)");
    }

    std::unique_ptr<LoadedPlugin> plugin(new LoadedPlugin());
    plugin->path = path;
    plugin->module = module;
    const MCHAR* description = libDescription();
    plugin->description = description ? description : L"";
    plugin->version = version;
    plugin->libClassDesc = libClassDesc;
    for (int i = 0, n = libNumberClasses(); i < n; ++i) {
        if (ClassDesc* cd = libClassDesc(i)) {
            plugin->classes.push_back(cd);
        }
    }
    plugin->libShutdown = libShutdown;
    plugin->library = library.release();
    return plugin;
}
