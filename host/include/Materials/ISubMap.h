// Objects that hold sub-texture slots.
#pragma once

#include "../maxtypes.h"
#include "../strclass.h"

class Texmap;
class ReferenceTarget;
class ParamDlg;

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
    // The name the track view shows for sub-texture slot i.
    MSTR GetSubTexmapTVName(int i, bool localized = true) {
        return GetSubTexmapSlotName(i, localized);
    }
    // TRUE when the dialog belongs to this object and its thing was set.
    virtual BOOL SetDlgThing(ParamDlg* dlg) {
        (void)dlg;
        return FALSE;
    }
    virtual ReferenceTarget* GetRefTarget() = 0;
};
