#include "BitmapTexture.h"

namespace {

enum BitmapTextureParam : ParamID { bmtex_filtering = BMTEX_FILTERING_PARAM };

class BitmapTextureClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new BitmapTexture(); }
    const MCHAR* ClassName() override { return _M("Bitmap"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Bitmap"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(BMTEX_CLASS_ID, 0); }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return _M("BitmapTex"); }
};

ParamBlockDesc2& BitmapTextureParams() {
    static ParamBlockDesc2 params(0, _M("bitmapTexParams"), 0, GetBitmapTextureDesc(),
                                  P_AUTO_CONSTRUCT, 0,
                                  // "Pyramidal", "Summed Area" or "None"
                                  bmtex_filtering, _M("filtering"), TYPE_INT, 0, 0, p_default,
                                  FILTER_PYR, p_range, FILTER_PYR, FILTER_NADA, p_end, p_end);
    return params;
}

}  // namespace

ClassDesc2* GetBitmapTextureDesc() {
    static BitmapTextureClassDesc desc;
    return &desc;
}

BitmapTexture::BitmapTexture() {
    BitmapTextureParams();  // registered before the first block is made
    GetBitmapTextureDesc()->MakeAutoParamBlocks(this);
    ReplaceReference(1, new StandardUVGen());
}

BitmapTexture::~BitmapTexture() {
    DeleteAllRefs();
}

void BitmapTexture::GetClassName(MSTR& s, bool) const {
    s = _M("Bitmap");
}

void BitmapTexture::SetMapName(const MCHAR* fileName, bool) {
    mapName = fileName;
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

void BitmapTexture::SetFilterType(int ft) {
    pblock->SetValue(bmtex_filtering, 0, ft);
}

int BitmapTexture::GetFilterType() {
    return pblock->GetInt(bmtex_filtering);
}

AColor BitmapTexture::EvalColor(ShadeContext&) {
    return AColor(0.0f, 0.0f, 0.0f, 1.0f);
}

Point3 BitmapTexture::EvalNormalPerturb(ShadeContext&) {
    return Point3(0.0f, 0.0f, 0.0f);
}

void BitmapTexture::Update(TimeValue t, Interval& valid) {
    Interval own = FOREVER;
    int filtering = 0;
    pblock->GetValue(bmtex_filtering, t, filtering, own);
    uvGen->Update(t, own);
    valid &= own;
}

void BitmapTexture::Reset() {
    pblock->SetValue(bmtex_filtering, 0, FILTER_PYR);
    uvGen->Reset();
}

Interval BitmapTexture::Validity(TimeValue t) {
    Interval valid = FOREVER;
    Update(t, valid);
    return valid;
}

RefTargetHandle BitmapTexture::GetReference(int i) {
    return i == 0 ? static_cast<RefTargetHandle>(pblock)
                  : (i == 1 ? static_cast<RefTargetHandle>(uvGen) : nullptr);
}

void BitmapTexture::SetReference(int i, RefTargetHandle rtarg) {
    if (i == 0) {
        pblock = static_cast<IParamBlock2*>(rtarg);
    } else if (i == 1) {
        uvGen = static_cast<StdUVGen*>(rtarg);
    }
}

RefTargetHandle BitmapTexture::Clone(RemapDir& remap) {
    auto* clone = new BitmapTexture();
    *static_cast<MtlBase*>(clone) = *this;
    clone->ReplaceReference(0, remap.CloneRef(pblock));
    clone->ReplaceReference(1, remap.CloneRef(uvGen));
    clone->mapName = mapName;
    BaseClone(this, clone, remap);
    return clone;
}

IParamBlock2* BitmapTexture::GetParamBlockByID(BlockID id) {
    return pblock && pblock->ID() == id ? pblock : nullptr;
}
