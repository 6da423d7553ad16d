#include "FrameUpdate.h"

#include "IRedrawSuspend.h"
#include "MultiMapParamIDs.h"
#include "hold.h"
#include "maxapi.h"
#include "stdmat.h"

namespace {

// The host's redraw service, switched off for the duration of a rebuild (and switched on again
// however the rebuild ends). The service may not exist; then nothing happens.
class RedrawSuspension {
public:
    RedrawSuspension() {
        if (IRedrawSuspend* service = Service()) {
            service->SuspendRedraw();
            suspended = true;
        }
    }
    ~RedrawSuspension() {
        if (!suspended) {
            return;
        }
        if (IRedrawSuspend* service = Service()) {
            service->ResumeRedraw();
        }
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    static IRedrawSuspend* Service() {
        Interface* core = GetCOREInterface();
        return core ? static_cast<IRedrawSuspend*>(core->GetInterface(REDRAW_SUSPEND_INTERFACE))
                    : nullptr;
    }
    bool suspended = false;
};

// The "Bitmaps" settings of one rebuild.
struct BitmapSettings {
    int filtering;
    float blur;
    float rotate;  // radians
};

// Pushes the settings that changed since the last rebuild into a bitmap sub-map. Comparisons
// are plain float equality, so NaN on either side counts as a change.
void PushBitmapSettings(Texmap* bitmap, TimeValue t, const BitmapSettings& now,
                        const FrameState& frame) {
    if (now.filtering != frame.pushedFiltering) {
        if (IParamBlock2* block = bitmap->GetParamBlock(0)) {
            block->SetValue(BMTEX_FILTERING_PARAM, t, now.filtering, 0);
        }
    }
    UVGen* generator = bitmap->GetTheUVGen();
    if (generator && generator->IsStdUVGen()) {
        StdUVGen* standard = static_cast<StdUVGen*>(generator);
        if (!(now.blur == frame.pushedBlur)) {
            standard->SetBlur(now.blur, t);
        }
        if (!(now.rotate == frame.pushedRotate)) {
            standard->SetWAng(now.rotate, t);
        }
    }
}

// Reads the sixteen settings in their fixed order, narrowing `validity` with each.
BitmapSettings ReadSettings(IParamBlock2* pb, TimeValue t, ShadeSettings& s, Interval& validity) {
    pb->GetValue(pb_all_gamma, t, s.allGamma, validity);
    pb->GetValue(pb_all_hue, t, s.allHue, validity);
    pb->GetValue(pb_all_sat, t, s.allSat, validity);
    pb->GetValue(pb_rnd_gamma, t, s.rndGamma, validity);
    pb->GetValue(pb_rnd_hue, t, s.rndHue, validity);
    pb->GetValue(pb_rnd_sat, t, s.rndSat, validity);
    pb->GetValue(pb_occ_gamma, t, s.gammaDistribution, validity);
    pb->GetValue(pb_occ_hue, t, s.hueDistribution, validity);
    pb->GetValue(pb_occ_sat, t, s.satDistribution, validity);
    pb->GetValue(pb_rnd_by, t, s.keyMode, validity);
    pb->GetValue(pb_seed, t, s.seed, validity);
    BitmapSettings bitmaps{0, 0.0f, 0.0f};
    pb->GetValue(pb_filtering, t, bitmaps.filtering, validity);
    pb->GetValue(pb_blur, t, bitmaps.blur, validity);
    pb->GetValue(pb_rotate, t, bitmaps.rotate, validity);
    pb->GetValue(pb_sub_color, t, s.subColor, validity);
    pb->GetValue(pb_use_color, t, s.useColor, validity);

    // "Distribution (%)" as the skew fractions; gamma's is inverted.
    s.gammaDistribution = 1.0f - s.gammaDistribution / 100.0f;
    s.hueDistribution = s.hueDistribution / 100.0f;
    s.satDistribution = s.satDistribution / 100.0f;
    return bitmaps;
}

}  // namespace

void RebuildFrame(IParamBlock2* pblock, TimeValue t, ShadingCore& shading, FrameState& frame) {
    frame.validity = FOREVER;
    const BitmapSettings bitmaps = ReadSettings(pblock, t, shading.settings, frame.validity);
    RedrawSuspension redraw;

    // The on/off and weight lists follow the sub-map list, without undo or messages.
    const int n = pblock->Count(pb_submaps);
    {
        SuspendAll quiet(TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE);
        pblock->SetCount(pb_submap_on, n);
        pblock->SetCount(pb_probability, n);
    }

    shading.pickTable.Clear();
    for (int i = 0; i < n; ++i) {
        if (pblock->GetInt(pb_submap_on, t, i) == 0) {
            continue;
        }
        const int weight = pblock->GetInt(pb_probability, t, i);
        Texmap* map = pblock->GetTexmap(pb_submaps, 0, i);
        if (!map) {
            continue;
        }
        shading.pickTable.Add(map, weight);
        if (map->ClassID() == Class_ID(BMTEX_CLASS_ID, 0)) {
            PushBitmapSettings(map, t, bitmaps, frame);
        }
    }
    frame.pushedFiltering = bitmaps.filtering;
    frame.pushedBlur = bitmaps.blur;
    frame.pushedRotate = bitmaps.rotate;

    // Every sub-map updates, switched on or not, and narrows the map's own validity.
    for (int j = 0; j < n; ++j) {
        if (Texmap* map = pblock->GetTexmap(pb_submaps, 0, j)) {
            map->Update(t, frame.validity);
        }
    }
}
