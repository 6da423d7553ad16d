#include <algorithm>

#include "hold.h"
#include "iparamb2.h"
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

// Undo record of one ReplaceReference: the maker's slot goes back to the previous target, and
// forward again on Redo, through ReplaceReference so that dependencies stay right. The HeldRefs
// keep both targets alive for as long as the record lives.
class RefReplaceRestore : public RestoreObj {
public:
    RefReplaceRestore(ReferenceMaker* m, int slot, RefTargetHandle before, RefTargetHandle after,
                      BOOL del)
        : maker(m), which(slot), oldTarget(before), newTarget(after), delOld(del) {}
    void Restore(int) override { Put(oldTarget); }
    void Redo() override { Put(newTarget); }
    MSTR Description() override { return MSTR(_M("Replace reference")); }

private:
    void Put(const HeldRef& target) {
        if (ReferenceMaker* m = maker.Get()) {
            m->ReplaceReference(which, target.Target(), delOld);
        }
    }

    HeldRef maker;
    int which;
    HeldRef oldTarget;
    HeldRef newTarget;
    BOOL delOld;
};

// Undo record of DeleteMe's last step, after the records of the dropped slots: Redo deletes
// the target again once those slots are dropped again (it waits for the records, as always);
// Undo has nothing to do, the slot records put the target back.
class DeleteMeRestore : public RestoreObj {
public:
    explicit DeleteMeRestore(ReferenceTarget* t) : target(t) {}
    void Restore(int) override {}
    void Redo() override {
        if (ReferenceTarget* t = target.Target()) {
            t->MaybeAutoDelete();
        }
    }
    MSTR Description() override { return MSTR(_M("Delete")); }

private:
    HeldRef target;
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
    for (HeldRef* holder : holders) {
        holder->object = nullptr;
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
    // Recorded before the change, so that the record holds the old target while it is dropped.
    if (theHold.Holding()) {
        theHold.Put(new RefReplaceRestore(this, which, old, newtarg, delOld));
    }
    SetReference(which, newtarg);
    if (newtarg) {
        newtarg->AddDependent(this);
        newtarg->RefAdded(this);
    }
    if (old) {
        ReleaseTarget(old, delOld);
    }
    return REF_SUCCEED;
}

// The one place where dropping a reference is announced; ref.h lists the steps.
void ReferenceMaker::ReleaseTarget(ReferenceTarget* target, BOOL delOld) {
    // A receiver must not delete the target under our feet: deletion waits for the guard.
    HeldRef guard(target);
    target->RemoveDependent(this);
    target->RefDeleted(this);
    if (!RefMsgsDisabled()) {
        target->NotifyDependents(FOREVER, PART_ALL, REFMSG_REF_DELETED, NOTIFY_ALL, FALSE);
        std::vector<IParamBlock2*> blocks;
        for (int i = 0; i < target->NumParamBlocks(); ++i) {
            IParamBlock2* block = target->GetParamBlock(i);
            if (block && block->GetOwner() == target &&
                std::find(blocks.begin(), blocks.end(), block) == blocks.end()) {
                blocks.push_back(block);
            }
        }
        for (IParamBlock2* block : blocks) {
            PartID part = PART_ALL;
            block->NotifyRefChanged(FOREVER, target, part, REFMSG_REF_DELETED, FALSE);
        }
    }
    if (delOld) {
        target->MaybeAutoDelete();
    }
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

RefResult ReferenceTarget::DeleteMe() {
    // Held until the end, so that nothing deletes the target while its references go.
    HeldRef self(this);
    struct Slot {
        ReferenceMaker* maker;
        int index;
    };
    std::vector<Slot> slots;
    const std::vector<ReferenceMaker*> makers = GetDependents();
    for (ReferenceMaker* maker : makers) {
        for (int i = 0; i < maker->NumRefs(); ++i) {
            if (maker->GetReference(i) == this) {
                slots.push_back({maker, i});
            }
        }
    }
    if (!RefMsgsDisabled()) {
        for (ReferenceMaker* maker : makers) {
            if (maker != this) {
                PartID part = PART_ALL;
                maker->NotifyRefChanged(FOREVER, this, part, REFMSG_TARGET_DELETED, FALSE);
            }
        }
    }
    for (const Slot& slot : slots) {
        if (slot.maker->GetReference(slot.index) == this) {
            slot.maker->ReplaceReference(slot.index, nullptr, FALSE);
        } else if (std::find(dependents.begin(), dependents.end(), slot.maker) !=
                   dependents.end()) {
            // The maker forgot the target itself on the message: record what it held, then
            // drop the dependency as ReplaceReference would have.
            if (theHold.Holding()) {
                theHold.Put(new RefReplaceRestore(slot.maker, slot.index, this, nullptr, FALSE));
            }
            slot.maker->ReleaseTarget(this, FALSE);
        }
    }
    if (theHold.Holding()) {
        theHold.Put(new DeleteMeRestore(this));
    }
    MaybeAutoDelete();
    return REF_SUCCEED;
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
    if (!holders.empty()) {
        deletePending = true;
        return FALSE;
    }
    DeleteThis();
    return TRUE;
}

void ReferenceTarget::AddDependent(ReferenceMaker* maker) {
    deletePending = false;
    dependents.push_back(maker);
    maker->heldTargets.push_back(this);
}

void ReferenceTarget::RemoveDependent(ReferenceMaker* maker) {
    EraseOne(dependents, maker);
    EraseOne(maker->heldTargets, static_cast<ReferenceTarget*>(this));
}

HeldRef& HeldRef::operator=(const HeldRef& other) {
    if (this != &other && object != other.object) {
        ReferenceMaker* next = other.object;
        Release();
        Attach(next);
    }
    return *this;
}

ReferenceTarget* HeldRef::Target() const {
    return dynamic_cast<ReferenceTarget*>(object);
}

void HeldRef::Attach(ReferenceMaker* obj) {
    object = obj;
    if (object) {
        object->holders.push_back(this);
    }
}

void HeldRef::Release() {
    if (!object) {
        return;
    }
    ReferenceMaker* obj = object;
    object = nullptr;
    EraseOne(obj->holders, this);
    if (!obj->holders.empty()) {
        return;
    }
    auto* target = dynamic_cast<ReferenceTarget*>(obj);
    if (target && target->deletePending && target->dependents.empty()) {
        target->deletePending = false;
        target->DeleteThis();
    }
}
