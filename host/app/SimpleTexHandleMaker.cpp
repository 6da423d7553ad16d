#include "SimpleTexHandleMaker.h"

#include <cstdlib>

SimpleTexHandle::~SimpleTexHandle() {
    std::free(bitmap);
}

TexHandle* SimpleTexHandleMaker::MakeHandle(BITMAPINFO* bminf) {
    ++made;
    return new SimpleTexHandle(bminf, static_cast<DWORD_PTR>(made));
}
