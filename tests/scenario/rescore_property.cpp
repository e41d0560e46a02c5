// Seeded random sessions of logging, corrections and deletions: the running
// summary must be the one a rescore of the remaining QSOs gives, and the
// bad-QSO file must list the same problems.
#include "tests/scenario/scenario.h"

#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace scenario {
namespace {

using host::PluginHost;
using host::Qso;

const char *const kBadFile = "BadQSO_StatsMorvantia_05_02_2017.txt";

// Few stations, each sending one code all contest: Romanian ones in bonus,
// plain and unknown counties, and foreign ones.
struct Station {
    const char *call;
    const char *prefix;
    const char *code;
};
const Station kStations[] = {{"YO2AA", "YO", "XA"}, {"YO5A", "YO", "BU"},  {"YO5AB", "YO", "CJ"},
                             {"YO7ZZ", "YO", "QQ"}, {"DL1AA", "DL", "DL"}, {"OK2B", "OK", "OK"},
                             {"UA3C", "UA", "UA"}};
const char *const kBands[] = {"80m", "40m"};
// RTTY is refused but stays in the host's log.
const char *const kModes[] = {"CW", "SSB", "BPSK31", "BPSK63", "BPSK125", "RTTY"};

template <class T, std::size_t N>
const T &pick(std::mt19937 &rng, const T (&items)[N]) {
    return items[rng() % N];
}

std::string serial(std::mt19937 &rng) {
    char text[8];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(rng() % 1000));
    return text;
}

// Every QSO gets a minute of its own, so removing one never takes the
// bad-QSO lines of another QSO with the same call at the same minute.
Qso newQso(std::mt19937 &rng, int minute) {
    const Station &station = pick(rng, kStations);
    Qso q;
    q.ownCall = "YO3AAA";
    q.call = station.call;
    q.countryPrefix = station.prefix;
    q.band = pick(rng, kBands);
    q.mode = pick(rng, kModes);
    q.frequencyHz = q.band == "80m" ? 3512000 : 7012000;
    q.exchSent = "001";
    q.exchReceived = serial(rng) + " " + station.code;
    q.time = host::makeDateTime(2017, 2, 5, 12 + minute / 60, minute % 60);
    return q;
}

// The serial, band or mode as the operator corrects it.
void correct(std::mt19937 &rng, Qso &q) {
    switch (rng() % 3) {
    case 0: q.exchReceived = serial(rng) + q.exchReceived.substr(3); break;
    case 1:
        q.band = q.band == "80m" ? "40m" : "80m";
        q.frequencyHz = q.band == "80m" ? 3512000 : 7012000;
        break;
    default: q.mode = pick(rng, kModes);
    }
}

void resetLog(PluginHost &h) {
    h.reset("./", 0, "YO3AAA", host::makeDateTime(2017, 2, 5, 12, 0),
            host::makeDateTime(2017, 2, 5, 20, 0), "YO");
}

// What the running log shows: its summary, the bad-QSO file's problem lines
// in order of text, and its number of DUPE lines. Which copy of a repeated
// QSO counts may differ from a rescore, and so may which copies the DUPE
// lines name; how many there are may not.
struct Shown {
    std::string summary;
    int score = 0;
    std::vector<std::string> problems;
    int dupeLines = 0;
};

Shown shown(PluginHost &h) {
    Shown s;
    s.summary = h.result(s.score);
    const std::string file = testing_support::readFile(kBadFile);
    // The first line is the header.
    std::size_t at = file.find("\r\n");
    while (at != std::string::npos && at + 2 < file.size()) {
        const std::size_t end = file.find("\r\n", at + 2);
        const std::string line = file.substr(at + 2, end - at - 2);
        if (line.size() >= 11 && line.compare(line.size() - 11, 11, "   DUPE !!!") == 0)
            ++s.dupeLines;
        else
            s.problems.push_back(line);
        at = end;
    }
    std::sort(s.problems.begin(), s.problems.end());
    return s;
}

// One session; false when the running log and the rescore disagree.
bool sessionAgrees(PluginHost &h, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Qso> log;  // the host's log, in order of entry
    std::string story;     // what happened, for the failure message
    resetLog(h);
    const int actions = 1 + static_cast<int>(rng() % 120);
    for (int minute = 0; minute < actions; ++minute) {
        const unsigned roll = rng() % 10;
        if (log.empty() || roll < 6) {
            log.push_back(newQso(rng, minute));
            h.add(log.back());
            story += " +" + log.back().call;
            continue;
        }
        const std::size_t which = rng() % log.size();
        h.remove(log[which]);
        if (roll < 8) {
            correct(rng, log[which]);
            h.add(log[which]);
            story += " ~" + log[which].call;
        } else {
            story += " -" + log[which].call;
            log.erase(log.begin() + static_cast<std::ptrdiff_t>(which));
        }
    }
    const Shown running = shown(h);

    std::stable_sort(log.begin(), log.end(),
                     [](const Qso &a, const Qso &b) { return a.time.value < b.time.value; });
    resetLog(h);
    for (const Qso &q : log) h.add(q);
    const Shown rescored = shown(h);

    EXPECT_EQ(running.summary, rescored.summary) << "seed " << seed << ":" << story;
    EXPECT_EQ(running.score, rescored.score) << "seed " << seed;
    EXPECT_EQ(running.problems, rescored.problems) << "seed " << seed << ":" << story;
    EXPECT_EQ(running.dupeLines, rescored.dupeLines) << "seed " << seed << ":" << story;
    return running.summary == rescored.summary && running.score == rescored.score &&
           running.problems == rescored.problems && running.dupeLines == rescored.dupeLines;
}

}  // namespace

Scenario runningSummaryEqualsRescore() {
    return {"RunningSummaryEqualsRescore",
            {[](PluginHost &) {
                 // A host version without the companion windows: hundreds of
                 // resets need not open them.
                 testing_support::writeFile("Vexa2.ini", "[Main]\r\nVexa=2.18\r\n");
             },
             [](PluginHost &h) {
                 for (unsigned seed = 1; seed <= 300; ++seed)
                     if (!sessionAgrees(h, seed)) return;  // the first failing seed is enough
             }}};
}

}  // namespace scenario
