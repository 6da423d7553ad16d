// Animatable: the root of every scene object the host can list, name and animate.
#pragma once

#include "baseinterface.h"
#include "maxtypes.h"
#include "strclass.h"

class IParamBlock2;

// Animate mode. While it is on and not suspended, edits of animatable parameters set keys at the
// edit time; otherwise they set the value at all times. Suspensions nest.
CoreExport void AnimateOn();
CoreExport void AnimateOff();
// True while animate mode is on and not suspended.
CoreExport BOOL Animating();
CoreExport void SuspendAnimate();
CoreExport void ResumeAnimate();

class Animatable : public InterfaceServer {
public:
    ~Animatable() override = default;

    // Deletes the object; the host calls this instead of delete.
    virtual void DeleteThis() { delete this; }

    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual SClass_ID SuperClassID() { return 0; }
    virtual void GetClassName(MSTR& s, bool localized = true) const {
        (void)localized;
        s = _M("Animatable");
    }

    // Sub-animatables, as the track view lists them.
    virtual int NumSubs() { return 0; }
    virtual Animatable* SubAnim(int) { return nullptr; }
    virtual MSTR SubAnimName(int, bool localized = true) {
        (void)localized;
        return MSTR();
    }
    virtual int SubNumToRefNum(int) { return -1; }

    // Parameter blocks the object owns.
    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int) { return nullptr; }
    virtual IParamBlock2* GetParamBlockByID(BlockID) { return nullptr; }

    using InterfaceServer::GetInterface;
};
