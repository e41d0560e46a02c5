// Benchmarks of morvantia-check on synthetic contests: the cross-check alone,
// one log scored by the plug-in with its verdicts, and the whole check of a
// contest held in memory (reading, scoring as sent, cross-check, checked
// scoring). The whole program with its files is measured by
// tools/morvantia-check/measure_check.sh.
#include "bench/synthetic_contest.h"
#include "platform/dynamic_library.h"
#include "tests/support/work_dir.h"
#include "tools/common/mode_class.h"
#include "tools/morvantia-check/contest_check.h"
#include "tools/morvantia-check/plugin_scorer.h"

#include <benchmark/benchmark.h>

#include <map>
#include <stdexcept>
#include <memory>

namespace {

const std::vector<bench::SyntheticLog> &contest(int logs) {
    static std::map<int, std::vector<bench::SyntheticLog>> made;
    auto found = made.find(logs);
    if (found == made.end()) found = made.emplace(logs, bench::syntheticContest(logs, 500)).first;
    return found->second;
}

// The logs read once, as facts for the cross-check.
struct ReadContest {
    std::vector<std::string> calls;
    std::vector<std::vector<check::QsoFacts>> qsos;
};

const ReadContest &readContest(int logs) {
    static std::map<int, ReadContest> made;
    auto found = made.find(logs);
    if (found != made.end()) return found->second;
    ReadContest read;
    const tools::CountryResolver countries;
    for (const bench::SyntheticLog &log : contest(logs)) {
        const tools::ContestLog parsed = tools::readLog(log.text, countries);
        read.calls.push_back(parsed.ownCall);
        std::vector<check::QsoFacts> facts;
        for (const tools::ContestQso &q : parsed.qsos) {
            check::QsoFacts f;
            f.call = q.call;
            f.band = q.band;
            f.modeClass = tools::modeClassOf(q.mode);
            f.minute = check::minutesOf(q.time);
            f.serialSent = std::stoi(q.sentNumber);
            f.serialReceived = std::stoi(q.receivedExchange.substr(0, 3));
            f.codeSent = q.sentCode;
            f.codeReceived = q.receivedExchange.substr(4);
            facts.push_back(f);
        }
        read.qsos.push_back(std::move(facts));
    }
    return made.emplace(logs, std::move(read)).first->second;
}

void BM_CrossCheck(benchmark::State &state) {
    const ReadContest &read = readContest(static_cast<int>(state.range(0)));
    std::size_t qsos = 0;
    for (const auto &log : read.qsos) qsos += log.size();
    for (auto _ : state) {
        check::CrossCheck cross(3);
        for (std::size_t l = 0; l < read.calls.size(); ++l) {
            bool added = false;
            const std::uint32_t index = cross.addLog(read.calls[l], added);
            for (const check::QsoFacts &f : read.qsos[l]) cross.addQso(index, f);
        }
        cross.run();
        benchmark::DoNotOptimize(cross.finding(0, 0));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * qsos));
    state.counters["qsos"] = static_cast<double>(qsos);
}
BENCHMARK(BM_CrossCheck)->Arg(100)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

// The plug-in loaded once in a folder of its own, as the program keeps it.
struct Plugin {
    testing_support::WorkDir dir;
    check::PluginScorer scorer;
    Plugin() {
        std::string error;
        if (!scorer.open(platform::defaultPluginPath(), dir.path(), error))
            throw std::runtime_error(error);
    }
};

Plugin &plugin() {
    static Plugin instance;
    return instance;
}

void BM_PluginScoring(benchmark::State &state) {
    const tools::ContestLog log = tools::readLog(contest(100)[0].text, tools::CountryResolver());
    std::vector<const tools::ContestQso *> qsos;
    for (const tools::ContestQso &q : log.qsos) qsos.push_back(&q);
    check::ScoreRequest request;
    request.ownCall = log.ownCall;
    request.ownPrefix = "YO";
    request.ownCode = log.ownCode;
    request.start = log.qsos.front().time;
    request.end = log.qsos.back().time;
    for (auto _ : state) {
        check::ScoredLog scored;
        std::string error;
        if (!plugin().scorer.score(request, qsos, scored, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(scored.score);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * qsos.size()));
}
BENCHMARK(BM_PluginScoring)->Unit(benchmark::kMillisecond);

void BM_WholeCheck(benchmark::State &state) {
    const auto &logs = contest(static_cast<int>(state.range(0)));
    const tools::CountryResolver countries;
    for (auto _ : state) {
        check::ContestCheck check(3, plugin().scorer, countries);
        for (const bench::SyntheticLog &log : logs) {
            std::vector<check::InputProblem> problems;
            bool added = false;
            std::string error;
            if (!check.addLog(log.file, log.text, problems, added, error))
                state.SkipWithError(error.c_str());
        }
        std::string error;
        if (!check.finish(error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(check.entrants().back().checkedScore);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 500);
}
BENCHMARK(BM_WholeCheck)->Arg(100)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
