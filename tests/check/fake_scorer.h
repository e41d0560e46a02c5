// A stand-in for the plug-in where a test is about what the check does with
// its verdicts, not about the plug-in: each run is recorded; a QSO gets 2
// points, none when its band is not 80m or 40m (bad) or when its call, band
// and mode came before in the same run (a dupe).
#pragma once

#include "tools/morvantia-check/plugin_scorer.h"

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace check {

class FakeScorer : public LogScorer {
public:
    struct Run {
        std::string ownCall;
        std::vector<std::string> calls;  // the QSOs given, in order
    };
    std::vector<Run> runs;
    // Own calls whose score the stand-in cannot hold, as the plug-in's
    // 32-bit score cannot hold a huge one.
    std::set<std::string> beyondPlugin;

    bool score(const ScoreRequest &request, const std::vector<const tools::ContestQso *> &qsos,
               ScoredLog &scored, std::string &) override {
        runs.push_back({request.ownCall, {}});
        scored.score = 0;
        scored.verdicts.clear();
        scored.beyondPlugin.reset();
        if (beyondPlugin.count(request.ownCall)) scored.beyondPlugin = 3'000'000'000LL;
        std::set<std::tuple<std::string, std::string, std::string>> seen;
        for (const tools::ContestQso *q : qsos) {
            runs.back().calls.push_back(q->call);
            PluginVerdict verdict;
            if (q->band != "80m" && q->band != "40m") {
                verdict.verdict = Verdict::Bad;
                verdict.reason = "WRONG BAND";
            } else if (!seen.insert({q->call, q->band, q->mode}).second) {
                verdict.verdict = Verdict::Dupe;
            } else {
                scored.score += 2;
            }
            scored.verdicts.push_back(verdict);
        }
        return true;
    }
};

}  // namespace check
