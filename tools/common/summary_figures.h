// The figures of the plug-in's plain summary, read back for the JSON output.
// The summary is the plug-in's own; this only takes its numbers apart.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tools {

struct RowFigures {
    std::string band;
    int qsos = 0, points = 0, counties = 0, countries = 0, digi = 0, cw = 0, ssb = 0;
};

struct SummaryFigures {
    std::string contestDate;
    std::string contestant;
    std::vector<RowFigures> bands;
    RowFigures total;
    int dupes = 0;
    int badQsos = 0;
    int score = 0;
};

// Reads the plain (tab-separated) summary; nothing when it does not have the
// plug-in's layout.
std::optional<SummaryFigures> readPlainSummary(const std::string &summary);

// The score the plug-in's own figures make, (countries + counties) x
// points, counted without its 32-bit limit, from its plain or its HTML
// summary; nothing when the summary has neither layout. When it differs
// from the plug-in's score, the plug-in's score wrapped: the log's score is
// more than the plug-in can hold.
std::optional<long long> fullScore(const std::string &summary);

}  // namespace tools
