#include <algorithm>

#include "ref.h"

namespace {

// Nesting depth of DisableRefMsgs.
int refMsgsDisabled = 0;

template <class T>
void EraseOne(std::vector<T*>& list, T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
        list.erase(it);
    }
}

template <class T>
void EraseAll(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// Clears the notifying flag however the notification loop is left.
class NotifyingScope {
public:
    explicit NotifyingScope(bool& f) : flag(f) { flag = true; }
    ~NotifyingScope() { flag = false; }
    NotifyingScope(const NotifyingScope&) = delete;
    NotifyingScope& operator=(const NotifyingScope&) = delete;

private:
    bool& flag;
};

}  // namespace

void DisableRefMsgs() {
    ++refMsgsDisabled;
}

void EnableRefMsgs() {
    if (refMsgsDisabled > 0) {
        --refMsgsDisabled;
    }
}

BOOL RefMsgsDisabled() {
    return refMsgsDisabled > 0;
}

ReferenceMaker::~ReferenceMaker() {
    for (ReferenceTarget* target : heldTargets) {
        EraseOne(target->dependents, static_cast<ReferenceMaker*>(this));
    }
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (which < 0 || which >= NumRefs()) {
        return REF_FAIL;
    }
    RefTargetHandle old = GetReference(which);
    if (old == newtarg) {
        return REF_SUCCEED;
    }
    SetReference(which, newtarg);
    if (newtarg) {
        newtarg->AddDependent(this);
        newtarg->RefAdded(this);
    }
    if (old) {
        old->RemoveDependent(this);
        old->RefDeleted(this);
        if (delOld) {
            old->MaybeAutoDelete();
        }
    }
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int i) {
    return ReplaceReference(i, nullptr, TRUE);
}

RefResult ReferenceMaker::DeleteAllRefsFromMe() {
    for (int i = 0; i < NumRefs(); ++i) {
        if (GetReference(i)) {
            DeleteReference(i);
        }
    }
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteAllRefs() {
    DeleteAllRefsToMe();
    return DeleteAllRefsFromMe();
}

RefResult ReferenceTarget::DeleteAllRefsToMe() {
    for (ReferenceMaker* maker : GetDependents()) {
        for (int i = 0; i < maker->NumRefs(); ++i) {
            if (maker->GetReference(i) == this) {
                maker->ReplaceReference(i, nullptr, FALSE);
            }
        }
    }
    return REF_SUCCEED;
}

ReferenceTarget::~ReferenceTarget() {
    while (!dependents.empty()) {
        ReferenceMaker* maker = dependents.front();
        if (maker != this) {
            PartID part = PART_ALL;
            if (!RefMsgsDisabled()) {
                maker->NotifyRefChanged(FOREVER, this, part, REFMSG_TARGET_DELETED, FALSE);
            }
            for (int i = 0; i < maker->NumRefs(); ++i) {
                if (maker->GetReference(i) == this) {
                    maker->SetReference(i, nullptr);
                }
            }
        }
        EraseAll(dependents, maker);
        EraseAll(maker->heldTargets, static_cast<ReferenceTarget*>(this));
    }
}

RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID,
                                            RefMessage message, SClass_ID sclass, BOOL propagate,
                                            RefTargetHandle hTarg) {
    if (RefMsgsDisabled() || notifying) {
        return REF_SUCCEED;
    }
    NotifyingScope scope(notifying);
    for (ReferenceMaker* maker : GetDependents()) {
        // An earlier receiver may have dropped this maker's reference.
        if (std::find(dependents.begin(), dependents.end(), maker) == dependents.end()) {
            continue;
        }
        if (sclass != NOTIFY_ALL && maker->SuperClassID() != sclass) {
            continue;
        }
        PartID part = partID;
        const RefResult result =
            maker->NotifyRefChanged(changeInt, hTarg ? hTarg : this, part, message, propagate);
        if (propagate && result != REF_STOP && result != REF_HALT) {
            if (auto* target = dynamic_cast<ReferenceTarget*>(maker)) {
                target->NotifyDependents(changeInt, part, message, sclass, propagate, nullptr);
            }
        }
    }
    return REF_SUCCEED;
}

BOOL ReferenceTarget::HasDependents() {
    return dependents.empty() ? FALSE : TRUE;
}

std::vector<ReferenceMaker*> ReferenceTarget::GetDependents() {
    std::vector<ReferenceMaker*> distinct;
    for (ReferenceMaker* maker : dependents) {
        if (std::find(distinct.begin(), distinct.end(), maker) == distinct.end()) {
            distinct.push_back(maker);
        }
    }
    return distinct;
}

BOOL ReferenceTarget::MaybeAutoDelete() {
    if (!dependents.empty()) {
        return FALSE;
    }
    DeleteThis();
    return TRUE;
}

void ReferenceTarget::AddDependent(ReferenceMaker* maker) {
    dependents.push_back(maker);
    maker->heldTargets.push_back(this);
}

void ReferenceTarget::RemoveDependent(ReferenceMaker* maker) {
    EraseOne(dependents, maker);
    EraseOne(maker->heldTargets, static_cast<ReferenceTarget*>(this));
}
