// Keeps every object a load creates alive until the load is over: the objects refer to one
// another while they are filled, and an object briefly left without dependents would otherwise
// be deleted by the reference protocol. Release drops the holder's references; an object that
// nothing else refers to by then (everything, after a failed load) is deleted.
#pragma once

#include <vector>

#include "ref.h"

class LoadHolder : public ReferenceMaker {
public:
    LoadHolder() = default;
    LoadHolder(const LoadHolder&) = delete;
    LoadHolder& operator=(const LoadHolder&) = delete;
    ~LoadHolder() override { Release(); }

    void Hold(ReferenceTarget* obj) {
        held.push_back(nullptr);
        ReplaceReference(NumRefs() - 1, obj);
    }
    // Drops the references, last created first.
    void Release() {
        for (int i = NumRefs() - 1; i >= 0; --i) {
            DeleteReference(i);
        }
        held.clear();
    }

    int NumRefs() override { return static_cast<int>(held.size()); }
    RefTargetHandle GetReference(int i) override {
        return i >= 0 && i < NumRefs() ? held[static_cast<std::size_t>(i)] : nullptr;
    }
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i >= 0 && i < NumRefs()) {
            held[static_cast<std::size_t>(i)] = rtarg;
        }
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage,
                               BOOL) override {
        return REF_SUCCEED;
    }

private:
    std::vector<RefTargetHandle> held;
};
