// The host's bitmap texture, as far as the map relies on it: class (0x240, 0), a file name, a
// first parameter block whose parameter 8 is the filtering, and a standard coordinate
// generator. References: 0 the block, 1 the generator.
//
// Not done yet: reading the image. Until then every sample is opaque black, the colour the
// host gives a bitmap whose file cannot be read.
#pragma once

#include "StandardUVGen.h"
#include "iparamb2.h"
#include "stdmat.h"

class BitmapTexture : public BitmapTex {
public:
    BitmapTexture();
    ~BitmapTexture() override;

    void GetClassName(MSTR& s, bool localized = true) const override;

    void SetMapName(const MCHAR* name, bool isUIAction = false) override;
    const MCHAR* GetMapName() override { return mapName.data(); }
    void SetFilterType(int ft) override;
    int GetFilterType() override;
    StdUVGen* GetUVGen() override { return uvGen; }
    UVGen* GetTheUVGen() override { return uvGen; }
    void ReloadBitmapAndUpdate() override {}

    AColor EvalColor(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;

    int NumRefs() override { return 2; }
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int i) override { return i == 0 ? pblock : nullptr; }
    IParamBlock2* GetParamBlockByID(BlockID id) override;

    // A new bitmap texture with clones (through remap) of the block and the generator, the same
    // file name and the same material-base data.
    RefTargetHandle Clone(RemapDir& remap) override;

private:
    IParamBlock2* pblock = nullptr;
    StdUVGen* uvGen = nullptr;
    MSTR mapName;
};

// The bitmap texture's class descriptor; Create makes a BitmapTexture.
ClassDesc2* GetBitmapTextureDesc();
