// Render threads evaluating one map at once must get exactly what one thread gets.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "CoreMap.h"
#include "SimpleShadeContext.h"
#include "SolidColorMap.h"

namespace {

struct Sample {
    AColor color;
    float mono;
    Point3 perturb;
};

constexpr int kKeys = 4000;

// Evaluates keys [0, kKeys) in the given order, starting at `offset`, into `out` by key.
void EvaluateAll(Texmap& map, std::vector<Sample>& out, int offset) {
    SimpleShadeContext sc;
    for (int i = 0; i < kKeys; ++i) {
        const int key = (i + offset) % kKeys;
        sc.SetUVW(99, Point3(0.0f, 0.0f, static_cast<float>(key) - 2000.5f));
        sc.NewSample();
        Sample s;
        s.color = map.EvalColor(sc);
        s.mono = map.EvalMono(sc);
        s.perturb = map.EvalNormalPerturb(sc);
        out[static_cast<std::size_t>(key)] = s;
    }
}

}  // namespace

TEST(Concurrency, ThreadsGiveBitIdenticalResultsToOneThread) {
    SolidColorMap a(AColor(0.8f, 0.2f, 0.1f, 1.0f), Point3(0.1f, 0.0f, 0.0f));
    SolidColorMap b(AColor(0.1f, 0.7f, 0.3f, 1.0f), Point3(0.0f, 0.2f, 0.0f));
    SolidColorMap c(AColor(0.2f, 0.3f, 0.9f, 1.0f), Point3(0.0f, 0.0f, 0.3f));
    CoreMap inner;  // a nested map that reseeds inside every outer evaluation
    inner.core.settings.seed = 31337;
    inner.SetTable({{&a, 1}, {&c, 4}});
    CoreMap map;
    map.core.settings.keyMode = 2;
    map.SetTable({{&a, 3}, {&b, 2}, {&inner, 5}, {&c, 1}});
    map.RenderBegin(0, 0);
    inner.RenderBegin(0, 0);

    std::vector<Sample> reference(kKeys);
    EvaluateAll(map, reference, 0);

    constexpr int kThreads = 8;
    std::vector<std::vector<Sample>> results(kThreads, std::vector<Sample>(kKeys));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        // Each thread walks the keys from a different start: order must not matter either.
        threads.emplace_back(
            [&, t] { EvaluateAll(map, results[static_cast<std::size_t>(t)], t * 517); });
    }
    for (auto& th : threads) {
        th.join();
    }
    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kKeys; ++k) {
            const Sample& got = results[static_cast<std::size_t>(t)][static_cast<std::size_t>(k)];
            const Sample& want = reference[static_cast<std::size_t>(k)];
            ASSERT_EQ(std::memcmp(&got.color, &want.color, sizeof(AColor)), 0)
                << "thread " << t << " key " << k;
            ASSERT_EQ(std::memcmp(&got.mono, &want.mono, sizeof(float)), 0);
            ASSERT_EQ(std::memcmp(&got.perturb, &want.perturb, sizeof(Point3)), 0);
        }
    }
}
