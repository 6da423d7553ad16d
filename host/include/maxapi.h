// The core interface: the host application's own state that plug-ins may ask for.
#pragma once

#include <vector>

#include "baseinterface.h"
#include "maxheap.h"
#include "maxtypes.h"

class Interface : public MaxHeapOperators {
public:
    virtual ~Interface() = default;

    // The current animation time, in ticks. The host application moves it; SetTime only
    // records the time (the stand-in host has no viewports to redraw).
    virtual TimeValue GetTime();
    virtual void SetTime(TimeValue t, BOOL redraw = TRUE);

    // Switches animate mode on or off (AnimateOn / AnimateOff).
    virtual void SetAnimateMode(BOOL on);
    // True while edits of animatable parameters set keys: animate mode on and not suspended.
    virtual BOOL IsAnimating();

    // A host service registered with RegisterCOREInterface; null when none has the ID.
    virtual BaseInterface* GetInterface(Interface_ID id);

private:
    friend void RegisterCOREInterface(BaseInterface* service);
    TimeValue time = 0;
    std::vector<BaseInterface*> services;
};

// The host's one core interface; never null in the stand-in host.
CoreExport Interface* GetCOREInterface();
// The host service with the given ID, or null.
CoreExport BaseInterface* GetCOREInterface(Interface_ID id);
// Makes a host service available under its GetID(); a later service with the same ID replaces
// the earlier one. The host keeps the pointer, not the object: the service must outlive its use.
CoreExport void RegisterCOREInterface(BaseInterface* service);
