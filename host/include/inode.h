// A node of the scene graph, as a shading sample sees it.
#pragma once

#include "maxheap.h"
#include "maxtypes.h"

class INode : public MaxHeapOperators {
public:
    virtual ~INode() = default;
    // The node's handle: unique within the scene and kept across saves and renders.
    virtual ULONG GetHandle() = 0;
};
