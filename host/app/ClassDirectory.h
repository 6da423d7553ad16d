// The host's directory of the classes it can create: its own built-in classes and those of the
// plug-ins it has loaded. Scene files name classes by (super class ID, class ID); the directory
// turns that identity back into the class descriptor that creates the object.
#pragma once

#include <vector>

#include "plugapi.h"

class ObjectPersistence;

// One listed class. persistence is the class's own saved state outside its references and
// parameter blocks (null when the class has none); it is not owned and must outlive the
// directory.
struct ClassEntry {
    ClassDesc* desc = nullptr;
    const ObjectPersistence* persistence = nullptr;
};

class ClassDirectory {
public:
    // Lists desc. False (and nothing changes) when desc is null or a class with the same
    // super class ID and class ID is already listed: the first registration wins.
    bool Register(ClassDesc* desc, const ObjectPersistence* persistence = nullptr);
    // Lists every class a loaded plug-in exports through LibNumberClasses / LibClassDesc.
    // Returns the number of classes added.
    int RegisterLibrary(int (*numClasses)(), ClassDesc* (*classDesc)(int));

    // The class with this identity, or null.
    const ClassEntry* Find(SClass_ID superClassID, const Class_ID& classID) const;
    // The class whose NonLocalizedClassName or InternalName is name, or null; the first
    // listed wins when several match.
    const ClassEntry* FindByName(const MCHAR* name) const;

    int Count() const { return static_cast<int>(entries.size()); }
    const ClassEntry& GetEntry(int i) const { return entries.at(static_cast<std::size_t>(i)); }

private:
    std::vector<ClassEntry> entries;
};
