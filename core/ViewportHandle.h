// A map's viewport texture handle: made from a bitmap the host draws of the map, kept while
// the time stays inside the interval it holds for.
#pragma once

#include "imtl.h"

class ViewportHandle {
public:
    ViewportHandle() = default;
    ViewportHandle(const ViewportHandle&) = delete;
    ViewportHandle& operator=(const ViewportHandle&) = delete;
    ~ViewportHandle() { Discard(); }

    // The handle of `map` at t; draws the map and makes a new handle only when t lies outside
    // the interval of the one it has.
    DWORD_PTR Get(Texmap* map, TimeValue t, TexHandleMaker& thmaker);
    // Releases the handle; the next Get draws again.
    void Discard();

    bool Exists() const { return texHandle != nullptr; }
    const Interval& Validity() const { return texHandleValidity; }

private:
    TexHandle* texHandle = nullptr;
    Interval texHandleValidity;
};
