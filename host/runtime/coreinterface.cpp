#include "maxapi.h"

#include "animtbl.h"

namespace {

bool animateOn = false;
// Nesting depth of SuspendAnimate.
int animateSuspended = 0;

}  // namespace

void AnimateOn() {
    animateOn = true;
}

void AnimateOff() {
    animateOn = false;
}

BOOL Animating() {
    return animateOn && animateSuspended == 0;
}

void SuspendAnimate() {
    ++animateSuspended;
}

void ResumeAnimate() {
    if (animateSuspended > 0) {
        --animateSuspended;
    }
}

TimeValue Interface::GetTime() {
    return time;
}

void Interface::SetTime(TimeValue t, BOOL) {
    time = t;
}

void Interface::SetAnimateMode(BOOL on) {
    if (on) {
        AnimateOn();
    } else {
        AnimateOff();
    }
}

BOOL Interface::IsAnimating() {
    return Animating();
}

BaseInterface* Interface::GetInterface(Interface_ID id) {
    for (BaseInterface* service : services) {
        if (service->GetID() == id) {
            return service;
        }
    }
    return nullptr;
}

Interface* GetCOREInterface() {
    static Interface core;
    return &core;
}

BaseInterface* GetCOREInterface(Interface_ID id) {
    return GetCOREInterface()->GetInterface(id);
}

void RegisterCOREInterface(BaseInterface* service) {
    if (!service) {
        return;
    }
    std::vector<BaseInterface*>& services = GetCOREInterface()->services;
    for (BaseInterface*& existing : services) {
        if (existing->GetID() == service->GetID()) {
            existing = service;
            return;
        }
    }
    services.push_back(service);
}
