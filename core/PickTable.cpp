#include "PickTable.h"

#include "SampleRandom.h"

void PickTable::Clear() {
    slots.Init();
    totalWeight = 0;
    smallTotal = 0;
    reciprocal = 0;
}

void PickTable::Add(Texmap* map, int weight) {
    if (weight <= 0 || !map) {
        return;
    }
    const int stored = slots.Count();
    const std::uint64_t wanted =
        static_cast<std::uint64_t>(stored) + static_cast<std::uint64_t>(weight);
    const int grown = wanted < kMaxStoredSlots ? static_cast<int>(wanted) : kMaxStoredSlots;
    totalWeight += static_cast<std::uint64_t>(weight);
    smallTotal =
        totalWeight <= SampleRandom::kMaxDraw ? static_cast<std::uint32_t>(totalWeight) : 0;
    reciprocal = smallTotal != 0 ? UINT32_MAX / smallTotal + 1 : 0;
    if (grown == stored) {
        return;
    }
    TBSetCount(slots.Header(), grown, static_cast<int>(sizeof(Texmap*)), TRUE);
    for (int i = stored; i < grown; ++i) {
        slots[i] = map;
    }
}
