// The host's standard maps: the texture-coordinate generator and the bitmap texture.
#pragma once

#include "imtl.h"

// The bitmap texture's class: Class_ID(BMTEX_CLASS_ID, 0).
#define BMTEX_CLASS_ID 0x240
// Parameter 8 of the bitmap texture's first block: its filtering, one of the FILTER_ values.
#define BMTEX_FILTERING_PARAM 8
#define FILTER_PYR 0   // "Pyramidal": mip-mapped
#define FILTER_SAT 1   // "Summed Area"
#define FILTER_NADA 2  // "None"

// Maps texture coordinates of a sample into a map's own space.
class UVGen : public MtlBase {
public:
    SClass_ID SuperClassID() override { return UVGEN_CLASS_ID; }
    virtual BOOL IsStdUVGen() { return FALSE; }
};

// The standard generator: offsets, tiling, rotation and blur. Angles are in radians.
class StdUVGen : public UVGen {
public:
    BOOL IsStdUVGen() override { return TRUE; }
    virtual void SetBlur(float f, TimeValue t) = 0;
    virtual float GetBlur(TimeValue t) = 0;
    // Rotation about W.
    virtual void SetWAng(float f, TimeValue t) = 0;
    virtual float GetWAng(TimeValue t) = 0;
    virtual void SetUScl(float f, TimeValue t) = 0;
    virtual float GetUScl(TimeValue t) = 0;
    virtual void SetVScl(float f, TimeValue t) = 0;
    virtual float GetVScl(TimeValue t) = 0;
    virtual void SetUOffs(float f, TimeValue t) = 0;
    virtual float GetUOffs(TimeValue t) = 0;
    virtual void SetVOffs(float f, TimeValue t) = 0;
    virtual float GetVOffs(TimeValue t) = 0;
};

// The bitmap texture: an image file mapped through a standard generator.
class BitmapTex : public Texmap {
public:
    Class_ID ClassID() override { return Class_ID(BMTEX_CLASS_ID, 0); }
    virtual void SetMapName(const MCHAR* name, bool isUIAction = false) = 0;
    virtual const MCHAR* GetMapName() = 0;
    virtual void SetFilterType(int ft) = 0;
    virtual int GetFilterType() = 0;
    virtual StdUVGen* GetUVGen() = 0;
    // Reads the file again.
    virtual void ReloadBitmapAndUpdate() = 0;
};
