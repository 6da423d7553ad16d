// Viewport texture handles: the host turns a device-independent bitmap of a map into a handle
// the viewport draws with.
#pragma once

#include "../maxheap.h"
#include "../wingdi.h"

class TexHandle : public MaxHeapOperators {
public:
    virtual ~TexHandle() = default;
    virtual DWORD_PTR GetHandle() = 0;
    virtual void DeleteThis() = 0;
};

class TexHandleMaker : public MaxHeapOperators {
public:
    virtual ~TexHandleMaker() = default;
    // Makes a handle from a bitmap; the handle takes over the bitmap, which was allocated with
    // malloc by GetVPDisplayDIB.
    virtual TexHandle* MakeHandle(BITMAPINFO* bminf) = 0;
    // Whether bitmaps should have power-of-2 sizes.
    virtual BOOL UseClosestPowerOf2() { return TRUE; }
    // The edge length, in pixels, of the bitmaps the viewport wants.
    virtual int Size() = 0;
};
