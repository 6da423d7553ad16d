// Sample evaluation of a MultiMap: the state that render threads read (the settings snapshot,
// the pick table and the key-mode override) and the evaluation operations over it.
//
// Threads: EvalColor, EvalMono and EvalNormalPerturb may run on many threads at once; they
// write nothing here, only the caller's shading context. The frame update and the render
// notifications write this state and must not run while samples of the map are evaluated.
#pragma once

#include "PickTable.h"
#include "ShadeSettings.h"
#include "imtl.h"

class ShadingCore {
public:
    // The snapshot that evaluation reads; the frame update writes it. Before the first rebuild
    // it holds the parameter defaults, with a black plain colour as a new map has.
    ShadeSettings settings;
    PickTable pickTable;
    // Non-zero: key by material ID whatever settings.keyMode says. Cleared by a render begun
    // with flags 0 until its end, so the key mode applies only to such renders.
    int forceMaterialIdKey = 1;

    // The varied colour of the sample for the map `self` (the cache key and G-buffer owner).
    AColor EvalColor(ShadeContext& sc, Texmap* self) const;
    // ((g + r) + b) / 3 of self->EvalColor(sc), so the colour cache serves both.
    static float EvalMono(ShadeContext& sc, Texmap* self);
    // The picked sub-map's normal perturbation, unvaried; (0, 0, 0) with an empty table.
    Point3 EvalNormalPerturb(ShadeContext& sc, Texmap* self) const;

    // A render with flags 0 lets the key mode take effect; returns 1.
    int RenderBegin(TimeValue t, ULONG flags);
    // Back to material-ID keys; returns 1.
    int RenderEnd(TimeValue t);

    // The generator seed of the sample, from its key and the seed setting.
    std::uint32_t GeneratorSeed(ShadeContext& sc) const;
};
