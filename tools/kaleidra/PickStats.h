// The pick of a map seen from outside: for each entry of its list, the share its weight asks
// for, its exact chance under the pick and the share it received over a range of keys.
//
// The shares come from the map's parameters, not from evaluating it: an entry stands in the
// pick when it is switched on, holds a map and has a weight above 0; the pick draw of a key is
// the first draw of the generator seeded with SampleSeed(key, seed), and the entry it picks is
// the one owning slot (draw mod total weight) when the entries stand in list order, each as
// often as its weight. The tool keeps its own copy of that arithmetic (it never links the
// shading core); the tests check it against evaluations through the plug-in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "KeyRange.h"
#include "imtl.h"

struct PickEntry {
    int index = 0;
    std::string name;  // the sub-map's name, "(empty)" for an empty slot
    bool on = false;
    int weight = 0;
    bool inPick = false;     // on, holding a map and weighing more than 0
    double weightShare = 0;  // weight / total weight of the entries in the pick
    int draws = 0;           // pick draws out of 32768 that give this entry
    double chance = 0;       // draws / 32768
    std::int64_t keys = 0;   // keys of the range that picked this entry
    double received = 0;     // keys / keys in the range
};

struct PickReport {
    std::int32_t seed = 0;
    std::uint64_t totalWeight = 0;
    std::vector<PickEntry> entries;
};

// The first draw of the generator seeded with SampleSeed(key, seed), in [0, 32767].
int PickDraw(std::int32_t key, std::int32_t seed);

// The report for a MultiMap at time t (the map is updated at t first).
PickReport ComputePickReport(Texmap* map, TimeValue t, const KeyRange& keys);
