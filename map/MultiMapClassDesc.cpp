#include "MultiMapClassDesc.h"

#include "DllEntry.h"
#include "resource.h"

// MultiMap itself is not built yet: no map can be created.
void* MultiMapClassDesc::Create(BOOL) {
    return nullptr;
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
