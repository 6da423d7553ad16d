// References between scene objects: makers hold references to targets.
#pragma once

#include "animtbl.h"
#include "interval.h"
#include "maxtypes.h"

class ReferenceTarget;
typedef ReferenceTarget* RefTargetHandle;

class ReferenceMaker : public Animatable {
public:
    ~ReferenceMaker() override = default;

    // Render notifications: sent before and after the renderer uses the object. The flags of
    // RenderBegin are 0 for an ordinary production render.
    virtual int RenderBegin(TimeValue t, ULONG flags = 0) {
        (void)t, (void)flags;
        return 0;
    }
    virtual int RenderEnd(TimeValue t) {
        (void)t;
        return 0;
    }
};

class ReferenceTarget : public ReferenceMaker {
public:
    ~ReferenceTarget() override = default;
};
