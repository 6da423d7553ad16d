// Data and operations shared by materials and texture maps.
#pragma once

#include "../interval.h"
#include "../ref.h"
#include "../strclass.h"
#include "ISubMap.h"
#include "TexHandle.h"

class MtlBase : public ReferenceTarget, public ISubMap {
public:
    MtlBase() = default;
    ~MtlBase() override = default;

    // Copies the material-base data (name, G-buffer ID, flags); references are not copied.
    CoreExport MtlBase& operator=(const MtlBase& m);
    // The host's part of cloning a material or map.
    CoreExport void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override;

    // Prepares the object for evaluation at t and intersects valid with its own validity.
    virtual void Update(TimeValue t, Interval& valid) = 0;
    // Restores the object's settings to those of a new object.
    virtual void Reset() = 0;
    // The interval around t over which the object stays unchanged.
    virtual Interval Validity(TimeValue t) = 0;

    // Shading requirements (MTLREQ_ flags) of this object and its sub-objects, and of this
    // object alone.
    virtual ULONG Requirements(int subMtlNum) {
        (void)subMtlNum;
        return 0;
    }
    virtual ULONG LocalRequirements(int subMtlNum) { return Requirements(subMtlNum); }

    // Viewport display of the object as a texture.
    virtual BOOL SupportTexDisplay() { return FALSE; }
    virtual void ActivateTexDisplay(BOOL onoff) { (void)onoff; }
    virtual DWORD_PTR GetActiveTexHandle(TimeValue t, TexHandleMaker& thmaker) {
        (void)t, (void)thmaker;
        return 0;
    }

    // The G-buffer (effects channel) ID; 0 means none.
    ULONG gbufID = 0;
    virtual ULONG GetGBufID() { return gbufID; }
    virtual void SetGBufID(ULONG id) { gbufID = id; }

    const MSTR& GetName() const { return name; }
    void SetName(const MSTR& s) { name = s; }

    ReferenceTarget* GetRefTarget() override { return this; }

private:
    MSTR name;
};
