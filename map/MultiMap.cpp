#include "MultiMap.h"

#include "DllEntry.h"
#include "MultiMapClassDesc.h"
#include "MultiMapParams.h"
#include "hold.h"
#include "maxapi.h"
#include "resource.h"

namespace {

MSTR LoadedString(int id) {
    const MCHAR* text = GetString(id);
    return text ? MSTR(text) : MSTR();
}

}  // namespace

MultiMap::MultiMap() : pblock(this, new RefCallback{this, &MultiMap::ParamBlockNotify}) {
    GetMultiMapDesc()->MakeAutoParamBlocks(this);
    Reset();
}

MultiMap::~MultiMap() {
    viewport.Discard();
    if (m_listView) {
        CloseListView();
    }
    shading.pickTable.Clear();
    // pblock, a member, then removes reference 0 with undo recording suspended.
}

BaseInterface* MultiMap::GetInterface(Interface_ID id) {
    if (id == IMULTIMAP_INTERFACE_ID) {
        return static_cast<FPMixinInterface*>(this);
    }
    return ReferenceTarget::GetInterface(id);
}

void MultiMap::DeleteThis() {
    delete this;
}

void MultiMap::GetClassName(MSTR& s, bool localized) const {
    s = localized ? LoadedString(IDS_CLASS_NAME) : MSTR(_M("Kaleidra"));
}

SClass_ID MultiMap::SuperClassID() {
    return TEXMAP_CLASS_ID;
}

Class_ID MultiMap::ClassID() {
    return MULTIMAP_CLASS_ID;
}

Animatable* MultiMap::SubAnim(int i) {
    return i == 0 ? pblock.get() : nullptr;
}

MSTR MultiMap::SubAnimName(int i, bool localized) {
    return i == 0 ? LoadedString(IDS_PARAMS) : GetSubTexmapTVName(i, localized);
}

int MultiMap::RenderBegin(TimeValue t, ULONG flags) {
    return shading.RenderBegin(t, flags);
}

int MultiMap::RenderEnd(TimeValue t) {
    return shading.RenderEnd(t);
}

IParamBlock2* MultiMap::GetParamBlock(int) {
    return pblock;
}

IParamBlock2* MultiMap::GetParamBlockByID(BlockID id) {
    IParamBlock2* block = pblock;
    return block && block->ID() == id ? block : nullptr;
}

void MultiMap::RefDeleted(ReferenceMaker*) {
    CloseListViewIfUnused();
}

RefTargetHandle MultiMap::Clone(RemapDir& remap) {
    auto* clone = new MultiMap();
    *static_cast<MtlBase*>(clone) = *static_cast<MtlBase*>(this);
    clone->frame.validity.SetEmpty();
    clone->ReplaceReference(kMultiMapParamsRef, remap.CloneRef(pblock), TRUE);
    BaseClone(this, clone, remap);
    return clone;
}

ULONG MultiMap::LocalRequirements(int) {
    return 0;
}

void MultiMap::Update(TimeValue t, Interval& valid) {
    UpdateFrame(pblock, t, valid, shading, frame);
}

Interval MultiMap::Validity(TimeValue t) {
    Interval local;
    Update(t, local);
    return frame.validity;
}

void MultiMap::Reset() {
    const TimeValue t = GetCOREInterface()->GetTime();
    IParamBlock2* pb = pblock;
    pb->ZeroCount(pb_submaps);
    pb->SetValue(pb_all_gamma, t, 1.0f);
    pb->SetValue(pb_all_hue, t, 0.0f);
    pb->SetValue(pb_all_sat, t, 100.0f);
    pb->SetValue(pb_rnd_gamma, t, 0.0f);
    pb->SetValue(pb_rnd_hue, t, 0.0f);
    pb->SetValue(pb_rnd_sat, t, 0.0f);
    pb->SetValue(pb_occ_gamma, t, 50.0f);
    pb->SetValue(pb_occ_hue, t, 50.0f);
    pb->SetValue(pb_occ_sat, t, 50.0f);
    pb->SetValue(pb_rnd_by, t, 0);
    pb->SetValue(pb_seed, t, 12345);
    pb->SetValue(pb_blur, t, 1.0f);
    pb->SetValue(pb_filtering, t, 0);
    frame.validity.SetEmpty();
}

DWORD_PTR MultiMap::GetActiveTexHandle(TimeValue t, TexHandleMaker& thmaker) {
    return viewport.Get(this, t, thmaker);
}

void MultiMap::ActivateTexDisplay(BOOL onoff) {
    if (!onoff) {
        viewport.Discard();
    }
}

AColor MultiMap::EvalColor(ShadeContext& sc) {
    return shading.EvalColor(sc, this);
}

float MultiMap::EvalMono(ShadeContext& sc) {
    return ShadingCore::EvalMono(sc, this);
}

Point3 MultiMap::EvalNormalPerturb(ShadeContext& sc) {
    return shading.EvalNormalPerturb(sc, this);
}

int MultiMap::NumSubTexmaps() {
    return pblock->Count(pb_submaps);
}

Texmap* MultiMap::GetSubTexmap(int i) {
    return pblock->GetTexmap(pb_submaps, 0, i);
}

void MultiMap::SetSubTexmap(int i, Texmap* m) {
    if (i >= 0 && i < pblock->Count(pb_submaps)) {
        pblock->SetValue(pb_submaps, 0, m, i);
    }
}

MSTR MultiMap::GetSubTexmapSlotName(int i, bool) {
    if (i < 0 || i >= pblock->Count(pb_submaps)) {
        return MSTR();
    }
    Texmap* sub = pblock->GetTexmap(pb_submaps, 0, i);
    return sub ? sub->GetName() : MSTR();
}

BOOL MultiMap::SetDlgThing(ParamDlg*) {
    return FALSE;
}

RefResult MultiMap::ParamBlockNotify(void* owner, RefMessage message, std::uint64_t&) {
    auto* map = static_cast<MultiMap*>(owner);
    IParamBlock2* block = map->pblock;
    switch (message) {
        case REFMSG_CHANGE: {
            map->frame.validity.SetEmpty();
            const ParamID id = block ? block->LastNotifyParamID() : ParamID(-1);
            params.InvalidateUI(id, -1);
            if (id != -1) {
                map->viewport.Discard();
            }
            break;
        }
        case REFMSG_SUBANIM_STRUCTURE_CHANGED:
            if (!block || block->LastNotifyParamID() != pb_submaps) {
                break;
            }
            map->frame.validity.SetEmpty();
            {
                Interval local;
                map->Update(GetCOREInterface()->GetTime(), local);
            }
            if (map->m_listView) {
                map->UpdateListView();
            }
            break;
        case REFMSG_REF_DELETED:
            map->CloseListViewIfUnused();
            break;
        default:
            break;
    }
    return REF_SUCCEED;
}

void MultiMap::CloseListViewIfUnused() {
    FindMaterialEnum finder(this);
    DoEnumDependents(&finder);
    if (!finder.found && m_listView) {
        CloseListView();
    }
}

int FindMaterialEnum::proc(ReferenceMaker* rmaker) {
    if (!dynamic_cast<MtlBase*>(rmaker) || rmaker == static_cast<ReferenceMaker*>(map)) {
        return DEP_ENUM_CONTINUE;
    }
    found = true;
    return DEP_ENUM_HALT;
}
