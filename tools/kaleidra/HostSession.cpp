#include "HostSession.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "HostClasses.h"
#include "SceneFile.h"
#include "SceneMaps.h"
#include "WideText.h"
#include "images/ImageCache.h"
HostSession::HostSession(const std::string& pluginPath, int hostYear) {
    plugin = PluginLoader(hostYear).Load(pluginPath.empty() ? DefaultPluginPath() : pluginPath);
    RegisterHostClasses(directory);
    for (ClassDesc* cd : plugin->Classes()) {
        directory.Register(cd);
    }
}

// Members go in reverse order: the directory only points into the plug-in, which unloads last.
HostSession::~HostSession() = default;

std::unique_ptr<Scene> HostSession::OpenScene(const std::string& path) {
    std::unique_ptr<Scene> scene = LoadScene(path, directory);
    // Bitmap paths relative to the scene file work whatever the working folder.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        ImageCache::Global().AddSearchFolder(folder.string());
    }
    return scene;
}

Texmap* HostSession::FindMap(Scene& scene, const std::wstring& name) {
    const std::vector<Texmap*> maps = SceneMaps(scene);
    std::string names;
    for (Texmap* map : maps) {
        if (std::wstring(map->GetName().data()) == name) {
            return map;
        }
        names += (names.empty() ? "\"" : ", \"") + ToUtf8(map->GetName().data()) + "\"";
    }
    throw std::runtime_error("no map named \"" + ToUtf8(name) + "\" in the scene; its maps are " +
                             (names.empty() ? std::string("none") : names));
}

Texmap* HostSession::NewMultiMap() {
    return static_cast<Texmap*>(plugin->Classes().at(0)->Create(FALSE));
}

std::vector<std::string> HostSession::MissingFiles() const {
    return ImageCache::Global().MissingFiles();
}

std::string DefaultPluginPath() {
    const char* fromEnvironment = std::getenv("KALEIDRA_PLUGIN");
    if (fromEnvironment && *fromEnvironment) {
        return fromEnvironment;
    }
    return KALEIDRA_BUILT_PLUGIN;
}
