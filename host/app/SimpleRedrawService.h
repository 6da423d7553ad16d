// The host application's redraw service: it has no viewports, so it only keeps count of how
// deeply redraws are suspended and how often a suspension began.
#pragma once

#include "IRedrawSuspend.h"

class SimpleRedrawService : public IRedrawSuspend {
public:
    void SuspendRedraw() override {
        ++depth;
        ++suspensions;
    }
    void ResumeRedraw() override { --depth; }
    int Depth() const { return depth; }
    int Suspensions() const { return suspensions; }

private:
    int depth = 0;
    int suspensions = 0;
};
