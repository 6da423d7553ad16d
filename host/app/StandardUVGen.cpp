#include "StandardUVGen.h"

void StandardUVGen::Set(float& field, float value, TimeValue t) {
    ++setCalls;
    field = value;
    NotifyDependents(Interval(t, t), PART_ALL, REFMSG_CHANGE);
}

void StandardUVGen::Reset() {
    blur = 1.0f;
    wAng = 0.0f;
    uScale = vScale = 1.0f;
    uOffset = vOffset = 0.0f;
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}
