// Loads a plug-in the way the host does: open the shared library, run its entry point with
// reason 1 and its module handle, check the host version it was built for, initialise it and
// list its classes through its exports.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "iparamb2.h"
#include "windows.h"

// A plug-in that cannot be used; the message names the file and the reason.
class PluginLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LoadedPlugin {
public:
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;
    // Shuts the plug-in down and unloads it. Every object it created must be gone by then.
    ~LoadedPlugin();

    const std::string& Path() const { return path; }
    HINSTANCE Module() const { return module; }
    // LibDescription's text, empty when the plug-in has none.
    const std::wstring& Description() const { return description; }
    ULONG Version() const { return version; }
    const std::vector<ClassDesc*>& Classes() const { return classes; }
    // The plug-in's LibClassDesc export, for callers that ask it directly.
    ClassDesc* LibClassDesc(int i) const { return libClassDesc(i); }

private:
    friend class PluginLoader;
    LoadedPlugin() = default;

    std::string path;
    void* library = nullptr;
    HINSTANCE module = nullptr;
    std::wstring description;
    ULONG version = 0;
    std::vector<ClassDesc*> classes;
    ClassDesc* (*libClassDesc)(int) = nullptr;
    int (*libShutdown)() = nullptr;
};

class PluginLoader {
public:
    // A host of the given version (2022 to 2025).
    explicit PluginLoader(int hostYear);

    int HostYear() const { return hostYear; }
    ULONG HostVersion() const;

    // Loads the plug-in at path. Throws PluginLoadError when the file cannot be opened, lacks
    // an export, was built for another host version or fails to initialise; nothing stays
    // loaded then.
    std::unique_ptr<LoadedPlugin> Load(const std::string& path) const;

    // "2024 (0x65904000)", or "an unknown version (0x...)" for a number no year has.
    static std::string DescribeVersion(ULONG version);

private:
    int hostYear;
};
