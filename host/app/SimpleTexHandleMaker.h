// The host application's viewport texture handles: a handle keeps the bitmap it was made from,
// and the maker counts what it made, so tests can see when a map drew itself.
#pragma once

#include "imtl.h"

class SimpleTexHandle : public TexHandle {
public:
    SimpleTexHandle(BITMAPINFO* bits, DWORD_PTR handleId) : bitmap(bits), id(handleId) {}
    ~SimpleTexHandle() override;
    DWORD_PTR GetHandle() override { return id; }
    void DeleteThis() override { delete this; }
    const BITMAPINFO* Bitmap() const { return bitmap; }

private:
    BITMAPINFO* bitmap;
    DWORD_PTR id;
};

class SimpleTexHandleMaker : public TexHandleMaker {
public:
    explicit SimpleTexHandleMaker(int edge = 64) : size(edge) {}
    TexHandle* MakeHandle(BITMAPINFO* bminf) override;
    int Size() override { return size; }
    // How many handles this maker has made.
    int HandlesMade() const { return made; }

private:
    int size;
    int made = 0;
};
