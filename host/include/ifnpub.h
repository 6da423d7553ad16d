// Function publishing: interfaces that scripts reach on an object. A mixin interface is a base
// of the object itself, served through the object's GetInterface.
#pragma once

#include "baseinterface.h"

class FPInterfaceDesc;

class FPInterface : public BaseInterface {
public:
    // The interface's published description; null while none is registered.
    virtual FPInterfaceDesc* GetDesc() { return nullptr; }
};

class FPMixinInterface : public FPInterface {
public:
    Interface_ID GetID() override;
    // The description of the interface with the given ID among the object's mixins.
    virtual FPInterfaceDesc* GetDescByID(Interface_ID id);
};
