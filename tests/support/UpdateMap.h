// A map made of the shading core, its frame update and its viewport handle, with its settings in
// a "params" block built by the plug-in's class descriptor: what MultiMap wires together, for
// testing the frame update through the host's own operations. Like MultiMap, a change message
// from its block empties the validity.
#pragma once

#include "FrameUpdate.h"
#include "MultiMapClassDesc.h"
#include "MultiMapParams.h"
#include "ShadingCore.h"
#include "ViewportHandle.h"
#include "imtl.h"

class UpdateMap : public Texmap {
public:
    UpdateMap() {
        (void)&params;  // the block descriptor must be linked and registered
        GetMultiMapDesc()->MakeAutoParamBlocks(this);
    }
    ~UpdateMap() override { DeleteAllRefs(); }

    ShadingCore shading;
    FrameState frame;
    ViewportHandle viewport;
    IParamBlock2* pblock = nullptr;

    AColor EvalColor(ShadeContext& sc) override { return shading.EvalColor(sc, this); }
    Point3 EvalNormalPerturb(ShadeContext& sc) override {
        return shading.EvalNormalPerturb(sc, this);
    }
    void Update(TimeValue t, Interval& valid) override {
        UpdateFrame(pblock, t, valid, shading, frame);
    }
    Interval Validity(TimeValue t) override {
        Interval local;
        Update(t, local);
        return frame.validity;
    }
    void Reset() override {}
    DWORD_PTR GetActiveTexHandle(TimeValue t, TexHandleMaker& thmaker) {
        return viewport.Get(this, t, thmaker);
    }

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override { return i == 0 ? pblock : nullptr; }
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i == 0) {
            pblock = static_cast<IParamBlock2*>(rtarg);
        }
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                               RefMessage message, BOOL) override {
        if (hTarget == pblock && message == REFMSG_CHANGE) {
            frame.validity.SetEmpty();
        }
        return REF_SUCCEED;
    }

    // Appends sub-maps to "submaps" (the other two lists follow at the next update).
    void AddSubmaps(std::initializer_list<Texmap*> maps) {
        for (Texmap* m : maps) {
            Texmap* entry = m;
            pblock->Append(pb_submaps, 1, &entry);
        }
    }
    // Sets the on/off switches and weights of the entries, after an update sized the lists.
    void SetEntries(std::initializer_list<std::pair<bool, int>> entries) {
        int i = 0;
        for (const auto& e : entries) {
            pblock->SetValue(pb_submap_on, 0, e.first ? 1 : 0, i);
            pblock->SetValue(pb_probability, 0, e.second, i);
            ++i;
        }
    }
};
