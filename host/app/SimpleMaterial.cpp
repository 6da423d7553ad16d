#include "SimpleMaterial.h"

#include "Materials/Texmap.h"

namespace {

class SimpleMaterialClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new SimpleMaterial(); }
    const MCHAR* ClassName() override { return _M("Simple Material"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Simple Material"); }
    SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }
    Class_ID ClassID() override { return SIMPLEMATERIAL_CLASS_ID; }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return _M("SimpleMaterial"); }
};

}  // namespace

ClassDesc2* GetSimpleMaterialDesc() {
    static SimpleMaterialClassDesc desc;
    return &desc;
}

SimpleMaterial::~SimpleMaterial() {
    DeleteAllRefs();
}

void SimpleMaterial::GetClassName(MSTR& s, bool) const {
    s = _M("Simple Material");
}

void SimpleMaterial::Update(TimeValue t, Interval& valid) {
    if (map) {
        map->Update(t, valid);
    }
}

void SimpleMaterial::Reset() {
    DeleteReference(0);
}

Interval SimpleMaterial::Validity(TimeValue t) {
    Interval valid = FOREVER;
    Update(t, valid);
    return valid;
}

RefTargetHandle SimpleMaterial::GetReference(int i) {
    return i == 0 ? map : nullptr;
}

void SimpleMaterial::SetReference(int i, RefTargetHandle rtarg) {
    if (i == 0) {
        map = dynamic_cast<Texmap*>(rtarg);
    }
}

RefResult SimpleMaterial::NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                                           BOOL) {
    return REF_SUCCEED;
}

Animatable* SimpleMaterial::SubAnim(int i) {
    return i == 0 ? map : nullptr;
}

MSTR SimpleMaterial::SubAnimName(int i, bool localized) {
    return GetSubTexmapSlotName(i, localized);
}

Texmap* SimpleMaterial::GetSubTexmap(int i) {
    return i == 0 ? map : nullptr;
}

void SimpleMaterial::SetSubTexmap(int i, Texmap* m) {
    if (i == 0) {
        ReplaceReference(0, m);
    }
}

MSTR SimpleMaterial::GetSubTexmapSlotName(int i, bool) {
    return i == 0 ? MSTR(_M("Map")) : MSTR();
}

RefTargetHandle SimpleMaterial::Clone(RemapDir& remap) {
    auto* clone = new SimpleMaterial();
    *static_cast<MtlBase*>(clone) = *this;
    clone->ReplaceReference(0, remap.CloneRef(map));
    BaseClone(this, clone, remap);
    return clone;
}
