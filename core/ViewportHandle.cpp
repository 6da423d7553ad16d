#include "ViewportHandle.h"

DWORD_PTR ViewportHandle::Get(Texmap* map, TimeValue t, TexHandleMaker& thmaker) {
    if (texHandle) {
        if (texHandleValidity.InInterval(t)) {
            return texHandle->GetHandle();
        }
        Discard();
    }
    texHandleValidity = FOREVER;
    BITMAPINFO* bitmap = map->GetVPDisplayDIB(t, thmaker, texHandleValidity, FALSE, 0, 0);
    texHandle = thmaker.MakeHandle(bitmap);
    return texHandle ? texHandle->GetHandle() : 0;
}

void ViewportHandle::Discard() {
    if (texHandle) {
        texHandle->DeleteThis();
        texHandle = nullptr;
    }
    texHandleValidity.SetEmpty();
}
