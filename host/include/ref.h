// References between scene objects: makers hold references to targets, and targets tell their
// dependents (the makers referring to them) about changes through NotifyRefChanged.
//
// Life cycle: ReplaceReference stores a target in one of the maker's slots (SetReference) and
// registers the maker as a dependent of it. DeleteReference, and ReplaceReference with delOld,
// drop a target; a target left without dependents that way is deleted (DeleteThis). An owner
// releases what it holds with DeleteAllRefsFromMe before it goes away. Deleting a target that
// still has dependents sends them REFMSG_TARGET_DELETED and clears their slots.
//
// Dropping a reference. Whenever a maker drops its reference to a target (DeleteReference,
// ReplaceReference with another target, DeleteAllRefsFromMe, DeleteAllRefsToMe, DeleteMe, and
// the undo or redo of any of these), the host, in this order and in this one place
// (ReferenceMaker's release of a target in references.cpp):
//   1. unregisters the maker as a dependent of the target;
//   2. calls target->RefDeleted(maker);
//   3. sends REFMSG_REF_DELETED from the target to its remaining dependents (not propagated);
//   4. hands REFMSG_REF_DELETED to each parameter block the target owns (its own
//      GetParamBlock, whose GetOwner is the target); the block passes it on, naming itself,
//      to its dependents, the owner first (not propagated). An owner that only listens to its
//      block thus hears "what depends on me changed";
//   5. with delOld, deletes the target when no dependent is left (see HeldRef for undo).
// Reference messages suspended (DisableRefMsgs) skip steps 3 and 4, never 2.
//
// Undo. While theHold.Holding(), ReplaceReference (and so every operation above) records one
// restore object that puts the previous target back through ReplaceReference. Records keep the
// objects they name alive through HeldRef; see there for when a dropped target dies.
#pragma once

#include <vector>

#include "animtbl.h"
#include "interval.h"
#include "maxtypes.h"

class ReferenceTarget;
class ReferenceMaker;
typedef ReferenceTarget* RefTargetHandle;
typedef ReferenceMaker* RefMakerHandle;

// Reference messages. The numeric codes are stored nowhere but compared by owners.
#define REFMSG_LOOPTEST 0x10
// The target is being deleted; the dependent's slot is cleared right after the message.
#define REFMSG_TARGET_DELETED 0x20
#define REFMSG_EVAL 0x30
// Something in the target changed (80). A parameter block names the parameter through
// LastNotifyParamID.
#define REFMSG_CHANGE 0x50
// The structure of the target's sub-animatables changed (258). A parameter block sends it when
// the count of a table changes (set, zeroed, entries inserted or deleted) and names the table
// through LastNotifyParamID.
#define REFMSG_SUBANIM_STRUCTURE_CHANGED 0x102
// The set of objects depending on the sender changed (259): a maker dropped its reference to
// the sender, or, from a parameter block, to the block's owner. Sent only by the steps of
// "Dropping a reference" above.
#define REFMSG_REF_DELETED 0x103
// The first code free for plug-in messages.
#define REFMSG_USER 0x00010000

// All channels of an object.
#define PART_ALL 0xFFFFFFFFu
// Super-class filter of NotifyDependents that lets every dependent through.
#define NOTIFY_ALL 0xFFFFFFF0u

// Suspends and resumes reference messages; calls nest. While suspended, NotifyDependents sends
// nothing (SuspendAll uses these).
CoreExport void DisableRefMsgs();
CoreExport void EnableRefMsgs();
CoreExport BOOL RefMsgsDisabled();

class RemapDir;
class DependentEnumProc;
class HeldRef;

class ReferenceMaker : public Animatable {
public:
    ReferenceMaker() = default;
    // Copies of a maker hold no references: reference bookkeeping is never copied.
    ReferenceMaker(const ReferenceMaker& other) : Animatable(other) {}
    ReferenceMaker& operator=(const ReferenceMaker&) { return *this; }
    // Unregisters from every target still held; the targets themselves are left alone.
    ~ReferenceMaker() override;

    // The maker's reference slots. SetReference only stores the pointer; the bookkeeping is
    // ReplaceReference's.
    virtual int NumRefs() { return 0; }
    virtual RefTargetHandle GetReference(int i) {
        (void)i;
        return nullptr;
    }
    virtual void SetReference(int i, RefTargetHandle rtarg) { (void)i, (void)rtarg; }

    // Receives a message from target hTarget. Returning REF_STOP keeps a propagating message
    // from going further up from this maker.
    virtual RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget,
                                       PartID& partID, RefMessage message, BOOL propagate) = 0;

    // Stores newtarg (may be null) in slot which and registers this maker as its dependent.
    // The previous target loses this dependency; with delOld it is deleted when no dependent
    // is left. REF_FAIL when which is outside 0 .. NumRefs()-1.
    CoreExport RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    // Clears slot i; a target left without dependents is deleted.
    CoreExport RefResult DeleteReference(int i);
    // Clears every slot.
    CoreExport RefResult DeleteAllRefsFromMe();
    // Has every maker referring to this object drop its references to it; the object itself
    // is not deleted. A maker that is no target has no such makers.
    virtual RefResult DeleteAllRefsToMe() { return REF_SUCCEED; }
    // Both of the above.
    CoreExport RefResult DeleteAllRefs();

    // FALSE when the reference to rtarg is weak: not a real dependency (a clone shares the
    // target instead of cloning it).
    virtual BOOL IsRealDependency(ReferenceTarget* rtarg) {
        (void)rtarg;
        return TRUE;
    }
    // For a weak reference: TRUE when it is saved with the scene.
    virtual BOOL ShouldPersistWeakRef(RefTargetHandle rtarg) {
        (void)rtarg;
        return FALSE;
    }

    // Render notifications: sent before and after the renderer uses the object. The flags of
    // RenderBegin are 0 for an ordinary production render.
    virtual int RenderBegin(TimeValue t, ULONG flags = 0) {
        (void)t, (void)flags;
        return 0;
    }
    virtual int RenderEnd(TimeValue t) {
        (void)t;
        return 0;
    }

private:
    friend class ReferenceTarget;
    friend class HeldRef;
    // Drops this maker's dependency on target (whose slot no longer holds it): steps 1 to 5
    // of "Dropping a reference" above.
    void ReleaseTarget(ReferenceTarget* target, BOOL delOld);
    // The HeldRefs pointing at this object; cleared (their pointers nulled) when it dies.
    std::vector<HeldRef*> holders;
    // One entry per dependency registered with a target (a target held in two slots is listed
    // twice), so that destruction can unregister without calling virtual functions.
    std::vector<ReferenceTarget*> heldTargets;
};

class ReferenceTarget : public ReferenceMaker {
public:
    ReferenceTarget() = default;
    // Copies of a target have no dependents.
    ReferenceTarget(const ReferenceTarget& other) : ReferenceMaker(other) {}
    ReferenceTarget& operator=(const ReferenceTarget& other) {
        ReferenceMaker::operator=(other);
        return *this;
    }
    // Sends REFMSG_TARGET_DELETED to each dependent and clears its slots holding this target.
    ~ReferenceTarget() override;

    // Sends message to each dependent (once per dependent, whatever the number of its slots
    // holding this target) whose super class matches sclass. With propagate, a dependent that
    // is itself a target passes the message on to its own dependents unless it answered
    // REF_STOP. hTarg is the target named in the message, this target when null. Sends
    // nothing while reference messages are disabled, and nothing re-entrantly from a target
    // that is already notifying (a reference loop).
    CoreExport RefResult NotifyDependents(const Interval& changeInt, PartID partID,
                                          RefMessage message, SClass_ID sclass = NOTIFY_ALL,
                                          BOOL propagate = TRUE, RefTargetHandle hTarg = nullptr);

    RefResult DeleteAllRefsToMe() override;

    // True while some maker refers to this target.
    CoreExport BOOL HasDependents();
    // The distinct makers referring to this target, in the order they first referred to it.
    CoreExport std::vector<ReferenceMaker*> GetDependents();
    // Deletes the target when no maker refers to it any more. Returns TRUE when it did. While
    // a HeldRef names the target, deletion waits for the last HeldRef to go (FALSE here).
    CoreExport BOOL MaybeAutoDelete();
    // The user's delete: sends REFMSG_TARGET_DELETED to each dependent, has every dependent
    // drop its references to the target (recorded while theHold.Holding(), so Undo puts them
    // back), then MaybeAutoDelete. Without a hold the target is gone afterwards; with one it
    // lives on, out of the scene, as long as the undo records need it.
    CoreExport RefResult DeleteMe();

    // A copy of the target whose references are cloned or shared through remap; null for a
    // class that cannot be cloned.
    virtual RefTargetHandle Clone(RemapDir& remap) {
        (void)remap;
        return nullptr;
    }
    // Finishes a clone: from was cloned into to. The host's base does nothing.
    virtual void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
        (void)from, (void)to, (void)remap;
    }

    // Calls dep->proc for this target and then for every maker that depends on it, directly
    // or through others, each once. Stops when proc answers DEP_ENUM_HALT; DEP_ENUM_SKIP
    // does not go above that maker. Returns 1 when halted, else 0.
    CoreExport int DoEnumDependents(DependentEnumProc* dep);
    virtual int DoEnumDependentsImpl(DependentEnumProc* dep);

    // Called after a maker added or dropped a reference to this target.
    virtual void RefAdded(RefMakerHandle rm) { (void)rm; }
    virtual void RefDeleted(ReferenceMaker* oldOwner) { (void)oldOwner; }

private:
    friend class ReferenceMaker;
    friend class HeldRef;
    void AddDependent(ReferenceMaker* maker);
    void RemoveDependent(ReferenceMaker* maker);

    // One entry per registered dependency, mirroring ReferenceMaker::heldTargets.
    std::vector<ReferenceMaker*> dependents;
    bool notifying = false;
    // MaybeAutoDelete found no dependent while a HeldRef kept the target: the last HeldRef to
    // go deletes it, unless a maker refers to it again by then.
    bool deletePending = false;
};

// A pointer held by an undo record (or anything else that must not dangle across edits).
// This is the one place where the life of dropped targets under undo is decided:
//   - While at least one HeldRef names a target, MaybeAutoDelete does not delete it; it marks
//     the target "delete pending" instead. So a target that ReplaceReference or DeleteReference
//     dropped with delOld stays alive while any record still needs it for Undo or Redo.
//   - A maker that refers to the target again (ReplaceReference, e.g. from Undo) clears the mark.
//   - When the last HeldRef naming a target goes (its record died: redo side forgotten, stack
//     cleared, hold cancelled, or recording was off), a target still marked and without
//     dependents is deleted then.
//   - An object destroyed anyway (an owner's explicit delete) nulls every HeldRef naming it, so
//     a record about it does nothing on Undo or Redo instead of touching freed memory.
class HeldRef {
public:
    explicit HeldRef(ReferenceMaker* obj = nullptr) { Attach(obj); }
    HeldRef(const HeldRef& other) { Attach(other.object); }
    HeldRef& operator=(const HeldRef& other);
    ~HeldRef() { Release(); }

    ReferenceMaker* Get() const { return object; }
    ReferenceTarget* Target() const;

private:
    friend class ReferenceMaker;
    CoreExport void Attach(ReferenceMaker* obj);
    CoreExport void Release();
    ReferenceMaker* object = nullptr;
};

// Visits dependents for ReferenceTarget::DoEnumDependents.
#define DEP_ENUM_CONTINUE 0
#define DEP_ENUM_HALT 1
#define DEP_ENUM_SKIP 2
class DependentEnumProc : public MaxHeapOperators {
public:
    virtual ~DependentEnumProc() = default;
    virtual int proc(ReferenceMaker* rmaker) = 0;
};

// The mapping from originals to clones during one clone operation: CloneRef clones each
// original once, however often it is reached, and hands back the same clone afterwards.
class RemapDir : public MaxHeapOperators {
public:
    virtual ~RemapDir() = default;
    // The clone of from made so far in this operation, or null.
    virtual RefTargetHandle FindMapping(RefTargetHandle from) = 0;
    // The clone of oldTarg: the existing one, or a new one made by oldTarg->Clone(*this) and
    // recorded. Null for null.
    virtual CoreExport RefTargetHandle CloneRef(RefTargetHandle oldTarg);
    virtual void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) = 0;
    // Sets *patchThis to the clone of oldTarg once that clone exists (at Backpatch at the
    // latest); leaves it alone when oldTarg is never cloned.
    virtual void PatchPointer(RefTargetHandle* patchThis, RefTargetHandle oldTarg) = 0;
    virtual void Backpatch() = 0;
    virtual void Clear() = 0;
    virtual void DeleteThis() = 0;
};

// A new remap directory for one clone operation; the caller ends it with DeleteThis.
CoreExport RemapDir& NewRemapDir(BOOL use_A_WORK2_flag = FALSE);
