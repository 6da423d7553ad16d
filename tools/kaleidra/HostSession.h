// The host application's session: the plug-in loaded like the host loads it, the classes it
// can create, and the scenes it opens. Every subcommand works through one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ClassDirectory.h"
#include "PluginLoader.h"
#include "Scene.h"
#include "imtl.h"

class HostSession {
public:
    // Loads Kaleidra.dlt from pluginPath (DefaultPluginPath() when empty) into a host of the
    // given version and registers the host's classes and the plug-in's. Throws
    // PluginLoadError.
    explicit HostSession(const std::string& pluginPath = "", int hostYear = 2025);
    ~HostSession();

    LoadedPlugin& Plugin() { return *plugin; }
    ClassDirectory& Classes() { return directory; }

    // Loads a scene file. Throws SceneError naming the file, the place and the reason.
    std::unique_ptr<Scene> OpenScene(const std::string& path);
    // The MultiMap (or any texture map) named `name` (its material-base name) among the
    // scene's objects. Throws std::runtime_error listing the names there are when none fits.
    Texmap* FindMap(Scene& scene, const std::wstring& name);
    // A new map of the plug-in's class, owned by the caller (DeleteThis).
    Texmap* NewMultiMap();

    // Bitmap files that could not be read during this session, each once, in the order met.
    std::vector<std::string> MissingFiles() const;

private:
    std::unique_ptr<LoadedPlugin> plugin;
    ClassDirectory directory;
};

// The 2025 build of Kaleidra.dlt: $KALEIDRA_PLUGIN when set, else the one built beside this
// program.
std::string DefaultPluginPath();
