// What the benchmark programs share: every measurement repeated and its
// fastest repetition kept (the machine is shared, and other work only ever
// adds time), and the figures printed next to their targets on lines that
// bench/run-all.sh gathers into its summary.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

inline constexpr int kRepetitions = 7;

inline double Least(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

// Times in microseconds of processor time, so that a busy machine's waits for
// a core are left out; repeated, with the fastest repetition kept.
inline benchmark::internal::Benchmark* Measured(benchmark::internal::Benchmark* benchmark) {
    return benchmark->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", Least);
}

// The console report, keeping the fastest processor time of each benchmark
// for the figures.
class FigureReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    FigureReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
            const bool single = run.run_type == Run::RT_Iteration;
            if (!fastest && !single) {
                continue;
            }
            const double microseconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
            auto [kept, added] = fastest_.try_emplace(run.run_name.function_name, microseconds);
            if (!added) {
                kept->second = std::min(kept->second, microseconds);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Microseconds of processor time per iteration, if the benchmark ran.
    std::optional<double> Fastest(const std::string& name) const {
        const auto found = fastest_.find(name);
        if (found == fastest_.end()) {
            return std::nullopt;
        }
        return found->second;
    }

private:
    std::map<std::string, double> fastest_;
};

enum Bound { AtMost, AtLeast };

inline bool Meets(double value, Bound bound, double target) {
    return bound == AtMost ? value <= target : value >= target;
}

// One line per figure: "FIGURE what: value unit (target <= t) ok".
inline void PrintFigure(const char* what, double value, const char* unit, Bound bound,
                        double target) {
    std::printf("FIGURE %s: %.3g %s (target %s %g %s) %s\n", what, value, unit,
                bound == AtMost ? "<=" : ">=", target, unit,
                Meets(value, bound, target) ? "ok" : "MISSED");
    std::fflush(stdout);
}

}  // namespace bench
