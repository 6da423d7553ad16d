// A host service that the core interface serves: switches viewport and editor redraws off and
// on again, for the duration of work that would otherwise redraw many times.
#pragma once

#include "baseinterface.h"

#define REDRAW_SUSPEND_INTERFACE Interface_ID(0x6B1D4E20, 0x3A7C5911)

class IRedrawSuspend : public BaseInterface {
public:
    Interface_ID GetID() override { return REDRAW_SUSPEND_INTERFACE; }
    // Nests: redraws resume after as many ResumeRedraw calls as SuspendRedraw calls.
    virtual void SuspendRedraw() = 0;
    virtual void ResumeRedraw() = 0;
};
