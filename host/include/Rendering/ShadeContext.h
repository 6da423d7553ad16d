// What a texture map sees of one shading sample. A renderer supplies a concrete context per
// sample; the defaults here are the harmless answers of a context that offers nothing.
#pragma once

#include "../acolor.h"
#include "../inode.h"
#include "../maxheap.h"
#include "../maxtypes.h"
#include "../point3.h"

class Texmap;

// What the sample has produced for the G-buffer.
struct ShadeOutput {
    int gbufId = 0;
};

class ShadeContext : public MaxHeapOperators {
public:
    virtual ~ShadeContext() = default;

    // Material / sub-material ID of the sample.
    int mtlNum = 0;
    ShadeOutput out;

    virtual BOOL InMtlEditor() { return FALSE; }
    virtual TimeValue CurTime() { return 0; }
    // The scene node being shaded, or null when the sample belongs to no node.
    virtual INode* Node() { return nullptr; }
    // Texture coordinates of a mapping channel (0 .. 99).
    virtual Point3 UVW(int channel = 0) = 0;
    // Change of the texture coordinates across the sample's footprint.
    virtual Point3 DUVW(int channel = 0) {
        (void)channel;
        return Point3(0.0f, 0.0f, 0.0f);
    }

    // Per-sample result cache keyed by map. GetCache returns TRUE and fills the value when the
    // map has stored one for this sample.
    virtual BOOL GetCache(Texmap*, AColor&) { return FALSE; }
    virtual BOOL GetCache(Texmap*, float&) { return FALSE; }
    virtual BOOL GetCache(Texmap*, Point3&) { return FALSE; }
    virtual void PutCache(Texmap*, const AColor&) {}
    virtual void PutCache(Texmap*, const float) {}
    virtual void PutCache(Texmap*, const Point3&) {}
    virtual void TossCache(Texmap*) {}

    // Tells the sample which effects channel the evaluating map writes.
    virtual void SetGBufferID(int gbid) { out.gbufId = gbid; }
};
