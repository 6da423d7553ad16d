#include "ifnpub.h"

Interface_ID FPMixinInterface::GetID() {
    return Interface_ID(0, 0);
}

FPInterfaceDesc* FPMixinInterface::GetDescByID(Interface_ID) {
    return GetDesc();
}
