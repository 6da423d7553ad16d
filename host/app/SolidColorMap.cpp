#include "SolidColorMap.h"

void SolidColorMap::GetClassName(MSTR& s, bool) const {
    s = _M("Solid Color");
}

AColor SolidColorMap::EvalColor(ShadeContext&) {
    return color;
}

Point3 SolidColorMap::EvalNormalPerturb(ShadeContext&) {
    return perturb;
}

// A constant map never changes, so it leaves the caller's interval as it is.
void SolidColorMap::Update(TimeValue, Interval&) {}

void SolidColorMap::Reset() {
    color = AColor(0.0f, 0.0f, 0.0f, 1.0f);
    perturb = Point3(0.0f, 0.0f, 0.0f);
}

Interval SolidColorMap::Validity(TimeValue) {
    return FOREVER;
}

RefTargetHandle SolidColorMap::Clone(RemapDir& remap) {
    auto* clone = new SolidColorMap(color, perturb);
    *static_cast<MtlBase*>(clone) = *this;
    BaseClone(this, clone, remap);
    return clone;
}

// The map holds no references, so no message can concern it.
RefResult SolidColorMap::NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                                          BOOL) {
    return REF_SUCCEED;
}
