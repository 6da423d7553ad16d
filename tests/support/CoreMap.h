// A texture map made of the shading core alone, wired the way MultiMap wires it. Lets tests
// drive sample evaluation through the host's Texmap interface before MultiMap exists.
#pragma once

#include <atomic>
#include <initializer_list>
#include <utility>

#include "ShadingCore.h"
#include "SolidColorMap.h"
#include "imtl.h"

class CoreMap : public Texmap {
public:
    ShadingCore core;

    // Fills the pick table from (map, weight) pairs in list order.
    void SetTable(std::initializer_list<std::pair<Texmap*, int>> entries) {
        core.pickTable.Clear();
        for (const auto& e : entries) {
            core.pickTable.Add(e.first, e.second);
        }
    }

    AColor EvalColor(ShadeContext& sc) override { return core.EvalColor(sc, this); }
    float EvalMono(ShadeContext& sc) override { return ShadingCore::EvalMono(sc, this); }
    Point3 EvalNormalPerturb(ShadeContext& sc) override { return core.EvalNormalPerturb(sc, this); }
    int RenderBegin(TimeValue t, ULONG flags) override { return core.RenderBegin(t, flags); }
    int RenderEnd(TimeValue t) override { return core.RenderEnd(t); }

    void Update(TimeValue, Interval&) override {}
    void Reset() override {}
    Interval Validity(TimeValue) override { return FOREVER; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
};

// A solid-colour map that counts how often it is evaluated.
class CountingMap : public SolidColorMap {
public:
    using SolidColorMap::SolidColorMap;
    AColor EvalColor(ShadeContext& sc) override {
        colorCalls.fetch_add(1, std::memory_order_relaxed);
        return SolidColorMap::EvalColor(sc);
    }
    Point3 EvalNormalPerturb(ShadeContext& sc) override {
        perturbCalls.fetch_add(1, std::memory_order_relaxed);
        return SolidColorMap::EvalNormalPerturb(sc);
    }
    std::atomic<int> colorCalls{0};
    std::atomic<int> perturbCalls{0};
};

// The settings a freshly reset map holds: no random spread, no shift.
inline ShadeSettings NeutralSettings() {
    ShadeSettings s;
    s.rndGamma = 0.0f;
    s.rndHue = 0.0f;
    s.rndSat = 0.0f;
    return s;
}
