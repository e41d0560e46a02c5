// Benchmarks of the plug-in through its entry points, loaded as a host
// loads it.
#include "bench/synthetic_log.h"
#include "host/plugin_host.h"
#include "platform/dynamic_library.h"
#include "tests/support/work_dir.h"

#include <benchmark/benchmark.h>

#include <memory>

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
}
BENCHMARK(BM_FullReplay)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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

}  // namespace

BENCHMARK_MAIN();
