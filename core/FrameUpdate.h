// The frame update of a MultiMap: before evaluation at a time outside the interval its cached
// state holds for, snapshot the settings, bring the on/off and weight lists to the length of the
// sub-map list, rebuild the pick table, push the "Bitmaps" settings into bitmap sub-maps that
// need them, and update every sub-map. Runs on the host's main thread, never while samples of
// the map are evaluated.
#pragma once

#include <limits>

#include "ShadingCore.h"
#include "imtl.h"
#include "iparamb2.h"

struct FrameState {
    // Times for which the snapshot and the pick table are current; empty means rebuild.
    Interval validity;
    // The filtering, blur and rotation (radians) last pushed into bitmap sub-maps. They start
    // as "nothing pushed yet" (a filtering no setting has, NaN), so the first rebuild pushes
    // the map's settings into every switched-on bitmap.
    int pushedFiltering = -1;
    float pushedBlur = std::numeric_limits<float>::quiet_NaN();
    float pushedRotate = std::numeric_limits<float>::quiet_NaN();
};

// Rebuilds `shading` and `frame` from the block at t, and sets frame.validity to the interval
// over which every setting read and every sub-map stays unchanged.
void RebuildFrame(IParamBlock2* pblock, TimeValue t, ShadingCore& shading, FrameState& frame);

// Rebuilds when t lies outside frame.validity, then narrows `valid` to frame.validity. Without
// a block it does nothing, `valid` included. Inside the validity it costs one interval test
// and one intersection.
inline void UpdateFrame(IParamBlock2* pblock, TimeValue t, Interval& valid, ShadingCore& shading,
                        FrameState& frame) {
    if (!pblock) {
        return;
    }
    if (!frame.validity.InInterval(t)) {
        RebuildFrame(pblock, t, shading, frame);
    }
    valid &= frame.validity;
}
