// Sample evaluation cost against the bare arithmetic it is made of, in one binary and one run.
//
// BM_EvalColor: a map made by the loaded Kaleidra.dlt with five constant-colour sub-maps,
// default settings, keys varying per sample and the per-sample cache in place (one new
// sample per iteration).
// BM_BareArithmetic: seed hash, four draws, three powf, two colour conversions and the clamp,
// with nothing else: no cache, no virtual calls, no pick.
// Both report heap allocations per sample; evaluation must make none.
#include <benchmark/benchmark.h>

#include <cmath>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "MultiMapParamIDs.h"
#include "PluginLoader.h"
#include "RatioReporter.h"
#include "SampleVariation.h"
#include "ShadingCore.h"
#include "SimpleShadeContext.h"
#include "SolidColorMap.h"
#include "hsv.h"

namespace {

void ReportAllocations(benchmark::State& state, long before) {
    state.counters["allocs_per_sample"] = benchmark::Counter(
        static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations());
}

// The five sub-map colours of both benchmarks.
const AColor kColours[5] = {AColor(0.8f, 0.2f, 0.1f, 1.0f), AColor(0.1f, 0.7f, 0.3f, 1.0f),
                            AColor(0.2f, 0.3f, 0.9f, 1.0f), AColor(0.6f, 0.5f, 0.4f, 1.0f),
                            AColor(0.9f, 0.9f, 0.2f, 1.0f)};

// The plug-in as the host loads it, and one map made through its class descriptor with the
// parameter defaults (a new map holds its reset values, without random spread).
struct LoadedMap {
    LoadedMap() : plugin(PluginLoader(2025).Load(KALEIDRA_PLUGIN_2025)) {
        map = static_cast<Texmap*>(plugin->Classes().at(0)->Create(FALSE));
        IParamBlock2* block = map->GetParamBlock(0);
        block->SetValue(pb_rnd_gamma, 0, 0.2f);
        block->SetValue(pb_rnd_hue, 0, 15.0f);
        block->SetValue(pb_rnd_sat, 0, 10.0f);
        for (const AColor& c : kColours) {
            Texmap* sub = new SolidColorMap(c);
            block->Append(pb_submaps, 1, &sub);
        }
        Interval valid = FOREVER;
        map->Update(0, valid);
    }
    ~LoadedMap() { map->DeleteThis(); }
    std::unique_ptr<LoadedPlugin> plugin;
    Texmap* map = nullptr;
};

void BM_EvalColor(benchmark::State& state) {
    LoadedMap loaded;
    Texmap& map = *loaded.map;
    SimpleShadeContext sc;
    int key = 0;
    const long before = AllocationCount();
    for (auto _ : state) {
        sc.mtlNum = key++;
        sc.NewSample();
        benchmark::DoNotOptimize(map.EvalColor(sc));
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_EvalColor);

void BM_BareArithmetic(benchmark::State& state) {
    const ShadeSettings s;
    int key = 0;
    int colour = 0;  // cycles through the same five colours, so powf sees the same data
    const long before = AllocationCount();
    for (auto _ : state) {
        const Color base = kColours[colour];
        colour = colour == 4 ? 0 : colour + 1;
        const SampleDraws d = DrawSample(SampleSeed(key++, s.seed));
        const float power = GammaExponent(s, d.gamma);
        Color hsv = RGBtoHSV(
            Color(std::pow(base.r, power), std::pow(base.g, power), std::pow(base.b, power)));
        hsv.r = WrapHue(hsv.r + HueShift(s, d.hue));
        hsv.g = ClampSaturation(SaturationFactor(s, d.sat) * hsv.g);
        AColor out(HSVtoRGB(hsv), 1.0f);
        out.ClampMinMax();
        benchmark::DoNotOptimize(out);
        benchmark::DoNotOptimize(d.pick);
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_BareArithmetic);

}  // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"EvalColor / bare arithmetic", "BM_EvalColor", "BM_BareArithmetic"}});
}
