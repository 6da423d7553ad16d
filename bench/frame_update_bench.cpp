// Frame update costs, in one binary and one run:
// BM_Rebuild100Entries: a full rebuild of a map with 100 sub-maps of weight 1000 each.
// BM_UpdateInsideValidity: an update at a time the cached state already holds for.
// BM_IntervalTestAndIntersect: the interval test and intersection such an update must cost.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include "SolidColorMap.h"
#include "UpdateMap.h"

namespace {

void Fill(UpdateMap& map) {
    for (int i = 0; i < 100; ++i) {
        Texmap* sub = new SolidColorMap(AColor(0.01f * static_cast<float>(i), 0.5f, 0.5f, 1.0f));
        map.pblock->Append(pb_submaps, 1, &sub);
    }
    Interval valid = FOREVER;
    map.Update(0, valid);
    for (int i = 0; i < 100; ++i) {
        map.pblock->SetValue(pb_probability, 0, 1000, i);
    }
}

void BM_Rebuild100Entries(benchmark::State& state) {
    UpdateMap map;
    Fill(map);
    for (auto _ : state) {
        map.frame.validity.SetEmpty();
        Interval valid = FOREVER;
        map.Update(0, valid);
        benchmark::DoNotOptimize(valid);
    }
    state.counters["table_slots"] = static_cast<double>(map.shading.pickTable.Slots().Count());
}
BENCHMARK(BM_Rebuild100Entries);

void BM_UpdateInsideValidity(benchmark::State& state) {
    UpdateMap map;
    Fill(map);
    Interval warm = FOREVER;
    map.Update(0, warm);
    TimeValue t = 0;
    for (auto _ : state) {
        Interval valid(-1000, 1000);
        map.Update(t, valid);
        t = (t + 1) & 255;
        benchmark::DoNotOptimize(valid);
    }
}
BENCHMARK(BM_UpdateInsideValidity);

void BM_IntervalTestAndIntersect(benchmark::State& state) {
    Interval cached = FOREVER;
    benchmark::DoNotOptimize(cached);
    TimeValue t = 0;
    for (auto _ : state) {
        Interval valid(-1000, 1000);
        if (cached.InInterval(t)) {
            valid &= cached;
        }
        t = (t + 1) & 255;
        benchmark::DoNotOptimize(valid);
    }
}
BENCHMARK(BM_IntervalTestAndIntersect);

}  // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"Update inside validity / interval test and intersection",
                           "BM_UpdateInsideValidity", "BM_IntervalTestAndIntersect"}});
}
