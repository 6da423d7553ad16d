// Class descriptors: how the host learns a plug-in class's identity and creates its objects.
#pragma once

#include "maxheap.h"
#include "maxtypes.h"

class ParamBlockDesc2;
class ParamMap2UserDlgProc;
class ReferenceMaker;

// The host's category text of compositor maps in its lists of texture maps.
CoreExport extern const MCHAR* const TEXMAP_CAT_COMP;

class ClassDesc : public MaxHeapOperators {
public:
    virtual ~ClassDesc() = default;

    // TRUE when users can create the class.
    virtual int IsPublic() = 0;
    // A new object on the host heap; loading is TRUE when the object is about to be filled from
    // a scene file.
    virtual void* Create(BOOL loading = FALSE) = 0;
    // The display name, localized.
    virtual const MCHAR* ClassName() = 0;
    virtual const MCHAR* NonLocalizedClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    // The class's fixed name in the scripting language; null when it has none.
    virtual const MCHAR* InternalName() { return nullptr; }
    // The module that holds the class's resources.
    virtual HINSTANCE HInstance() { return nullptr; }

    // Parameter-block descriptors of the class (ClassDesc2 keeps them).
    virtual int NumParamBlockDescs() { return 0; }
    virtual ParamBlockDesc2* GetParamBlockDesc(int i) {
        (void)i;
        return nullptr;
    }
    virtual ParamBlockDesc2* GetParamBlockDescByID(BlockID id) {
        (void)id;
        return nullptr;
    }
    virtual void AddParamBlockDesc(ParamBlockDesc2* pbd) { (void)pbd; }
    virtual void MakeAutoParamBlocks(ReferenceMaker* owner) { (void)owner; }
    virtual bool SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc = nullptr) {
        (void)pbd, (void)proc;
        return false;
    }
};
