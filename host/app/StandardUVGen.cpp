#include "StandardUVGen.h"

void StandardUVGen::Set(float& field, float value, TimeValue t) {
    ++setCalls;
    field = value;
    NotifyDependents(Interval(t, t), PART_ALL, REFMSG_CHANGE);
}

RefTargetHandle StandardUVGen::Clone(RemapDir& remap) {
    auto* clone = new StandardUVGen();
    *static_cast<MtlBase*>(clone) = *this;
    clone->blur = blur;
    clone->wAng = wAng;
    clone->uScale = uScale;
    clone->vScale = vScale;
    clone->uOffset = uOffset;
    clone->vOffset = vOffset;
    BaseClone(this, clone, remap);
    return clone;
}

void StandardUVGen::Reset() {
    blur = 1.0f;
    wAng = 0.0f;
    uScale = vScale = 1.0f;
    uOffset = vOffset = 0.0f;
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}
