// Texture maps: evaluated per shading sample for a colour, a mono value and a bump vector.
#pragma once

#include "../Rendering/ShadeContext.h"
#include "../acolor.h"
#include "../point3.h"
#include "MtlBase.h"
#include "TexHandle.h"

class UVGen;

class Texmap : public MtlBase {
public:
    ~Texmap() override = default;

    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }

    virtual AColor EvalColor(ShadeContext& sc) = 0;
    // The default mono value is the mean of the colour's three channels.
    virtual float EvalMono(ShadeContext& sc) {
        AColor c = EvalColor(sc);
        return (c.r + c.g + c.b) / 3.0f;
    }
    virtual Point3 EvalNormalPerturb(ShadeContext& sc) = 0;

    // The map's texture-coordinate generator, or null when it has none.
    virtual UVGen* GetTheUVGen() { return nullptr; }

    // Renders the map at t into a device-independent bitmap for the viewport: forceW x forceH
    // pixels, or thmaker.Size() square when they are 0; 32 bits per pixel, rows bottom-up.
    // Updates the map at t first, which narrows valid. The bitmap is allocated with malloc.
    virtual CoreExport BITMAPINFO* GetVPDisplayDIB(TimeValue t, TexHandleMaker& thmaker,
                                                   Interval& valid, BOOL mono = FALSE,
                                                   int forceW = 0, int forceH = 0);
};
