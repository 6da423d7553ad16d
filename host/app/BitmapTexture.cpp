#include "BitmapTexture.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "WideText.h"
#include "images/ImageSampler.h"

namespace {

enum BitmapTextureParam : ParamID { bmtex_filtering = BMTEX_FILTERING_PARAM };

// Footprints beyond a million repeats average to the image's mean anyway; bounding them keeps
// the summed-area arithmetic precise, and a NaN footprint counts as none.
double BoundedFootprint(double extent) {
    return extent >= 0.0 ? std::min(extent, 1e6) : 0.0;
}

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

// The image turns counter-clockwise by W about the centre (0.5, 0.5), moves by the offsets and
// repeats U/V scale times about the centre; the footprint turns and scales with it.
AColor BitmapTexture::EvalColor(ShadeContext& sc) {
    const LoadedImage* loaded = image ? image->Current() : nullptr;
    if (loaded == nullptr || loaded->Missing()) {
        return AColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    const Settings& s = settings;
    const Point3 uvw = sc.UVW(0);
    const double cu = uvw.x - 0.5, cv = uvw.y - 0.5;
    double u = (s.cosW * cu + s.sinW * cv - s.uOffset) * s.uScale + 0.5;
    double v = (s.cosW * cv - s.sinW * cu - s.vOffset) * s.vScale + 0.5;
    if (!std::isfinite(u) || !std::isfinite(v)) {
        return AColor(0.0f, 0.0f, 0.0f, 1.0f);  // no place on the image
    }
    // One repeat, so texel indices stay small however far out the coordinates are.
    u -= std::floor(u);
    v -= std::floor(v);

    float out[4];
    const FloatImage& texels = loaded->Texels();
    if (s.filtering == FILTER_NADA) {
        SampleNearest(texels, u, v, out);
        return AColor(out[0], out[1], out[2], out[3]);
    }
    // The footprint's extent along u and v after the turn (its bounding box), scaled by the
    // tiling and by blur.
    const Point3 d = sc.DUVW(0);
    const double du = BoundedFootprint(std::fabs(d.x)), dv = BoundedFootprint(std::fabs(d.y));
    const double ac = std::fabs(s.cosW), as = std::fabs(s.sinW);
    const double width = BoundedFootprint((ac * du + as * dv) * std::fabs(s.uScale) * s.blur);
    const double height = BoundedFootprint((as * du + ac * dv) * std::fabs(s.vScale) * s.blur);
    if (s.filtering == FILTER_SAT) {
        // At least one texel wide: a smaller box would be the nearest texel, not bilinear.
        const double halfW = 0.5 * std::max(width, 1.0 / texels.width);
        const double halfH = 0.5 * std::max(height, 1.0 / texels.height);
        loaded->SummedArea().BoxAverage(u - halfW, v - halfH, u + halfW, v + halfH, out);
    } else {
        const double texelsAcross = std::max(width * texels.width, height * texels.height);
        loaded->Pyramid().Sample(u, v, texelsAcross, out);
    }
    return AColor(out[0], out[1], out[2], out[3]);
}

Point3 BitmapTexture::EvalNormalPerturb(ShadeContext&) {
    return Point3(0.0f, 0.0f, 0.0f);
}

void BitmapTexture::Update(TimeValue t, Interval& valid) {
    Interval own = FOREVER;
    Settings s;
    pblock->GetValue(bmtex_filtering, t, s.filtering, own);
    uvGen->Update(t, own);
    s.blur = uvGen->GetBlur(t);
    const double w = uvGen->GetWAng(t);
    s.cosW = std::cos(w);
    s.sinW = std::sin(w);
    s.uScale = uvGen->GetUScl(t);
    s.vScale = uvGen->GetVScl(t);
    s.uOffset = uvGen->GetUOffs(t);
    s.vOffset = uvGen->GetVOffs(t);
    settings = s;
    valid &= own;
    AcquireImage();
}

void BitmapTexture::AcquireImage() {
    const std::string path = FilePath();
    image = path.empty() ? nullptr : ImageCache::Global().Acquire(path);
    if (image != nullptr && !image->Current()->Missing()) {
        // Built here, on the main thread, so render threads only read them.
        if (settings.filtering == FILTER_PYR) {
            image->Current()->Pyramid();
        } else if (settings.filtering == FILTER_SAT) {
            image->Current()->SummedArea();
        }
    }
}

void BitmapTexture::ReloadBitmapAndUpdate() {
    const std::string path = FilePath();
    if (!path.empty()) {
        ImageCache::Global().Reload(path);
    }
    AcquireImage();
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

// The file name as UTF-8, the cache's key; empty without a name or when the name is no valid
// text (such a name can name no file either).
std::string BitmapTexture::FilePath() const {
    try {
        return ToUtf8(std::wstring(mapName.data()));
    } catch (const std::exception&) {
        return std::string();
    }
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
    clone->settings = settings;
    clone->image = image;
    BaseClone(this, clone, remap);
    return clone;
}

IParamBlock2* BitmapTexture::GetParamBlockByID(BlockID id) {
    return pblock && pblock->ID() == id ? pblock : nullptr;
}
