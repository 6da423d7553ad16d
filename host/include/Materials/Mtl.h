// Materials: what a scene object is shaded with. A material holds texture maps (and other
// materials) in its sub-texture slots, as references.
#pragma once

#include "MtlBase.h"

class Mtl : public MtlBase {
public:
    ~Mtl() override = default;

    SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }

    // Sub-materials, as a multi-material lists them; a plain material has none.
    virtual int NumSubMtls() { return 0; }
    virtual Mtl* GetSubMtl(int i) {
        (void)i;
        return nullptr;
    }
    virtual void SetSubMtl(int i, Mtl* m) { (void)i, (void)m; }
};
