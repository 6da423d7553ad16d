// Preview render throughput, in samples per second, through a map the loaded plug-in made:
// BM_RenderMultiMap/threads:N: the demo floor (six bitmaps, tile keys, default spreads).
// BM_RenderBitmap/threads:N: the same layout with one of those bitmaps alone; the ratio of the
// two is the map's overhead over its sub-texture. Compare /threads:1 and /threads:2 for scaling.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "BitmapTexture.h"
#include "DemoScene.h"
#include "PluginLoader.h"
#include "RatioReporter.h"
#include "Renderer.h"
#include "WideText.h"

namespace {

constexpr int kSide = 256;

// The plug-in, a demo map and one bitmap of the same files; made once for the whole run.
struct RenderMaps {
    RenderMaps() : plugin(PluginLoader(2025).Load(KALEIDRA_PLUGIN_2025)) {
        const std::string cache =
            (std::filesystem::temp_directory_path() / "kaleidra-render-bench").string();
        const DemoTextures textures = EnsureDemoTextures(cache);
        multiMap = static_cast<Texmap*>(plugin->Classes().at(0)->Create(FALSE));
        SetUpDemoMap(multiMap, textures.files);
        auto* first = new BitmapTexture();
        first->SetMapName(FromUtf8(textures.files.front()).c_str());
        bitmap = first;
    }
    ~RenderMaps() {
        multiMap->DeleteThis();
        bitmap->DeleteThis();
    }

    std::unique_ptr<LoadedPlugin> plugin;
    Texmap* multiMap = nullptr;
    Texmap* bitmap = nullptr;
};

RenderMaps& Maps() {
    static RenderMaps maps;
    return maps;
}

void RenderBench(benchmark::State& state, Texmap* map) {
    RenderSettings settings;
    settings.width = kSide;
    settings.height = kSide;
    settings.threads = static_cast<int>(state.range(0));
    RenderPass pass(CollectMaps({map}), settings.time);
    RenderMap(*map, settings);  // loads the images before timing
    for (auto _ : state) {
        Image image = RenderMap(*map, settings);
        benchmark::DoNotOptimize(image.rgba.data());
    }
    state.SetItemsProcessed(state.iterations() * SampleCount(settings));
}

void BM_RenderMultiMap(benchmark::State& state) {
    RenderBench(state, Maps().multiMap);
}
BENCHMARK(BM_RenderMultiMap)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_RenderBitmap(benchmark::State& state) {
    RenderBench(state, Maps().bitmap);
}
BENCHMARK(BM_RenderBitmap)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunWithRatios(
        argc, argv,
        {{"MultiMap render, 1 thread / 2 threads", "BM_RenderMultiMap/threads:1/real_time",
          "BM_RenderMultiMap/threads:2/real_time"},
         {"bitmap render, 1 thread / 2 threads", "BM_RenderBitmap/threads:1/real_time",
          "BM_RenderBitmap/threads:2/real_time"},
         {"MultiMap / its bitmap alone, 1 thread", "BM_RenderMultiMap/threads:1/real_time",
          "BM_RenderBitmap/threads:1/real_time"}});
}
