// The host's bitmap texture, as far as the map relies on it: class (0x240, 0), a file name, a
// first parameter block whose parameter 8 is the filtering, and a standard coordinate
// generator. References: 0 the block, 1 the generator.
//
// Life cycle: Update (main thread) reads the file through the image cache, once per file, and
// takes the filtering and generator settings; EvalColor then samples the image from any number
// of render threads at once, reading nothing but what Update prepared. Before the first Update,
// and for a file that is missing or unreadable, every sample is opaque black.
#pragma once

#include <memory>
#include <string>

#include "StandardUVGen.h"
#include "images/ImageCache.h"
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
    // Reads the file again through the image cache: every bitmap using it sees the new image.
    void ReloadBitmapAndUpdate() override;

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
    // What evaluation needs, taken from the block and the generator by Update.
    struct Settings {
        int filtering = FILTER_PYR;
        float blur = 1.0f;
        double cosW = 1.0, sinW = 0.0;
        double uScale = 1.0, vScale = 1.0;
        double uOffset = 0.0, vOffset = 0.0;
    };

    std::string FilePath() const;
    // Takes the file's slot from the image cache (reading the file on its first use) and builds
    // what the current filtering samples.
    void AcquireImage();

    IParamBlock2* pblock = nullptr;
    StdUVGen* uvGen = nullptr;
    MSTR mapName;
    Settings settings;
    std::shared_ptr<const ImageCache::Slot> image;  // null until Update, or without a file
};

// The bitmap texture's class descriptor; Create makes a BitmapTexture.
ClassDesc2* GetBitmapTextureDesc();
