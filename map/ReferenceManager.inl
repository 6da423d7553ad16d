// Member definitions of ReferenceManager; included by ReferenceManager.h only.
#pragma once

template <class Base, int N>
RefEntry* ReferenceManager<Base, N>::CreateEntry(std::uint64_t index, RefCallback* callback,
                                                 bool weak, bool persistent) {
    while (index >= entries.length()) {
        entries.append(nullptr);
    }
    const auto i = static_cast<std::size_t>(index);
    if (entries[i]) {
        entries.insertAt(i, nullptr);  // the entry there and all after it move up by one
    }
    auto* entry = new RefEntry{(weak ? RefEntry::kWeak : 0u) |
                                   (persistent ? RefEntry::kPersistent : 0u),
                               nullptr, callback};
    entries[i] = entry;
    return entry;
}

template <class Base, int N>
RefEntry* ReferenceManager<Base, N>::AddEntry(std::uint64_t slot, int position,
                                              RefCallback* callback, ReferenceTarget* target,
                                              bool weak, bool persistent) {
    if (slot < firstListSlot) {
        if (slot > kMaxIndex) {
            return nullptr;
        }
        CreateEntry(slot, callback, weak, persistent);
        // The host calls SetReference(slot, target), which stores the target in the entry.
        this->ReplaceReference(static_cast<int>(slot), target, TRUE);
        return entries[static_cast<std::size_t>(slot)];
    }

    const auto list = static_cast<std::size_t>(slot - firstListSlot);
    std::uint64_t count = list < listCounts.size() ? listCounts[list] + 1 : 1;
    const std::uint64_t place =
        position < 0 ? count - 1 : static_cast<std::uint64_t>(position);
    // Lists whose references could not be addressed (a list slot used before any MakeList
    // brought the lists down into the table) are refused rather than grown to billions.
    std::uint64_t start = firstListSlot + place;
    for (std::size_t k = 0; k < list && k < listCounts.size(); ++k) {
        start += listCounts[k];
    }
    if (list > listCounts.size()) {
        start += list - listCounts.size();
    }
    if (start > kMaxIndex) {
        return nullptr;
    }
    if (list < listCounts.size()) {
        listCounts[list] = count;
    } else {
        listCounts.resize(list + 1, 1);
    }
    const std::uint64_t index = ListStart(list, place);
    RefEntry* entry = CreateEntry(index, callback, weak, persistent);
    if (target) {
        this->ReplaceReference(static_cast<int>(index), target, TRUE);
    }
    return entry;
}

template <class Base, int N>
bool ReferenceManager<Base, N>::RemoveEntry(RefEntry* entry, std::uint64_t slot) {
    const int i = IndexOfEntry(entry);
    if (i < 0) {
        return false;
    }
    if (entry->target) {
        this->DeleteReference(i);  // while the entry is still in the table
    }
    const auto index = static_cast<std::size_t>(i);
    if (index < firstListSlot) {
        entries[index] = nullptr;  // later references keep their indices
    } else {
        entries.removeAt(index);  // later references move down by one
    }
    delete entry->callback;
    delete entry;
    if (slot >= firstListSlot) {
        const auto list = static_cast<std::size_t>(slot - firstListSlot);
        if (list < listCounts.size() && listCounts[list] > 0) {
            --listCounts[list];
        }
    }
    return true;
}

template <class Base, int N>
bool ReferenceManager<Base, N>::MakeList(std::uint64_t slot) {
    const std::uint64_t length = entries.length();
    const std::uint64_t lists = listCounts.size();
    if (slot >= length) {
        if (slot > firstListSlot && slot - firstListSlot >= lists) {
            for (std::uint64_t k = 0; k < slot - firstListSlot - lists + 1; ++k) {
                entries.append(nullptr);  // one per list slot about to be created
            }
        } else if (slot <= firstListSlot && lists == 0) {
            entries.setLengthUsed(static_cast<std::size_t>(slot) + 1, nullptr);
        }
    }
    if (slot < firstListSlot) {
        // Fixed indices from slot up to the table's end (or the old boundary) become lists of
        // length 1, in front of the existing lists.
        const std::uint64_t end =
            std::min<std::uint64_t>(entries.length(), firstListSlot);
        if (end > slot) {
            listCounts.insert(listCounts.begin(), static_cast<std::size_t>(end - slot), 1);
        }
        firstListSlot = slot;
    } else if (slot - firstListSlot >= listCounts.size()) {
        listCounts.resize(static_cast<std::size_t>(slot - firstListSlot) + 1, 1);
    }
    const auto list = static_cast<std::size_t>(slot - firstListSlot);
    if (list < listCounts.size()) {
        const std::uint64_t first = ListStart(list, 0);
        if (first < entries.length()) {
            // Expected empty; an entry found here leaves the table without being freed.
            entries.removeAt(static_cast<std::size_t>(first));
        }
        listCounts[list] = 0;
    }
    return true;
}

template <class Base, int N>
RefResult ReferenceManager<Base, N>::NotifyRefChanged(const Interval&, RefTargetHandle hTarget,
                                                      PartID& partID, RefMessage message, BOOL) {
    const int i = FindTarget(hTarget);
    if (i >= 0) {
        RefEntry* entry = entries[static_cast<std::size_t>(i)];
        if (entry && entry->callback) {
            std::uint64_t part = partID;
            entry->callback->function(entry->callback->owner, message, part);
            partID = static_cast<PartID>(part);
        }
    }
    if (message == REFMSG_TARGET_DELETED && hTarget) {
        // The entry forgets the target but stays; with no entry this reaches the host's base.
        SetReference(FindTarget(hTarget), nullptr);
    }
    return REF_SUCCEED;
}

template <class Base, int N>
void ReferenceManager<Base, N>::BaseClone(ReferenceTarget* from, ReferenceTarget* to,
                                          RemapDir& remap) {
    if (!from || !to || from == to) {
        return;
    }
    // Strong references are cloned, weak ones shared.
    for (int i = 0; i < from->NumRefs(); ++i) {
        RefTargetHandle target = from->GetReference(i);
        if (from->IsRealDependency(target)) {
            target = remap.CloneRef(target);
        }
        to->ReplaceReference(i, target, TRUE);
    }
    Base::BaseClone(from, to, remap);
}
