// A scene as the host saves and loads it: named roots, each a map or a material. The scene holds
// a reference to each root; whatever the roots refer to belongs to the scene through them.
// Deleting the scene drops the roots (deleted when nothing else refers to them).
#pragma once

#include <vector>

#include "imtl.h"

class Scene : public ReferenceMaker {
public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene() override;

    // Adds a root under name; root may be null (an empty root). False when the name is taken.
    bool AddRoot(const MSTR& name, MtlBase* root);
    int NumRoots() const { return static_cast<int>(names.size()); }
    const MSTR& RootName(int i) const { return names.at(static_cast<std::size_t>(i)); }
    // Null when the root is empty or was deleted.
    MtlBase* GetRoot(int i);
    // The root named name, or null.
    MtlBase* FindRoot(const MSTR& name);

    int NumRefs() override { return NumRoots(); }
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }

private:
    std::vector<MSTR> names;
    std::vector<RefTargetHandle> roots;
};
