// A console reporter that, after the usual table, prints ratios between benchmarks measured in
// the same run: "<label>: <numerator time / denominator time>". Times are CPU time per
// iteration, or real time for benchmarks measured in real time; medians when run with repetitions.
#pragma once

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Ratio {
        std::string label;
        std::string numerator;    // a benchmark's full name, e.g. "BM_Render/threads:1"
        std::string denominator;  // likewise
    };

    explicit RatioReporter(std::vector<Ratio> wanted) : ratios(std::move(wanted)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            const bool realTime = name.find("/real_time") != std::string::npos;
            const double time = realTime ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                single[name] = time;
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                median[name] = time;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios(std::ostream& out) const {
        for (const Ratio& r : ratios) {
            const bool medians = median.count(r.numerator) && median.count(r.denominator);
            const auto& times = medians ? median : single;
            const auto n = times.find(r.numerator);
            const auto d = times.find(r.denominator);
            if (n != times.end() && d != times.end() && d->second > 0.0) {
                out << r.label << (medians ? " (medians)" : "") << ": " << n->second / d->second
                    << "\n";
            }
        }
    }

private:
    std::vector<Ratio> ratios;
    std::map<std::string, double> single, median;
};

// Runs the registered benchmarks with the reporter and prints the ratios; the body of main.
inline int RunWithRatios(int argc, char** argv, std::vector<RatioReporter::Ratio> ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::cout);
    benchmark::Shutdown();
    return 0;
}
