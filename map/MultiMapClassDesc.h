// The class descriptor of MultiMap: the class's identity and names, and the way the host
// creates maps.
#pragma once

#include "iparamb2.h"

#define MULTIMAP_CLASS_ID Class_ID(0x55C6D763, 0xC637BB2E)

class MultiMapClassDesc : public ClassDesc2 {
public:
    ~MultiMapClassDesc() override = default;

    int IsPublic() override { return TRUE; }
    void* Create(BOOL loading = FALSE) override;
    // The display name from the string table; null before the module handle is known.
    const MCHAR* ClassName() override;
    const MCHAR* NonLocalizedClassName() override { return _M("Kaleidra"); }
    const MCHAR* InternalName() override { return _M("Kaleidra"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return MULTIMAP_CLASS_ID; }
    const MCHAR* Category() override { return TEXMAP_CAT_COMP; }
    HINSTANCE HInstance() override;
};

// The plug-in's one class descriptor. It is built on first use, so it exists before the block
// descriptor `params` (whose constructor asks for it) in whatever order the plug-in's static
// objects are built, and is destroyed after it.
ClassDesc2* GetMultiMapDesc();
