// Objects that hold sub-texture slots.
#pragma once

#include "../maxtypes.h"
#include "../strclass.h"

class Texmap;
class ReferenceTarget;

class ISubMap {
public:
    virtual ~ISubMap() = default;
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int) { return nullptr; }
    virtual void SetSubTexmap(int, Texmap*) {}
    virtual int SubTexmapOn(int) { return 1; }
    virtual MSTR GetSubTexmapSlotName(int i, bool localized) {
        (void)i, (void)localized;
        return MSTR();
    }
    virtual ReferenceTarget* GetRefTarget() = 0;
};
