// MultiMap: the plug-in's texture map. A list of sub-maps with on/off switches and weights; per
// sample a key picks one with a chance proportional to its weight, and the result's gamma, hue
// and saturation are varied per key. Every setting lives in the parameter block `params`,
// reference 0; nothing else is saved.
//
// Life cycle, as the host drives it: the class descriptor creates the map (or Clone does);
// before rendering the host calls RenderBegin, then Update at the frame's time, then the Eval*
// operations from any number of render threads, then RenderEnd; edits reach the map as
// messages from its block; the host deletes the map with DeleteThis.
#pragma once

#include <cstdint>

#include "FrameUpdate.h"
#include "ReferenceManager.h"
#include "ShadingCore.h"
#include "ViewportHandle.h"
#include "ifnpub.h"
#include "imtl.h"
#include "iparamb2.h"

class Value;  // a script value of the texture-manager window

// The scripting interface of a map: the map itself, as a mixin.
#define IMULTIMAP_INTERFACE_ID Interface_ID(0x2D5D2030, 0x45C54488)

class MultiMap : public ReferenceManager<Texmap, 0>, public FPMixinInterface {
public:
    MultiMap();
    ~MultiMap() override;

    // Both bases come from the host heap; a map is allocated and freed through the first.
    using ReferenceManager<Texmap, 0>::operator new;
    using ReferenceManager<Texmap, 0>::operator delete;

    BaseInterface* GetInterface(Interface_ID id) override;
    void DeleteThis() override;
    void GetClassName(MSTR& s, bool localized = true) const override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;

    int NumSubs() override { return 1; }
    Animatable* SubAnim(int i) override;
    MSTR SubAnimName(int i, bool localized = true) override;
    int SubNumToRefNum(int subNum) override { return subNum; }

    int RenderBegin(TimeValue t, ULONG flags = 0) override;
    int RenderEnd(TimeValue t) override;

    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int i) override;
    IParamBlock2* GetParamBlockByID(BlockID id) override;

    void RefDeleted(ReferenceMaker* oldOwner) override;
    RefTargetHandle Clone(RemapDir& remap) override;
    ULONG LocalRequirements(int subMtlNum) override;

    void Update(TimeValue t, Interval& valid) override;
    Interval Validity(TimeValue t) override;
    void Reset() override;

    BOOL SupportTexDisplay() override { return TRUE; }
    DWORD_PTR GetActiveTexHandle(TimeValue t, TexHandleMaker& thmaker) override;
    void ActivateTexDisplay(BOOL onoff) override;

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

    int NumSubTexmaps() override;
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i, bool localized) override;
    BOOL SetDlgThing(ParamDlg* dlg) override;

    // The callback of reference 0: reacts to the block's change (80), table-structure (258)
    // and dependents-changed (259) messages. Always REF_SUCCEED.
    static RefResult ParamBlockNotify(void* owner, RefMessage message, std::uint64_t& partID);
    // Closes the texture-manager window when no material or other map depends on the map.
    void CloseListViewIfUnused();

    // The texture-manager window. It arrives with the script bridge; until then no window
    // opens and m_listView stays null, so refreshing and closing have nothing to do.
    void ShowListView() {}
    void UpdateListView() {}
    void CloseListView() {}

    // The parameter block `params`, reference 0.
    RefPtr<IParamBlock2, 0> pblock;
    // Frame-update state: validity and the settings last pushed into bitmap sub-maps.
    FrameState frame;
    // What render threads read: the settings snapshot, the pick table, the key-mode override.
    ShadingCore shading;
    // The viewport texture handle and its validity.
    ViewportHandle viewport;
    // The open texture-manager window, or null.
    Value* m_listView = nullptr;
};

// Walks the dependents of a map looking for a material or another map.
class FindMaterialEnum : public DependentEnumProc {
public:
    explicit FindMaterialEnum(MultiMap* m) : map(m) {}
    ~FindMaterialEnum() override = default;
    int proc(ReferenceMaker* rmaker) override;

    bool found = false;
    MultiMap* map;
};
