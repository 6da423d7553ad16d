// Parameter maps: the rollouts the host builds from block descriptors, and the plug-in's dialog
// procedure attached to them.
#pragma once

#include "maxheap.h"
#include "maxtypes.h"

class IParamMap2;
class ReferenceTarget;

// The plug-in's handler of a rollout's window messages, called after the host's own handling.
class ParamMap2UserDlgProc : public MaxHeapOperators {
public:
    virtual ~ParamMap2UserDlgProc() = default;
    virtual INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam,
                            LPARAM lParam) = 0;
    virtual void DeleteThis() = 0;
    virtual void SetThing(ReferenceTarget* m) { (void)m; }
    virtual void Update(TimeValue t) { (void)t; }
};
