#include "OpenedMap.h"

#include "WideText.h"

void AddMapArguments(CLI::App& command, MapArguments& arguments) {
    command.add_option("SCENE", arguments.scenePath, "The scene file (JSON)")->required();
    command.add_option("--map", arguments.mapName, "The name of the map in the scene")->required();
}

OpenedMap::OpenedMap(const std::string& pluginPath, const MapArguments& arguments)
    : session(pluginPath) {
    scene = session.OpenScene(arguments.scenePath);
    map = session.FindMap(*scene, FromUtf8(arguments.mapName));
}

OpenedMap::~OpenedMap() {
    scene.reset();
}
