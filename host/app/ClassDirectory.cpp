#include "ClassDirectory.h"

#include <cwchar>

bool ClassDirectory::Register(ClassDesc* desc, const ObjectPersistence* persistence) {
    if (!desc || Find(desc->SuperClassID(), desc->ClassID())) {
        return false;
    }
    entries.push_back(ClassEntry{desc, persistence});
    return true;
}

int ClassDirectory::RegisterLibrary(int (*numClasses)(), ClassDesc* (*classDesc)(int)) {
    int added = 0;
    const int n = numClasses ? numClasses() : 0;
    for (int i = 0; i < n && classDesc; ++i) {
        if (Register(classDesc(i))) {
            ++added;
        }
    }
    return added;
}

const ClassEntry* ClassDirectory::Find(SClass_ID superClassID, const Class_ID& classID) const {
    for (const ClassEntry& e : entries) {
        if (e.desc->SuperClassID() == superClassID && e.desc->ClassID() == classID) {
            return &e;
        }
    }
    return nullptr;
}

namespace {

bool SameName(const MCHAR* a, const MCHAR* b) {
    return a && b && std::wcscmp(a, b) == 0;
}

}  // namespace

const ClassEntry* ClassDirectory::FindByName(const MCHAR* name) const {
    for (const ClassEntry& e : entries) {
        if (SameName(e.desc->NonLocalizedClassName(), name) ||
            SameName(e.desc->InternalName(), name)) {
            return &e;
        }
    }
    return nullptr;
}
