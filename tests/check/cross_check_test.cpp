// The cross-check on small contests written out QSO by QSO, each with the
// finding it must get; and the nearest-first pairing against the plain
// greedy it stands for.
#include "tools/morvantia-check/cross_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

namespace check {
namespace {

// One QSO per line:
//   "OWN CODE | CALL BAND CLASS HHMM SENT RCVD RCVDCODE | STATUS [OTHER/N]"
// OWN may be "LOG>SENT": a line of LOG's log that gives SENT as its own call.
// SENT and RCVD are serial numbers, "-" for none logged (also for CODE and
// RCVDCODE); OTHER/N is the N-th QSO (from 1) of OTHER's log. Logs are
// numbered in the order their first line comes.
struct Scenario {
    const char *name;
    int window;
    std::vector<const char *> lines;
};

std::vector<std::string> split(const std::string &text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

std::vector<std::string> wordsOf(const std::string &text) {
    std::vector<std::string> words;
    std::stringstream in(text);
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

int serial(const std::string &text) { return text == "-" ? -1 : std::stoi(text); }
std::string code(const std::string &text) { return text == "-" ? std::string() : text; }

void expectFindings(const Scenario &scenario) {
    SCOPED_TRACE(scenario.name);
    CrossCheck cross(scenario.window);
    std::map<std::string, std::uint32_t> logOf;
    std::map<std::string, int> counted;
    struct Expected {
        std::string line;
        std::uint32_t log, qso;
        std::string status, other;
    };
    std::vector<Expected> expected;
    for (const char *line : scenario.lines) {
        const std::vector<std::string> parts = split(line, '|');
        ASSERT_EQ(parts.size(), 3u) << line;
        std::vector<std::string> own = wordsOf(parts[0]);
        const std::vector<std::string> q = wordsOf(parts[1]);
        const std::vector<std::string> want = wordsOf(parts[2]);
        ASSERT_EQ(own.size(), 2u) << line;
        std::string sentAs;
        if (const std::size_t arrow = own[0].find('>'); arrow != std::string::npos) {
            sentAs = own[0].substr(arrow + 1);
            own[0].erase(arrow);
        }
        ASSERT_EQ(q.size(), 7u) << line;
        ASSERT_GE(want.size(), 1u) << line;
        if (!logOf.count(own[0])) {
            bool added = false;
            logOf[own[0]] = cross.addLog(own[0], added);
            ASSERT_TRUE(added);
        }
        QsoFacts facts;
        facts.call = q[0];
        facts.band = q[1] + "m";
        facts.modeClass = q[2];
        facts.minute = std::stoi(q[3].substr(0, 2)) * 60 + std::stoi(q[3].substr(2));
        facts.serialSent = serial(q[4]);
        facts.serialReceived = serial(q[5]);
        facts.codeReceived = code(q[6]);
        facts.codeSent = code(own[1]);
        facts.ownCall = sentAs;
        cross.addQso(logOf[own[0]], facts);
        expected.push_back({line, logOf[own[0]], static_cast<std::uint32_t>(counted[own[0]]++),
                            want[0], want.size() > 1 ? want[1] : std::string()});
    }
    cross.run();
    std::map<std::uint32_t, std::string> callOf;
    for (const auto &[call, log] : logOf) callOf[log] = call;
    for (const Expected &e : expected) {
        const Finding &f = cross.finding(e.log, e.qso);
        std::string other;
        if (f.other.valid()) other = callOf[f.other.log] + "/" + std::to_string(f.other.qso + 1);
        EXPECT_EQ(statusName(f.status), e.status) << e.line;
        EXPECT_EQ(other, e.other) << e.line;
    }
}

const Scenario kScenarios[] = {
    {"both sides logged it: confirmed both ways", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 7 BU | confirmed YO3BBB/1",
        "YO3BBB BU | YO2AAA 80 CW 1600 7 1 TM | confirmed YO2AAA/1",
    }},
    {"the window holds its edge and not a minute more", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 1 BU | confirmed YO3BBB/1",
        "YO2AAA TM | DL1CCC 80 CW 1700 2 1 DE | nil DL1CCC/1",
        "YO3BBB BU | YO2AAA 80 CW 1603 1 1 TM | confirmed YO2AAA/1",
        "DL1CCC DE | YO2AAA 80 CW 1704 1 2 TM | nil YO2AAA/2",
    }},
    {"a window of nought takes the same minute only", 0, {
        "YO2AAA TM | YO3BBB 80 SSB 1600 1 1 BU | confirmed YO3BBB/1",
        "YO2AAA TM | DL1CCC 80 SSB 1610 2 1 DE | nil DL1CCC/1",
        "YO3BBB BU | YO2AAA 80 SSB 1600 1 1 TM | confirmed YO2AAA/1",
        "DL1CCC DE | YO2AAA 80 SSB 1611 1 2 TM | nil YO2AAA/2",
    }},
    {"band and mode class must agree; the nearest other QSO is named", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 1 BU | nil YO3BBB/1",
        "YO2AAA TM | DL1CCC 80 DIGI 1610 2 1 DE | nil DL1CCC/1",
        "YO3BBB BU | YO2AAA 40 CW 1600 1 1 TM | nil YO2AAA/1",
        "DL1CCC DE | YO2AAA 80 SSB 1610 1 2 TM | nil YO2AAA/2",
    }},
    {"the same band and mode class is named before a nearer other one", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 1 BU | nil YO3BBB/2",
        "YO3BBB BU | YO2AAA 40 CW 1601 1 9 TM | nil YO2AAA/1",
        "YO3BBB BU | YO2AAA 80 CW 1630 2 1 TM | nil YO2AAA/1",
    }},
    {"nearest in time first, not first in the log", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1602 1 1 BU | nil YO3BBB/1",
        "YO2AAA TM | YO3BBB 80 CW 1604 2 1 BU | confirmed YO3BBB/1",
        "YO3BBB BU | YO2AAA 80 CW 1604 1 2 TM | confirmed YO2AAA/2",
    }},
    {"one QSO of the other log confirms one QSO only", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 1 BU | confirmed YO3BBB/1",
        "YO2AAA TM | YO3BBB 80 CW 1601 2 1 BU | nil YO3BBB/1",
        "YO3BBB BU | YO2AAA 80 CW 1600 1 1 TM | confirmed YO2AAA/1",
    }},
    {"between equally near QSOs the earlier wins", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 1 BU | confirmed YO3BBB/1",
        "YO2AAA TM | YO3BBB 80 CW 1602 2 1 BU | nil YO3BBB/1",
        "YO3BBB BU | YO2AAA 80 CW 1601 1 1 TM | confirmed YO2AAA/1",
    }},
    {"a wrong serial, a wrong code or none logged bust the exchange", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 2 BU | busted_exchange YO3BBB/1",
        "YO2AAA TM | DL1CCC 40 CW 1610 2 1 DX | busted_exchange DL1CCC/1",
        "YO2AAA TM | HA5DDD 40 SSB 1620 3 - - | busted_exchange HA5DDD/1",
        "YO2AAA TM | OK1EEE 40 SSB 1630 4 1 ok | confirmed OK1EEE/1",
        "YO3BBB BU | YO2AAA 80 CW 1600 1 1 TM | confirmed YO2AAA/1",
        "DL1CCC DE | YO2AAA 40 CW 1610 1 2 TM | confirmed YO2AAA/2",
        "HA5DDD HU | YO2AAA 40 SSB 1620 1 3 TM | confirmed YO2AAA/3",
        "OK1EEE OK | YO2AAA 40 SSB 1630 1 4 tm | confirmed YO2AAA/4",
    }},
    {"what the other side did not log as sent is not held against", 3, {
        "YO2AAA TM | YO3BBB 80 CW 1600 1 5 BU | confirmed YO3BBB/1",
        "YO3BBB - | YO2AAA 80 CW 1600 - 1 TM | confirmed YO2AAA/1",
    }},
    {"a call one letter off: busted; the other side is confirmed", 3, {
        "YO2AAA TM | YO3BBC 80 CW 1600 1 1 BU | busted_call YO3BBB/1",
        "YO2AAA TM | DL1CC 40 CW 1610 2 1 DE | busted_call DL1CCC/1",
        "YO2AAA TM | HA5DDXD 40 SSB 1620 3 1 HU | busted_call HA5DDD/1",
        "YO3BBB BU | YO2AAA 80 CW 1601 1 1 TM | confirmed YO2AAA/1",
        "DL1CCC DE | YO2AAA 40 CW 1608 1 2 TM | confirmed YO2AAA/2",
        "HA5DDD HU | YO2AAA 40 SSB 1620 1 9 TM | busted_exchange YO2AAA/3",
    }},
    {"no busted call outside the window or without a QSO with us", 3, {
        "YO2AAA TM | YO3BBC 80 CW 1600 1 1 BU | unique",
        "YO2AAA TM | DL1CCD 80 CW 1620 2 1 DE | unique",
        "YO3BBB BU | YO2AAA 80 CW 1610 1 1 TM | nil",
        "DL1CCC DE | HA5DDD 80 CW 1620 1 1 HU | unique",
    }},
    {"a busted call goes to the nearest of two stations it could be", 3, {
        "YO2AAA TM | YO3BBC 80 CW 1600 1 1 BU | busted_call YO3BBD/1",
        "YO3BBB BU | YO2AAA 80 CW 1603 1 1 TM | nil",
        "YO3BBD BU | YO2AAA 80 CW 1601 1 1 TM | confirmed YO2AAA/1",
    }},
    {"calls that sent no log: unique in one log, unchecked in more", 3, {
        "YO2AAA TM | OK1NNN 80 CW 1600 1 1 OK | unchecked",
        "YO2AAA TM | SP9UUU 80 CW 1610 2 1 PL | unique",
        "DL1CCC DE | OK1NNN 40 SSB 1700 1 2 OK | unchecked",
    }},
    {"a log that names its own call finds no other log, nor busts its own call", 3, {
        "YO2AAA TM | YO2AAA 80 CW 1600 1 1 TM | nil",
        "YO2AAA TM | YO2AAB 80 CW 1601 2 1 TM | unique",
    }},
    {"a line's own call is the one its partners are matched against, not the log's", 3, {
        "DK7MX>DK7MW DE | YO3BBB 80 CW 1600 1 1 BU | confirmed YO3BBB/1",
        "DK7MX>DK7MW DE | DL1CCC 80 CW 1610 2 1 DE | nil",
        "DK7MX DE | HA5DDD 80 CW 1620 3 1 HU | confirmed HA5DDD/1",
        "YO3BBB BU | DK7MW 80 CW 1600 1 1 DE | confirmed DK7MX/1",
        "DL1CCC DE | DK7MX 80 CW 1610 1 2 DE | nil",
        "HA5DDD HU | DK7MX 80 CW 1620 1 3 DE | confirmed DK7MX/3",
    }},
    {"a call another log sends as its own stays that log's", 3, {
        "YO2AAA>YO3BBB TM | DL1CCC 80 CW 1600 1 1 DE | nil",
        "YO3BBB BU | DL1CCC 80 CW 1600 1 1 DE | confirmed DL1CCC/1",
        "DL1CCC DE | YO3BBB 80 CW 1600 1 1 BU | confirmed YO3BBB/1",
    }},
    {"calls, bands and codes are compared ignoring case", 3, {
        "YO2AAA TM | yo3bbb 80 CW 1600 1 1 bu | confirmed YO3BBB/1",
        "YO3BBB BU | Yo2aAa 80 CW 1600 1 1 TM | confirmed YO2AAA/1",
    }},
};

TEST(CheckCrossCheck, Scenarios) {
    for (const Scenario &scenario : kScenarios) expectFindings(scenario);
}

TEST(CheckCrossCheck, EachCallSendsOneLog) {
    CrossCheck cross(3);
    bool added = false;
    EXPECT_EQ(cross.addLog("YO2AAA", added), 0u);
    EXPECT_TRUE(added);
    EXPECT_EQ(cross.addLog("YO3BBB", added), 1u);
    EXPECT_EQ(cross.addLog("yo2aaa", added), 0u);
    EXPECT_FALSE(added);
    EXPECT_EQ(cross.logCount(), 2u);
}

// Nearest-first pairing ---------------------------------------------------

using Pairs = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

struct PairCase {
    const char *name;
    std::vector<long long> a, b;
    int window;
    Pairs pairs;
};

const PairCase kPairCases[] = {
    {"nothing to pair", {}, {5}, 3, {}},
    {"too far apart", {0}, {4}, 3, {}},
    {"at the window's edge", {0}, {3}, 3, {{0, 0}}},
    {"nearest first across the order", {2, 4}, {4}, 3, {{1, 0}}},
    {"a chain: the middle pair first", {0, 10}, {5, 11}, 5, {{0, 0}, {1, 1}}},
    {"equally near: the earlier in a", {0, 2}, {1}, 3, {{0, 0}}},
    {"equal times: the first in its list", {7, 7, 7}, {8, 8}, 3, {{0, 0}, {1, 1}}},
    {"equal times on the other side too", {8, 8}, {7, 7, 7}, 3, {{0, 0}, {1, 1}}},
};

TEST(CheckPairNearestFirst, Cases) {
    for (const PairCase &c : kPairCases)
        EXPECT_EQ(pairNearestFirst(c.a, c.b, c.window), c.pairs) << c.name;
}

// The rule itself: every pair within the window, nearest first, then the
// earlier time in a, in b, the first in a, in b; each taken while both
// sides are free.
Pairs greedy(const std::vector<long long> &a, const std::vector<long long> &b, int window) {
    std::vector<std::tuple<long long, long long, long long, std::uint32_t, std::uint32_t>> all;
    for (std::uint32_t i = 0; i < a.size(); ++i)
        for (std::uint32_t j = 0; j < b.size(); ++j) {
            const long long d = a[i] > b[j] ? a[i] - b[j] : b[j] - a[i];
            if (d <= window) all.emplace_back(d, a[i], b[j], i, j);
        }
    std::sort(all.begin(), all.end());
    std::vector<bool> usedA(a.size()), usedB(b.size());
    Pairs pairs;
    for (const auto &[d, ta, tb, i, j] : all) {
        if (usedA[i] || usedB[j]) continue;
        usedA[i] = usedB[j] = true;
        pairs.emplace_back(i, j);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

TEST(CheckPairNearestFirst, AgreesWithTryingEveryPair) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> size(0, 9), minute(0, 12), window(0, 4);
    for (int round = 0; round < 3000; ++round) {
        std::vector<long long> a(size(random)), b(size(random));
        for (long long &t : a) t = minute(random);
        for (long long &t : b) t = minute(random);
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        const int w = window(random);
        ASSERT_EQ(pairNearestFirst(a, b, w), greedy(a, b, w)) << "round " << round;
    }
}

}  // namespace
}  // namespace check

namespace check {
namespace {

// One station's log against partners with true clocks: the station's QSO
// with partner i at 16:00 + 7 i minutes, shifted by offsets[i].
struct ClockCase {
    const char *name;
    std::vector<long long> offsets;
    bool enabled;
    long long correction;  // expected
};

TEST(CheckClock, AnOffsetMostQsosAgreeOnBeyondTheWindowIsCorrected) {
    const std::vector<long long> mess = {9, -14, 22, -7, 31, -40, 17, -25, 5, 12};
    const ClockCase cases[] = {
        {"true clock", std::vector<long long>(10, 0), true, 0},
        {"off by the window: matched as it is", std::vector<long long>(10, 3), true, 0},
        {"a minute beyond the window, early", std::vector<long long>(10, 4), true, -4},
        {"twelve minutes late", std::vector<long long>(10, -12), true, 12},
        {"late with a few QSOs off", {-12, -12, -12, -11, -13, -12, -12, 40, 0, -12}, true, 12},
        {"turned off", std::vector<long long>(10, -12), false, 0},
        {"too few QSOs to tell", std::vector<long long>(4, -12), true, 0},
        {"a random mess is left alone", mess, true, 0},
        {"a half that agrees is not most", {-12, -12, -12, -12, -12, 0, 0, 0, 0, 0}, true, 0},
    };
    for (const ClockCase &c : cases) {
        SCOPED_TRACE(c.name);
        ClockFix fix;
        fix.enabled = c.enabled;
        CrossCheck cross(3, fix);
        bool added = false;
        const std::uint32_t own = cross.addLog("YO2AAA", added);
        std::vector<std::uint32_t> partners;
        for (std::size_t i = 0; i < c.offsets.size(); ++i)
            partners.push_back(cross.addLog("DL" + std::to_string(i + 1) + "XYZ", added));
        for (std::size_t i = 0; i < c.offsets.size(); ++i) {
            const long long minute = 16 * 60 + 7 * static_cast<long long>(i);
            QsoFacts mine;
            mine.call = "DL" + std::to_string(i + 1) + "XYZ";
            mine.band = "80m";
            mine.modeClass = "CW";
            mine.minute = minute + c.offsets[i];
            QsoFacts theirs = mine;
            theirs.call = "YO2AAA";
            theirs.minute = minute;
            cross.addQso(own, mine);
            cross.addQso(partners[i], theirs);
        }
        cross.run();
        EXPECT_EQ(cross.clockCorrection(own), c.correction);
        for (std::uint32_t p : partners) EXPECT_EQ(cross.clockCorrection(p), 0);
        for (std::size_t i = 0; i < c.offsets.size(); ++i) {
            const bool matches = std::abs(c.offsets[i] + c.correction) <= 3;
            EXPECT_EQ(cross.finding(own, static_cast<std::uint32_t>(i)).status,
                      matches ? Status::Confirmed : Status::NotInLog)
                << i;
        }
    }
}

}  // namespace
}  // namespace check
