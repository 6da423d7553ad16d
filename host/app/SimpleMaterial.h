// The host's smallest material: one texture-map slot (reference 0, sub-texture 0) and nothing
// to shade with yet. It is what "a material that uses the map" means in tests and scene files.
#pragma once

#include "Materials/Mtl.h"
#include "iparamb2.h"

class Texmap;

// The stand-in host's own class; no saved scene of the real host names it.
#define SIMPLEMATERIAL_CLASS_ID Class_ID(0x5C0200, 0)

class SimpleMaterial : public Mtl {
public:
    SimpleMaterial() = default;
    // Drops the map (deleted when nothing else refers to it) and whatever refers to this.
    ~SimpleMaterial() override;

    Class_ID ClassID() override { return SIMPLEMATERIAL_CLASS_ID; }
    void GetClassName(MSTR& s, bool localized = true) const override;

    // Updates the map; a material without a map never changes.
    void Update(TimeValue t, Interval& valid) override;
    // A new material has no map: the map is dropped.
    void Reset() override;
    Interval Validity(TimeValue t) override;

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle rtarg) override;
    // The slot itself is cleared by the host after REFMSG_TARGET_DELETED; nothing else to do.
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;

    int NumSubs() override { return 1; }
    Animatable* SubAnim(int i) override;
    MSTR SubAnimName(int i, bool localized = true) override;
    int SubNumToRefNum(int i) override { return i == 0 ? 0 : -1; }

    // Slot 0 only; other indices give null and change nothing.
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i, bool localized) override;

    // A new material whose map is the clone (through remap) of this one's.
    RefTargetHandle Clone(RemapDir& remap) override;

private:
    Texmap* map = nullptr;
};

// The simple material's class descriptor; Create makes a SimpleMaterial.
ClassDesc2* GetSimpleMaterialDesc();
