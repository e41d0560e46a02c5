// The benchmark program's main: runs the benchmarks as usual, then prints
// each figure the plug-in is held to against its target, and how the cost
// per QSO grows from 10k to 100k QSOs. bench/check_targets.sh runs it and
// fails when a line reads MISSED.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

double seconds(double value, benchmark::TimeUnit unit) {
    switch (unit) {
    case benchmark::kNanosecond: return value * 1e-9;
    case benchmark::kMicrosecond: return value * 1e-6;
    case benchmark::kMillisecond: return value * 1e-3;
    default: return value;
    }
}

// Keeps the best of the repetitions of each benchmark: other work on the
// machine only ever makes a run slower.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            const double time = seconds(run.GetAdjustedRealTime(), run.time_unit);
            auto found = best_.find(name);
            if (found == best_.end() || time < found->second) best_[name] = time;
            for (const auto &counter : run.counters) {
                const std::string key = name + ":" + counter.first;
                auto seen = counters_.find(key);
                const double value = counter.second.value;
                if (seen == counters_.end() || value < seen->second) counters_[key] = value;
            }
        }
    }

    bool has(const std::string &key) const { return best_.count(key) + counters_.count(key) > 0; }
    double get(const std::string &key) const {
        auto found = best_.find(key);
        return found != best_.end() ? found->second : counters_.at(key);
    }

private:
    std::map<std::string, double> best_;
    std::map<std::string, double> counters_;
};

struct Target {
    const char *figure;
    const char *key;  // benchmark name before "/size", or name:counter
    double scale;     // to the unit shown
    const char *unit;
    double limit;     // at 100k QSOs, in that unit
};

const Target kTargets[] = {
    {"replay (reset, add each, result)", "BM_FullReplay", 1.0, "s", 0.12},
    {"CheckCall0 on a worked call", "BM_CheckCall", 1e6, "us", 0.5},
    {"GetResult0 after a new QSO", "BM_GetResultAfterQso", 1e3, "ms", 3.0},
    {"GetResult0, log unchanged", "BM_GetResult", 1e3, "ms", 3.0},
    {"heap per QSO", "BM_HeapPerQso:heap_bytes_per_qso", 1.0, "B", 120.0},
    {"remove 1,000 QSOs one by one", "BM_Removal1000", 1.0, "s", 1.0},
};

std::string keyAt(const Target &target, int size) {
    std::string key = target.key;
    const std::size_t colon = key.find(':');
    const std::string size_text = "/" + std::to_string(size);
    if (colon == std::string::npos) return key + size_text;
    return key.substr(0, colon) + size_text + key.substr(colon);
}

// Prints the table; false when a figure misses its target.
bool printTargets(const TargetReporter &reporter) {
    bool met = true;
    std::printf("\n%-34s %12s %12s %12s %10s %7s\n", "figure", "1k", "10k", "100k",
                "target", "ratio");
    for (const Target &target : kTargets) {
        std::printf("%-34s", target.figure);
        for (int size : {1000, 10000, 100000}) {
            const std::string key = keyAt(target, size);
            if (reporter.has(key))
                std::printf(" %9.4g %-2s", reporter.get(key) * target.scale, target.unit);
            else
                std::printf(" %12s", "-");
        }
        const std::string key = keyAt(target, 100000);
        if (!reporter.has(key)) {
            std::printf(" %7.4g %-2s     not run\n", target.limit, target.unit);
            continue;
        }
        const double ratio = reporter.get(key) * target.scale / target.limit;
        met = met && ratio <= 1.0;
        std::printf(" %7.4g %-2s %5.2f %s\n", target.limit, target.unit, ratio,
                    ratio <= 1.0 ? "ok" : "MISSED");
    }
    const std::string small = "BM_FullReplay/10000", large = "BM_FullReplay/100000";
    if (reporter.has(small) && reporter.has(large)) {
        const double growth = (reporter.get(large) / 100000) / (reporter.get(small) / 10000);
        const double limit = 1.15;
        met = met && growth <= limit;
        std::printf("%-34s %38s %7.4g    %5.2f %s\n", "replay cost per QSO, 100k / 10k",
                    "", limit, growth / limit, growth <= limit ? "ok" : "MISSED");
        std::printf("%-34s %38.3f\n", "  (measured growth)", growth);
    }
    std::printf("Best of the repetitions run; ratio = figure / target at 100k QSOs.\n");
    return met;
}

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printTargets(reporter);
    return 0;
}
