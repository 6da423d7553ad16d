#include "HostClassDescs.h"

#include "SolidColorMap.h"
#include "StandardUVGen.h"

namespace {

class SolidColorMapClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new SolidColorMap(); }
    const MCHAR* ClassName() override { return _M("Solid Color"); }
    const MCHAR* NonLocalizedClassName() override { return _M("Solid Color"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return SOLIDCOLORMAP_CLASS_ID; }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return _M("SolidColorMap"); }
};

// Users never create a generator on its own: a bitmap texture makes its own.
class StandardUVGenClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return FALSE; }
    void* Create(BOOL) override { return new StandardUVGen(); }
    const MCHAR* ClassName() override { return _M("UVGen"); }
    const MCHAR* NonLocalizedClassName() override { return _M("UVGen"); }
    SClass_ID SuperClassID() override { return UVGEN_CLASS_ID; }
    Class_ID ClassID() override { return StandardUVGen().ClassID(); }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return _M("StandardUVGen"); }
};

}  // namespace

ClassDesc2* GetSolidColorMapDesc() {
    static SolidColorMapClassDesc desc;
    return &desc;
}

ClassDesc2* GetStandardUVGenDesc() {
    static StandardUVGenClassDesc desc;
    return &desc;
}
