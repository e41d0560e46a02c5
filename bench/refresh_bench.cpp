// Benchmarks of the companion windows' work on the engine: one refresh's
// computation (under the engine lock, as the UI thread runs it) and the
// call check while the UI thread runs, both against logs of growing size.
#include "bench/synthetic_log.h"
#include "engine/engine.h"
#include "tests/support/work_dir.h"
#include "windows/refresh.h"

#include <benchmark/benchmark.h>

namespace {

// A UI thread as the engine sees it: running, taking refresh requests.
class RunningUi : public engine::CompanionUi {
public:
    bool isRunning() const override { return true; }
    void postRefresh() override { ++posts; }
    long posts = 0;
};

struct LoadedEngine {
    testing_support::WorkDir dir;
    RunningUi ui;
    engine::Engine engine;
    std::vector<host::Qso> log;

    explicit LoadedEngine(int size) : log(bench::syntheticLog(size)) {
        engine.setCompanionUi(&ui);
        engine::ResetArgs reset;
        reset.hostFolder = "./";
        reset.ownPrefix = "YO";
        reset.contestStart = engine::OleTime::from(&log.front().time);
        reset.contestEnd = reset.contestStart;
        engine.resetStats(reset);
        for (const host::Qso &q : log) {
            engine::QsoArgs args;
            args.ownCall = q.ownCall;
            args.call = q.call;
            args.time = engine::OleTime::from(&q.time);
            args.frequencyHz = q.frequencyHz;
            args.mode = q.mode;
            args.rstSent = q.rstSent;
            args.rstReceived = q.rstReceived;
            args.exchSent = q.exchSent;
            args.exchReceived = q.exchReceived;
            args.countryPrefix = q.countryPrefix;
            args.band = q.band;
            engine.addData(args);
        }
        int score = 0;
        engine.getResult(&score);
    }
};

// One refresh for a worked call, both windows open: the rows, the
// frequency and band steps and the copy of the tracker's list.
void BM_RefreshPlan(benchmark::State &state) {
    LoadedEngine loaded(static_cast<int>(state.range(0)));
    companion::RefreshState refresh;
    std::size_t i = 0;
    for (auto _ : state) {
        const host::Qso &q = loaded.log[(i++ * 7919) % loaded.log.size()];
        companion::HostReading reading{"CW", q.call, 3510000.0 + (i % 2) * 1000.0};
        benchmark::DoNotOptimize(loaded.engine.withState([&](engine::EngineState &s) {
            return companion::planRefresh(s, refresh, reading, true, true);
        }));
    }
}
BENCHMARK(BM_RefreshPlan)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The call check while the UI thread runs: each call finds the refresh
// request re-armed (as a finished refresh leaves it) and posts.
void BM_CheckCallPostingRefresh(benchmark::State &state) {
    LoadedEngine loaded(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const host::Qso &q = loaded.log[i++ % loaded.log.size()];
        engine::CheckCallArgs args;
        args.call = q.call;
        args.mode = q.mode;
        args.band = q.band;
        args.secondBand = q.band;
        benchmark::DoNotOptimize(loaded.engine.checkCall(args));
        loaded.engine.withState([](engine::EngineState &s) { s.refreshPending = true; });
    }
    state.counters["posts"] = static_cast<double>(loaded.ui.posts);
}
BENCHMARK(BM_CheckCallPostingRefresh)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
