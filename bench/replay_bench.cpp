// Benchmarks of the plug-in through its entry points, loaded as a host
// loads it.
#include "bench/synthetic_log.h"
#include "host/plugin_host.h"
#include "platform/dynamic_library.h"
#include "tests/support/work_dir.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

struct Plugin {
    testing_support::WorkDir dir;
    platform::DynamicLibrary library{platform::executableFolder() +
                                     platform::pluginFileName()};
    host::PluginHost host{host::resolveEntryPoints(library, host::NameKind::Plain)};
};

Plugin &plugin() {
    static Plugin instance;
    return instance;
}

// Resident memory of this process, in MB (0 where the system does not say):
// "VmHWM:" for the peak so far.
double residentMb(const char *which) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == which) {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
    }
    return 0;
}

void replay(host::PluginHost &h, const std::vector<host::Qso> &log) {
    h.reset("./", 0, "YO3AAA", host::makeDateTime(2026, 2, 7, 14, 0),
            host::makeDateTime(2026, 2, 7, 18, 0), "YO");
    for (const host::Qso &q : log) h.add(q);
}

void BM_FullReplay(benchmark::State &state) {
    const auto log = bench::syntheticLog(static_cast<int>(state.range(0)));
    auto &h = plugin().host;
    for (auto _ : state) {
        replay(h, log);
        int score = 0;
        benchmark::DoNotOptimize(h.result(score));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    // The whole process's peak, the host's own copy of the log included
    // (log_MB of it). Meaningful when only this size runs in the process.
    state.counters["process_peak_MB"] = residentMb("VmHWM:");
    state.counters["log_MB"] =
        static_cast<double>(log.size() * sizeof(host::Qso)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_FullReplay)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The intake alone, per QSO: the cost must not grow with the log.
void BM_Intake(benchmark::State &state) {
    const auto log = bench::syntheticLog(static_cast<int>(state.range(0)));
    auto &h = plugin().host;
    for (auto _ : state) {
        state.PauseTiming();
        h.reset("./", 0, "YO3AAA", host::makeDateTime(2026, 2, 7, 14, 0),
                host::makeDateTime(2026, 2, 7, 18, 0), "YO");
        state.ResumeTiming();
        for (const host::Qso &q : log) h.add(q);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Intake)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CheckCall(benchmark::State &state) {
    const auto log = bench::syntheticLog(static_cast<int>(state.range(0)));
    auto &h = plugin().host;
    replay(h, log);
    std::size_t i = 0;
    for (auto _ : state) {
        const host::Qso &q = log[i++ % log.size()];
        benchmark::DoNotOptimize(h.checkCall(q.call, q.mode, q.band, q.band));
    }
}
BENCHMARK(BM_CheckCall)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_GetResult(benchmark::State &state) {
    const auto log = bench::syntheticLog(static_cast<int>(state.range(0)));
    auto &h = plugin().host;
    replay(h, log);
    for (auto _ : state) {
        int score = 0;
        benchmark::DoNotOptimize(h.result(score));
    }
}
BENCHMARK(BM_GetResult)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The result as the host asks for it, after every QSO: the log has changed
// since the last result, so nothing of that one can be reused.
void BM_GetResultAfterQso(benchmark::State &state) {
    const auto log = bench::syntheticLog(static_cast<int>(state.range(0)));
    auto &h = plugin().host;
    replay(h, log);
    std::size_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const host::Qso &q = log[(i++ * 7919) % log.size()];
        h.remove(q);
        h.add(q);
        state.ResumeTiming();
        int score = 0;
        benchmark::DoNotOptimize(h.result(score));
    }
}
BENCHMARK(BM_GetResultAfterQso)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void BM_RemoveData(benchmark::State &state) {
    const auto log = bench::syntheticLog(static_cast<int>(state.range(0)));
    auto &h = plugin().host;
    replay(h, log);
    std::size_t i = 0;
    for (auto _ : state) {
        // Remove one QSO and put it back, so the store keeps its size.
        const host::Qso &q = log[(i++ * 7919) % log.size()];
        h.remove(q);
        state.PauseTiming();
        h.add(q);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveData)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Lines in the bad-QSO file, its header included.
int fileLines(const std::string &name) {
    std::ifstream file(name);
    int lines = 0;
    for (std::string line; std::getline(file, line);) ++lines;
    return lines;
}

// A big log edited after the contest: 1,000 QSOs removed one by one, each
// rewriting the bad-QSO file (about 5,000 lines at 100k QSOs).
void BM_Removal1000(benchmark::State &state) {
    const int size = static_cast<int>(state.range(0));
    const auto log = bench::syntheticLog(size, 12345, 35);
    auto &h = plugin().host;
    int lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        replay(h, log);
        lines = fileLines("BadQSO_StatsMorvantia_07_02_2026.txt");
        state.ResumeTiming();
        for (std::size_t k = 0; k < 1000; ++k) h.remove(log[(k * 97) % log.size()]);
    }
    state.counters["bad_lines"] = lines;
}
BENCHMARK(BM_Removal1000)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
