// The plug-in's verdict on each QSO from its answers and the lines of its
// bad-QSO file: which line belongs to which QSO, and files that cannot be
// the plug-in's.
#include "tools/morvantia-check/plugin_scorer.h"

#include <gtest/gtest.h>

namespace check {
namespace {

const std::string kA = "QSO:  3510  CW  2024-02-03 1600  YO2AAA  599  001  YO3BBB  599  001 BU";
const std::string kB = "QSO:  3512  CW  2024-02-03 1601  YO2AAA  599  002  YO4CCC  599  004 QX";
const std::string kDupe = "   DUPE !!!";

TakenQso stored(const std::string &line, bool dupe = false) { return {1, dupe, line}; }
TakenQso refused(const std::string &line) { return {0, false, line}; }

struct VerdictCase {
    const char *name;
    std::vector<TakenQso> taken;
    std::vector<std::string> lines;
    // "counted", "dupe" or the reason of a bad QSO, one per QSO; empty
    // when the file cannot be read as the plug-in's.
    std::vector<std::string> verdicts;
};

const VerdictCase kCases[] = {
    {"no problem lines", {stored(kA), stored(kB)}, {}, {"counted", "counted"}},
    {"a refused QSO has its reason",
     {refused(kA), stored(kB)}, {kA + "   WRONG BAND !!!"}, {"WRONG BAND", "counted"}},
    {"a stored QSO with a problem", {stored(kA), stored(kB)},
     {kB + "   NO ROMANIA COUNTY !!!"}, {"counted", "NO ROMANIA COUNTY"}},
    {"a dupe with one line per earlier QSO", {stored(kA), stored(kA, true), stored(kA, true)},
     {kA + kDupe, kA + kDupe, kA + kDupe}, {"counted", "dupe", "dupe"}},
    {"a bad QSO that is also a dupe is bad",
     {stored(kB), stored(kB, true)},
     {kB + "   NO ROMANIA COUNTY !!!", kB + "   NO ROMANIA COUNTY !!!", kB + kDupe},
     {"NO ROMANIA COUNTY", "NO ROMANIA COUNTY"}},
    {"an identical QSO between others keeps its own verdict",
     {stored(kA), stored(kB), stored(kA, true)}, {kA + kDupe}, {"counted", "counted", "dupe"}},
    {"a refused QSO without its line: not the plug-in's file", {refused(kA)}, {}, {}},
    {"a line for no QSO: not the plug-in's file", {stored(kA)}, {kB + "   WRONG MODE !!!"}, {}},
    {"lines out of order: not the plug-in's file", {refused(kA), refused(kB)},
     {kB + "   WRONG MODE !!!", kA + "   WRONG MODE !!!"}, {}},
};

std::string describe(const PluginVerdict &v) {
    switch (v.verdict) {
    case Verdict::Counted: return "counted";
    case Verdict::Dupe: return "dupe";
    case Verdict::Bad: return v.reason;
    }
    return "?";
}

TEST(CheckPluginVerdicts, FromAnswersAndTheBadQsoFile) {
    for (const VerdictCase &c : kCases) {
        const std::optional<std::vector<PluginVerdict>> verdicts = readVerdicts(c.taken, c.lines);
        std::vector<std::string> got;
        if (verdicts)
            for (const PluginVerdict &v : *verdicts) got.push_back(describe(v));
        EXPECT_EQ(got, c.verdicts) << c.name;
        EXPECT_EQ(verdicts.has_value(), !c.verdicts.empty()) << c.name;
    }
}

}  // namespace
}  // namespace check
