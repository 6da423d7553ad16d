// The SCENE argument and --map option of the commands that work on one map of a scene, and the
// session, scene and map they open.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "HostSession.h"

struct MapArguments {
    std::string scenePath;  // the scene file
    std::string mapName;    // the map's name (its material-base name), UTF-8
};

// Adds the positional SCENE and the required --map NAME to command.
void AddMapArguments(CLI::App& command, MapArguments& arguments);

// A loaded plug-in, a scene and one of its maps. The scene goes before the session that made
// its objects.
class OpenedMap {
public:
    // Throws PluginLoadError, SceneError, or std::runtime_error naming the maps there are.
    OpenedMap(const std::string& pluginPath, const MapArguments& arguments);
    ~OpenedMap();

    HostSession& Session() { return session; }
    Scene& GetScene() { return *scene; }
    Texmap* Map() { return map; }

private:
    HostSession session;
    std::unique_ptr<Scene> scene;
    Texmap* map = nullptr;
};
