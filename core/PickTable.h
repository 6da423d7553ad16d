// The weighted pick table: each enabled sub-map stands in it as often as its weight, in list
// order, so a pick is one modulo and one index: entry (draw mod total weight).
//
// The pick draw never exceeds 32767, so the index is always below 32768. The total weight is
// counted in 64 bits (weights are unbounded 32-bit integers and their sum can exceed 2^31),
// and only the first 32768 slots are stored: every pick is the one a table with a slot per
// unit of weight would give, and memory stays below 256 KiB whatever the weights.
#pragma once

#include <cstdint>

#include "imtl.h"
#include "tab.h"

class PickTable {
public:
    // One more than the largest pick draw.
    static constexpr int kMaxStoredSlots = 32768;

    // Empties the table and releases its storage.
    void Clear();
    // Appends map weight times. A weight of 0 or below, or a null map, adds nothing.
    void Add(Texmap* map, int weight);

    bool Empty() const { return totalWeight == 0; }
    // The total weight: the length of the table if every slot were stored.
    std::uint64_t TotalWeight() const { return totalWeight; }
    // The slots actually stored: min(total weight, 32768).
    const Tab<Texmap*>& Slots() const { return slots; }

    // The entry for a pick draw in [0, 32767]; the table must not be empty. The index is
    // draw mod total weight, below the stored count by construction.
    Texmap* Pick(int draw) const {
        return slots.begin()[PickIndex(static_cast<std::uint32_t>(draw))];
    }
    // draw mod total weight, for a draw in [0, 32767].
    std::uint32_t PickIndex(std::uint32_t draw) const {
        if (smallTotal == 0) {
            return draw;
        }
        // draw mod smallTotal by multiplication: exact because draw and smallTotal are both
        // below 2^16, and several times cheaper than a division on every sample.
        const std::uint32_t fraction = reciprocal * draw;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(fraction) * smallTotal) >>
                                          32);
    }

private:
    Tab<Texmap*> slots;
    std::uint64_t totalWeight = 0;
    // The total weight while it is at most 32767, else 0: every draw is then its own index.
    std::uint32_t smallTotal = 0;
    // ceil(2^32 / smallTotal), for the modulo by multiplication.
    std::uint32_t reciprocal = 0;
};
