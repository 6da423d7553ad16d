// kaleidra render: a preview image of a scene's map over a layout of planks, objects or
// stripes; without a scene, the built-in demo floor.
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "CommandRun.h"
#include "Commands.h"
#include "DemoScene.h"
#include "HostSession.h"
#include "ImageSize.h"
#include "ImageWriter.h"
#include "MultiMapParamIDs.h"
#include "ProgressBar.h"
#include "Renderer.h"
#include "SceneMaps.h"
#include "WideText.h"

namespace {

// Ticks per frame at the host's default 30 frames per second; frames beyond this keep
// frame × 160 inside a TimeValue.
constexpr int kTicksPerFrame = 160;
constexpr int kLargestFrame = 10'000'000;

struct RenderOptions {
    std::string scenePath;
    std::string output;
    std::string mapName;
    std::string layout = "planks";
    std::string size = "512x512";
    int frame = 0;
    std::string keyMode;  // empty: as the map has it
    bool seedGiven = false;
    int seed = 0;
    int threads = 0;
    bool strict = false;
};

bool IsPluginMap(HostSession& session, Texmap* map) {
    return map->ClassID() == session.Plugin().Classes().at(0)->ClassID();
}

// The map named on the command line, else the scene's first Kaleidra map.
Texmap* ChooseMap(HostSession& session, Scene& scene, const std::string& name) {
    if (!name.empty()) {
        return session.FindMap(scene, FromUtf8(name));
    }
    for (Texmap* map : SceneMaps(scene)) {
        if (IsPluginMap(session, map)) {
            return map;
        }
    }
    throw std::runtime_error("the scene has no Kaleidra map; name one with --map");
}

// Key mode and seed overrides go into the map's block before the render begins.
void ApplyOverrides(HostSession& session, Texmap* map, const RenderOptions& options) {
    if (options.keyMode.empty() && !options.seedGiven) {
        return;
    }
    if (!IsPluginMap(session, map)) {
        throw std::runtime_error("--key-mode and --seed need a Kaleidra map");
    }
    IParamBlock2* block = map->GetParamBlock(0);
    if (!options.keyMode.empty()) {
        const int mode = options.keyMode == "material" ? 0 : options.keyMode == "object" ? 1 : 2;
        block->SetValue(pb_rnd_by, 0, mode);
    }
    if (options.seedGiven) {
        block->SetValue(pb_seed, 0, options.seed);
    }
}

int RunRender(const std::string& pluginPath, const RenderOptions& options) {
    const ImageSize size = ParseImageSize(options.size);
    LayoutKind layout = LayoutKind::Planks;
    if (!ParseLayoutKind(options.layout, layout)) {
        throw std::runtime_error("unknown layout \"" + options.layout +
                                 "\" (planks, grid or stripes)");
    }
    if (options.scenePath.empty() && !options.mapName.empty()) {
        throw std::runtime_error("--map needs a SCENE; the demo has one map of its own");
    }
    CheckImageWritable(options.output);

    HostSession session(pluginPath);
    std::unique_ptr<Scene> scene;
    Texmap* map = nullptr;
    if (options.scenePath.empty()) {
        const DemoTextures textures = EnsureDemoTextures(DemoCacheFolder());
        map = session.NewMultiMap();
        scene = std::make_unique<Scene>();
        scene->AddRoot(_M("Demo floor"), map);  // the scene owns the map from here on
        map->SetName(_M("Demo floor"));
        SetUpDemoMap(map, textures.files);
    } else {
        scene = session.OpenScene(options.scenePath);
        map = ChooseMap(session, *scene, options.mapName);
    }
    ApplyOverrides(session, map, options);

    RenderSettings settings;
    settings.layout = layout;
    settings.width = size.width;
    settings.height = size.height;
    settings.time = options.frame * kTicksPerFrame;
    settings.threads = options.threads;
    ProgressBar progress(size.height, ProgressBar::StderrIsTerminal());
    settings.progress = &progress;
    Image image;
    {
        RenderPass pass(SceneMaps(*scene), settings.time);
        image = RenderMap(*map, settings);
    }
    progress.Finish();

    const std::vector<std::string> missing = session.MissingFiles();
    for (const std::string& file : missing) {
        std::fprintf(stderr, "kaleidra render: missing bitmap file: %s\n", file.c_str());
    }
    if (options.strict && !missing.empty()) {
        std::fprintf(stderr, "kaleidra render: %zu bitmap file(s) missing; nothing written\n",
                     missing.size());
        return 1;
    }
    WriteImageFile(options.output, image);
    scene.reset();  // before the session unloads the plug-in that made its objects
    return 0;
}

}  // namespace

CommandAction AddRenderCommand(CLI::App& app) {
    auto options = std::make_shared<RenderOptions>();
    CLI::App* command = app.add_subcommand(
        "render",
        "Renders a preview image of a scene's map over a layout; without SCENE, the built-in "
        "demo floor");
    command->add_option("SCENE", options->scenePath, "The scene file (JSON); none: the demo");
    command
        ->add_option("-o,--output", options->output,
                     "The image file to write (.png, .exr, "
                     ".tif)")
        ->required();
    command->add_option("--map", options->mapName,
                        "The name of the map in the scene (default: its first Kaleidra map)");
    command->add_option("--layout", options->layout, "What keys the pixels carry")
        ->check(CLI::IsMember({"planks", "grid", "stripes"}))
        ->capture_default_str();
    command->add_option("--size", options->size, "The image size, WIDTHxHEIGHT")
        ->capture_default_str();
    command->add_option("--frame", options->frame, "The frame to render (160 ticks a frame)")
        ->check(CLI::Range(-kLargestFrame, kLargestFrame))
        ->capture_default_str();
    command->add_option("--key-mode", options->keyMode, "Overrides the map's \"Randomize by\"")
        ->check(CLI::IsMember({"material", "object", "tile"}));
    CLI::Option* seed = command->add_option("--seed", options->seed, "Overrides the map's seed");
    command->add_option("--threads", options->threads, "Render threads (0: every core)")
        ->check(CLI::Range(0, 1024))
        ->capture_default_str();
    command->add_flag("--strict", options->strict, "Missing bitmap files are an error");
    return [command, options, seed] {
        options->seedGiven = seed->count() > 0;
        return RunCommand("render",
                          [&] { return RunRender(PluginPathOption(*command), *options); });
    };
}
