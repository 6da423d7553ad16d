// The host's standard texture-coordinate generator: tiling, offsets, rotation about W and blur,
// each a constant (no animation). A change notifies the generator's dependents.
#pragma once

#include "stdmat.h"

class StandardUVGen : public StdUVGen {
public:
    Class_ID ClassID() override { return Class_ID(0x100, 0); }

    void SetBlur(float f, TimeValue t) override { Set(blur, f, t); }
    float GetBlur(TimeValue) override { return blur; }
    void SetWAng(float f, TimeValue t) override { Set(wAng, f, t); }
    float GetWAng(TimeValue) override { return wAng; }
    void SetUScl(float f, TimeValue t) override { Set(uScale, f, t); }
    float GetUScl(TimeValue) override { return uScale; }
    void SetVScl(float f, TimeValue t) override { Set(vScale, f, t); }
    float GetVScl(TimeValue) override { return vScale; }
    void SetUOffs(float f, TimeValue t) override { Set(uOffset, f, t); }
    float GetUOffs(TimeValue) override { return uOffset; }
    void SetVOffs(float f, TimeValue t) override { Set(vOffset, f, t); }
    float GetVOffs(TimeValue) override { return vOffset; }

    // How often a setter was called: the host application's record of pushed settings.
    int SetCalls() const { return setCalls; }

    void Update(TimeValue, Interval&) override {}
    void Reset() override;
    Interval Validity(TimeValue) override { return FOREVER; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
    // A generator with the same settings and material-base data; its SetCalls starts at 0.
    RefTargetHandle Clone(RemapDir& remap) override;

private:
    void Set(float& field, float value, TimeValue t);

    float blur = 1.0f;
    float wAng = 0.0f;  // radians
    float uScale = 1.0f, vScale = 1.0f;
    float uOffset = 0.0f, vOffset = 0.0f;
    int setCalls = 0;
};
