// kaleidra stats: how a map's pick shares its keys among the entries of its list.
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "BarChart.h"
#include "CommandRun.h"
#include "Commands.h"
#include "OpenedMap.h"
#include "PickStats.h"

namespace {

struct StatsOptions {
    MapArguments map;
    std::string keys;
    std::string plot;
    int time = 0;
};

void PrintReport(const PickReport& report, const KeyRange& keys) {
    std::printf("seed %d, total weight %llu, keys %d..%d (%lld keys), 32768 pick draws\n",
                report.seed, static_cast<unsigned long long>(report.totalWeight), keys.from,
                keys.to, static_cast<long long>(keys.Count()));
    std::printf("%5s  %-24s %-3s %10s %12s %7s %12s %12s %12s\n", "index", "sub-map", "on",
                "weight", "weight share", "draws", "chance", "keys", "received");
    for (const PickEntry& e : report.entries) {
        std::printf("%5d  %-24s %-3s %10d %12.6f %7d %12.6f %12lld %12.6f\n", e.index,
                    e.name.c_str(), e.on ? "on" : "off", e.weight, e.weightShare, e.draws, e.chance,
                    static_cast<long long>(e.keys), e.received);
    }
    if (report.totalWeight == 0) {
        std::printf("no entry is on with a map and a weight above 0: nothing is picked\n");
    }
}

int RunStats(const std::string& pluginPath, const StatsOptions& options) {
    const KeyRange keys = ParseKeyRange(options.keys);
    OpenedMap opened(pluginPath, options.map);
    if (!(opened.Map()->ClassID() == opened.Session().Plugin().Classes().at(0)->ClassID())) {
        throw std::runtime_error("map \"" + options.map.mapName +
                                 "\" is not a Kaleidra map: it has no pick to report");
    }
    const PickReport report = ComputePickReport(opened.Map(), options.time, keys);
    // The plot is written before the table, so a plot that fails leaves no report half-done.
    if (!options.plot.empty()) {
        std::vector<std::array<double, 3>> groups;
        for (const PickEntry& e : report.entries) {
            groups.push_back({e.weightShare, e.chance, e.received});
        }
        WriteImageAtomically(options.plot, DrawBarChart(groups));
    }
    PrintReport(report, keys);
    std::fflush(stdout);
    return 0;
}

}  // namespace

CommandAction AddStatsCommand(CLI::App& app) {
    auto options = std::make_shared<StatsOptions>();
    CLI::App* command = app.add_subcommand(
        "stats", "Reports how a Kaleidra map's pick shares keys among its entries");
    command->footer(
        "Reports, for each entry of a Kaleidra map's list, its weight share, its exact chance "
        "under the pick (counted over all 32768 pick draws, so the bias of draw mod total "
        "weight shows) and the share of a key range it receives. The pick of a key is computed "
        "from the map's seed, switches and weights, as the map computes it");
    AddMapArguments(*command, options->map);
    command->add_option("--keys", options->keys, "The keys, FROM..TO inclusive (at most 10^8)")
        ->required();
    command->add_option("--plot", options->plot,
                        "Also write a bar chart (PNG): per entry, weight share (blue), chance "
                        "(orange) and received share (green), grid lines every 10 %");
    command->add_option("--time", options->time, "The time in ticks")->capture_default_str();
    return [command, options] {
        return RunCommand("stats", [&] { return RunStats(PluginPathOption(*command), *options); });
    };
}
