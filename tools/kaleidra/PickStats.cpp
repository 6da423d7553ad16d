#include "PickStats.h"

#include "MultiMapParamIDs.h"
#include "SampleRandom.h"
#include "SampleVariation.h"
#include "WideText.h"
#include "iparamb2.h"

namespace {

constexpr int kPickDraws = 32768;  // the pick draw is in [0, 32767]

}  // namespace

int PickDraw(std::int32_t key, std::int32_t seed) {
    // The map's own seeding and first draw, from the shading core's headers.
    return SampleRandom(SampleSeed(key, seed)).Next();
}

PickReport ComputePickReport(Texmap* map, TimeValue t, const KeyRange& keys) {
    // Updating first makes the on/off and weight lists follow the sub-map list.
    Interval valid = FOREVER;
    map->Update(t, valid);
    IParamBlock2* pb = map->GetParamBlock(kMultiMapParamsRef);

    PickReport report;
    report.seed = pb->GetInt(pb_seed, t);
    const int n = pb->Count(pb_submaps);
    for (int i = 0; i < n; ++i) {
        PickEntry e;
        e.index = i;
        Texmap* sub = pb->GetTexmap(pb_submaps, t, i);
        e.name = sub ? ToUtf8(sub->GetName().data()) : "(empty)";
        e.on = pb->GetInt(pb_submap_on, t, i) != 0;
        e.weight = pb->GetInt(pb_probability, t, i);
        e.inPick = e.on && sub && e.weight > 0;
        if (e.inPick) {
            report.totalWeight += static_cast<std::uint64_t>(e.weight);
        }
        report.entries.push_back(e);
    }
    if (report.totalWeight == 0) {
        return report;  // nothing to pick: every share is 0
    }

    // The entry of every pick draw: slot (draw mod total) in list order.
    std::vector<std::size_t> entryOfDraw(kPickDraws);
    std::size_t entry = 0;       // the entry owning the slots below entryEnd
    std::uint64_t entryEnd = 0;  // 0: no entry reached yet
    for (int draw = 0; draw < kPickDraws; ++draw) {
        const std::uint64_t slot = static_cast<std::uint64_t>(draw) % report.totalWeight;
        if (slot == 0) {
            entryEnd = 0;
        }
        while (slot >= entryEnd) {
            entry = entryEnd == 0 ? 0 : entry + 1;
            while (!report.entries[entry].inPick) {
                ++entry;
            }
            entryEnd += static_cast<std::uint64_t>(report.entries[entry].weight);
        }
        entryOfDraw[static_cast<std::size_t>(draw)] = entry;
        ++report.entries[entry].draws;
    }
    for (std::int64_t key = keys.from; key <= keys.to; ++key) {
        const int draw = PickDraw(static_cast<std::int32_t>(key), report.seed);
        ++report.entries[entryOfDraw[static_cast<std::size_t>(draw)]].keys;
    }
    for (PickEntry& e : report.entries) {
        if (e.inPick) {
            e.weightShare = static_cast<double>(e.weight) / static_cast<double>(report.totalWeight);
        }
        e.chance = static_cast<double>(e.draws) / kPickDraws;
        e.received = static_cast<double>(e.keys) / static_cast<double>(keys.Count());
    }
    return report;
}
