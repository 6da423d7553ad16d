// Interfaces served by host objects, looked up by Interface_ID.
#pragma once

#include "maxheap.h"
#include "maxtypes.h"

class BaseInterface : public MaxHeapOperators {
public:
    virtual ~BaseInterface() = default;
    virtual Interface_ID GetID() { return Interface_ID(0, 0); }
    virtual BaseInterface* GetInterface(Interface_ID) { return nullptr; }
};

class InterfaceServer : public MaxHeapOperators {
public:
    virtual ~InterfaceServer() = default;
    // The object's interface with the given identity, or null when it serves none.
    virtual BaseInterface* GetInterface(Interface_ID) { return nullptr; }
};
