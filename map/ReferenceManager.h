// The reference-manager layer: implements the host's reference protocol once, so a class keeps
// its references as member handles (RefPtr) instead of index bookkeeping.
//
// Each reference is an entry of a table whose index is the host's reference index. A slot
// number below firstListSlot names one fixed reference; a slot number at or above it names a
// list: a run of consecutive references that grows and shrinks as entries are added and
// removed. Lists lie back to back from index firstListSlot on.
//
// Entries and their callbacks belong to the handles that asked for them, not to the table.
// Everything runs on the host's main thread; nothing here locks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "containers/Array.h"
#include "hold.h"
#include "ref.h"

// Hands the messages of one reference's target to the object that holds the reference.
struct RefCallback {
    void* owner;
    // The result is ignored.
    RefResult (*function)(void* owner, RefMessage message, std::uint64_t& partID);
};

// One managed reference.
struct RefEntry {
    static constexpr std::uint32_t kWeak = 1u;        // not a real dependency
    static constexpr std::uint32_t kPersistent = 2u;  // a weak reference saved with the scene

    std::uint32_t flags;
    ReferenceTarget* target;
    RefCallback* callback;  // owned; may be null
};

// What a handle asks of the layer.
class IReferenceManager {
public:
    // The target of the entry at index; null beyond the table or for an empty slot.
    virtual ReferenceTarget* GetTarget(std::uint64_t index) = 0;
    // Has the host make reference index point to target (null clears it).
    virtual void SetTarget(int index, ReferenceTarget* target) = 0;
    // The lowest index holding entry, or -1 (null finds the first empty slot).
    virtual int IndexOfEntry(RefEntry* entry) = 0;
    virtual bool HasEntry(std::uint64_t index) = 0;
    // Turns slot into a list of length 0; always true.
    virtual bool MakeList(std::uint64_t slot) = 0;
    // Creates the entry and, through the host, the reference. position is the place in a list
    // slot (negative: the end). Returns the new entry, or null when the index it would take
    // cannot be a reference index.
    virtual RefEntry* AddEntry(std::uint64_t slot, int position, RefCallback* callback,
                               ReferenceTarget* target, bool weak, bool persistent) = 0;
    // Deletes the entry's reference, takes it out of the table and frees it and its callback.
    // False when the entry is not in the table.
    virtual bool RemoveEntry(RefEntry* entry, std::uint64_t slot) = 0;

protected:
    ~IReferenceManager() = default;
};

template <class Base, int N>
class ReferenceManager : public Base, public virtual IReferenceManager {
public:
    ReferenceManager() = default;
    ReferenceManager(const ReferenceManager&) = delete;
    ReferenceManager& operator=(const ReferenceManager&) = delete;
    // Drops every reference; entries and callbacks are the handles' to free (before this).
    ~ReferenceManager() override { this->DeleteAllRefs(); }

    // IReferenceManager
    ReferenceTarget* GetTarget(std::uint64_t index) override {
        return index < entries.length() && entries[index] ? entries[index]->target : nullptr;
    }
    void SetTarget(int index, ReferenceTarget* target) override {
        this->ReplaceReference(index, target, TRUE);
        if (!target) {
            SetReference(index, nullptr);
        }
    }
    int IndexOfEntry(RefEntry* entry) override {
        for (int i = 0; i < NumRefs(); ++i) {
            if (entries[static_cast<std::size_t>(i)] == entry) {
                return i;
            }
        }
        return -1;
    }
    bool HasEntry(std::uint64_t index) override {
        return index < entries.length() && entries[index] != nullptr;
    }
    bool MakeList(std::uint64_t slot) override;
    RefEntry* AddEntry(std::uint64_t slot, int position, RefCallback* callback,
                       ReferenceTarget* target, bool weak, bool persistent) override;
    bool RemoveEntry(RefEntry* entry, std::uint64_t slot) override;

    // The host's reference protocol.
    int NumRefs() override { return static_cast<int>(entries.length()); }
    RefTargetHandle GetReference(int i) override {
        return i < 0 ? nullptr : GetTarget(static_cast<std::uint64_t>(i));
    }
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i < 0) {
            Base::SetReference(i, rtarg);
        } else if (HasEntry(static_cast<std::uint64_t>(i))) {
            entries[static_cast<std::size_t>(i)]->target = rtarg;
        }
    }
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;
    BOOL IsRealDependency(ReferenceTarget* rtarg) override {
        const int i = FindTarget(rtarg);
        if (i < 0) {
            return TRUE;
        }
        const RefEntry* e = entries[static_cast<std::size_t>(i)];
        return e && !(e->flags & RefEntry::kWeak);
    }
    BOOL ShouldPersistWeakRef(RefTargetHandle rtarg) override {
        const int i = FindTarget(rtarg);
        const RefEntry* e = i < 0 ? nullptr : entries[static_cast<std::size_t>(i)];
        return e ? (e->flags & RefEntry::kPersistent) != 0 : TRUE;
    }
    void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override;

    // For tests and tools: the length of each list.
    const std::vector<std::uint64_t>& ListCounts() const { return listCounts; }
    std::uint64_t FirstListSlot() const { return firstListSlot; }

private:
    // The first index whose target is ptr (an empty slot counts as null), or -1.
    int FindTarget(ReferenceTarget* ptr) {
        for (int i = 0; i < NumRefs(); ++i) {
            const RefEntry* e = entries[static_cast<std::size_t>(i)];
            if ((e ? e->target : nullptr) == ptr) {
                return i;
            }
        }
        return -1;
    }
    std::uint64_t ListStart(std::size_t list, std::uint64_t position) const {
        std::uint64_t index = firstListSlot + position;
        for (std::size_t k = 0; k < list; ++k) {
            index += listCounts[k];
        }
        return index;
    }
    RefEntry* CreateEntry(std::uint64_t index, RefCallback* callback, bool weak, bool persistent);

    // The largest reference index the host can address.
    static constexpr std::uint64_t kMaxIndex = 0x7FFFFFFEu;

    MaxSDK::Array<RefEntry*> entries;
    std::vector<std::uint64_t> listCounts;
    std::uint64_t firstListSlot = 0x7FFFFFFFu;
};

// A handle owning the fixed reference at slot N, whose target is a T.
template <class T, int N>
class RefPtr {
public:
    RefPtr(IReferenceManager* mgr, RefCallback* callback)
        : manager(mgr), entry(mgr->AddEntry(N, 0, callback, nullptr, false, true)) {}
    RefPtr(const RefPtr&) = delete;
    RefPtr& operator=(const RefPtr&) = delete;
    // Removes the reference with undo recording suspended: the owner is going away.
    virtual ~RefPtr() {
        if (entry) {
            theHold.Suspend();
            manager->RemoveEntry(entry, N);
            theHold.Resume();
            entry = nullptr;
        }
    }

    T* get() const { return entry ? static_cast<T*>(entry->target) : nullptr; }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }

private:
    IReferenceManager* manager;
    RefEntry* entry;
};

#include "ReferenceManager.inl"
