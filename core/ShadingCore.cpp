#include "ShadingCore.h"

#include <cmath>

#include "SampleRandom.h"
#include "SampleVariation.h"

namespace {

void SetGBufferIdOf(ShadeContext& sc, const Texmap* self) {
    if (self->gbufID != 0) {
        sc.SetGBufferID(static_cast<int>(self->gbufID));
    }
}

// A sub-map's bump that is not finite contributes nothing.
float FiniteOrZero(float x) {
    return std::isfinite(x) ? x : 0.0f;
}

}  // namespace

std::uint32_t ShadingCore::GeneratorSeed(ShadeContext& sc) const {
    // Material-ID keys, by far the most common, need no call.
    const std::int32_t key = settings.keyMode == 0 || forceMaterialIdKey != 0
                                 ? sc.mtlNum
                                 : SampleKey(sc, settings, forceMaterialIdKey);
    return SampleSeed(key, settings.seed);
}

AColor ShadingCore::EvalColor(ShadeContext& sc, Texmap* self) const {
    AColor result(0.0f, 0.0f, 0.0f, 0.0f);
    if (sc.GetCache(self, result)) {
        return result;
    }
    SetGBufferIdOf(sc, self);

    // All four draws come before any sub-map runs, so a nested map cannot disturb them.
    const SampleDraws draws = DrawSample(GeneratorSeed(sc));
    Color base(0.0f, 0.0f, 0.0f);
    if (settings.useColor != 0) {
        base = settings.subColor;
    } else if (!pickTable.Empty()) {
        base = Color(pickTable.Pick(draws.pick)->EvalColor(sc));
    }
    result = VaryColor(base, settings, draws);
    sc.PutCache(self, result);
    return result;
}

float ShadingCore::EvalMono(ShadeContext& sc, Texmap* self) {
    const AColor c = self->EvalColor(sc);
    return ((c.g + c.r) + c.b) / 3.0f;
}

Point3 ShadingCore::EvalNormalPerturb(ShadeContext& sc, Texmap* self) const {
    Point3 result(0.0f, 0.0f, 0.0f);
    if (sc.GetCache(self, result)) {
        return result;
    }
    SetGBufferIdOf(sc, self);

    // The same seeding as EvalColor: the first draw picks the same sub-map.
    SampleRandom random(GeneratorSeed(sc));
    if (!pickTable.Empty()) {
        const Point3 p = pickTable.Pick(random.Next())->EvalNormalPerturb(sc);
        result = Point3(FiniteOrZero(p.x), FiniteOrZero(p.y), FiniteOrZero(p.z));
    }
    sc.PutCache(self, result);
    return result;
}

int ShadingCore::RenderBegin(TimeValue, ULONG flags) {
    if (flags == 0) {
        forceMaterialIdKey = 0;
    }
    return 1;
}

int ShadingCore::RenderEnd(TimeValue) {
    forceMaterialIdKey = 1;
    return 1;
}
