#include "MultiMapClassDesc.h"

#include <new>

#include "DllEntry.h"
#include "MultiMap.h"
#include "resource.h"

// A map about to be filled from a scene is built and reset like a new one. Null when the host
// heap cannot supply one.
void* MultiMapClassDesc::Create(BOOL) {
    return new (std::nothrow) MultiMap();
}

const MCHAR* MultiMapClassDesc::ClassName() {
    return GetString(IDS_CLASS_NAME);
}

HINSTANCE MultiMapClassDesc::HInstance() {
    return hInstance;
}

ClassDesc2* GetMultiMapDesc() {
    static MultiMapClassDesc desc;
    return &desc;
}
