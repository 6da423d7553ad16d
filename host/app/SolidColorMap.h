// A host-provided map of one constant colour and one constant normal perturbation. It serves
// as the non-bitmap sub-map of tests, tools and benchmarks.
#pragma once

#include "imtl.h"

// The stand-in host's own class; no saved scene of the real host names it.
#define SOLIDCOLORMAP_CLASS_ID Class_ID(0x5C0100, 0)

class SolidColorMap : public Texmap {
public:
    explicit SolidColorMap(const AColor& c = AColor(0.0f, 0.0f, 0.0f, 1.0f),
                           const Point3& p = Point3(0.0f, 0.0f, 0.0f))
        : color(c), perturb(p) {}

    Class_ID ClassID() override { return SOLIDCOLORMAP_CLASS_ID; }
    void GetClassName(MSTR& s, bool localized = true) const override;

    AColor EvalColor(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;

    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;
    // A new map of the same colour, perturbation and material-base data.
    RefTargetHandle Clone(RemapDir& remap) override;

    const AColor& GetColor() const { return color; }
    void SetColor(const AColor& c) { color = c; }
    const Point3& GetPerturb() const { return perturb; }
    void SetPerturb(const Point3& p) { perturb = p; }

private:
    AColor color;
    Point3 perturb;
};
