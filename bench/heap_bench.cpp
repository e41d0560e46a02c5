// Heap the engine holds per QSO, as the C library counts it, for logs of
// foreign stations each worked on both bands in three mode classes (so none
// is a dupe): the figure the oversized-input test records.
#include "engine/engine.h"
#include "host/plugin_host.h"
#include "tests/support/work_dir.h"

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdio>

namespace {

#if defined(__GLIBC__)
std::size_t heapInUse() { return mallinfo2().uordblks; }
#else
std::size_t heapInUse() { return 0; }
#endif

engine::QsoArgs foreignQso(int n) {
    static const char *const kBands[] = {"80m", "40m"};
    static const char *const kModes[] = {"CW", "SSB", "BPSK31"};
    const int call = n / 6, slot = n % 6;
    engine::QsoArgs q;
    char text[16];
    std::snprintf(text, sizeof text, "DL%07d", call);
    q.call = text;
    std::snprintf(text, sizeof text, "%03d %c%c", call % 1000, 'A' + call % 20,
                  'A' + call / 20 % 2);
    q.exchReceived = text;
    q.ownCall = "YO3AAA";
    q.band = kBands[slot / 3];
    q.mode = kModes[slot % 3];
    q.exchSent = "001";
    q.countryPrefix = "DL";
    q.frequencyHz = q.band == "40m" ? 7012345 : 3512999;
    q.rstSent = "599";
    q.rstReceived = "579";
    HostDateTime time = host::makeDateTime(2017, 3, 5, 9, call % 60);
    q.time = engine::OleTime::from(&time);
    return q;
}

void BM_HeapPerQso(benchmark::State &state) {
    const int size = static_cast<int>(state.range(0));
    testing_support::WorkDir dir;
    double perQso = 0;
    for (auto _ : state) {
        engine::Engine engine;
        engine::ResetArgs reset;
        reset.hostFolder = "./";
        reset.ownCall = "YO3AAA";
        reset.ownPrefix = "YO";
        engine.resetStats(reset);
        const std::size_t empty = heapInUse();
        for (int n = 0; n < size; ++n) engine.addData(foreignQso(n));
        perQso = static_cast<double>(heapInUse() - empty) / size;
    }
    state.counters["heap_bytes_per_qso"] = perQso;
}
BENCHMARK(BM_HeapPerQso)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
