// Cloning: the remap directory of one clone operation.
#include <map>
#include <utility>
#include <vector>

#include "Materials/MtlBase.h"
#include "ref.h"

namespace {

class StandardRemapDir : public RemapDir {
public:
    RefTargetHandle FindMapping(RefTargetHandle from) override {
        const auto it = clones.find(from);
        return it == clones.end() ? nullptr : it->second;
    }
    void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) override { clones[hfrom] = hto; }
    void PatchPointer(RefTargetHandle* patchThis, RefTargetHandle oldTarg) override {
        if (RefTargetHandle clone = FindMapping(oldTarg)) {
            *patchThis = clone;
        } else {
            patches.emplace_back(patchThis, oldTarg);
        }
    }
    void Backpatch() override {
        for (const auto& patch : patches) {
            if (RefTargetHandle clone = FindMapping(patch.second)) {
                *patch.first = clone;
            }
        }
        patches.clear();
    }
    void Clear() override {
        clones.clear();
        patches.clear();
    }
    void DeleteThis() override {
        Backpatch();
        delete this;
    }

private:
    std::map<RefTargetHandle, RefTargetHandle> clones;
    std::vector<std::pair<RefTargetHandle*, RefTargetHandle>> patches;
};

}  // namespace

RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) {
        return nullptr;
    }
    if (RefTargetHandle existing = FindMapping(oldTarg)) {
        return existing;
    }
    RefTargetHandle clone = oldTarg->Clone(*this);
    if (clone) {
        AddEntry(oldTarg, clone);
    }
    return clone;
}

RemapDir& NewRemapDir(BOOL) {
    return *new StandardRemapDir();
}

MtlBase& MtlBase::operator=(const MtlBase& m) {
    if (this != &m) {
        name = m.name;
        gbufID = m.gbufID;
    }
    return *this;
}

void MtlBase::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    ReferenceTarget::BaseClone(from, to, remap);
}
