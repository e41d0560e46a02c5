#include "bench/synthetic_contest.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <unordered_set>

namespace bench {
namespace {

struct Line {
    int minute;
    int other;  // the station worked
    int band;   // 0: 80 m, 1: 40 m
    int mode;   // 0: CW, 1: SSB, 2: BPSK31
    long long side;  // 2 x the QSO's number, + 1 for its second station
    bool missing = false, wrongSerial = false, bustedCall = false;
};

const char *const kCounties[] = {"AB", "BU", "CJ", "CT", "IS", "TM", "XA", "XF", "VN", "SB"};

// Unique calls, no two of them one character apart: a running number in
// base 26 written twice.
std::string callOf(int station) {
    std::string letters;
    for (int n = station, i = 0; i < 3; ++i, n /= 26) letters += static_cast<char>('A' + n % 26);
    return "YO" + std::to_string(2 + station % 8) + letters + letters;
}

}  // namespace

std::vector<SyntheticLog> syntheticContest(int logs, int qsosPerLog, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::vector<Line>> lines(static_cast<std::size_t>(logs));
    const long long events = static_cast<long long>(logs) * qsosPerLog / 2;
    // Each pair of stations works at most once per band and mode, as in a
    // real contest; repeats would be dupes.
    std::unordered_set<long long> worked;
    for (long long e = 0; e < events; ++e) {
        const int a = static_cast<int>(random() % logs);
        int b = static_cast<int>(random() % (logs - 1));
        if (b >= a) ++b;
        const int band = static_cast<int>(random() % 2);
        const int mode = static_cast<int>(random() % 3);
        const long long key = (static_cast<long long>(std::min(a, b)) * logs + std::max(a, b)) * 6 +
                              band * 3 + mode;
        if (!worked.insert(key).second) {
            --e;
            continue;
        }
        Line la{static_cast<int>(random() % 240), b, band, mode, 2 * e};
        Line lb = la;
        lb.other = a;
        lb.side = 2 * e + 1;
        const int fault = static_cast<int>(random() % 100);
        if (fault < 2) lb.missing = true;
        else if (fault < 3) la.wrongSerial = true;
        else if (fault < 4) la.bustedCall = true;
        lines[a].push_back(la);
        lines[b].push_back(lb);
    }
    // Serial numbers in time order; each side receives what the other sent.
    std::vector<int> sent(static_cast<std::size_t>(2 * events), 0);
    for (auto &log : lines) {
        std::stable_sort(log.begin(), log.end(),
                         [](const Line &x, const Line &y) { return x.minute < y.minute; });
        for (std::size_t i = 0; i < log.size(); ++i)
            sent[static_cast<std::size_t>(log[i].side)] = static_cast<int>(i % 998) + 1;
    }
    std::vector<SyntheticLog> contest;
    contest.reserve(static_cast<std::size_t>(logs));
    for (int s = 0; s < logs; ++s) {
        const std::string call = callOf(s);
        std::string text = "START-OF-LOG: 3.0\nCONTEST: MORVANTIA\nCALLSIGN: " + call +
                           "\nCATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: MIXED\n";
        const char *code = kCounties[s % 10];
        for (const Line &l : lines[s]) {
            if (l.missing) continue;
            static const char *const modes[] = {"CW", "PH", "PK"};
            const int khz = (l.band == 0 ? 3510 : 7010) + l.mode * 40;
            std::string worked = callOf(l.other);
            if (l.bustedCall) worked.back() = worked.back() == 'Z' ? 'Y' : 'Z';
            const int mine = sent[static_cast<std::size_t>(l.side)];
            const int theirs = sent[static_cast<std::size_t>(l.side ^ 1)];
            const int received = l.wrongSerial ? theirs % 900 + 3 : theirs;
            char line[200];
            std::snprintf(line, sizeof line, "QSO: %5d %s 2024-02-03 %02d%02d %s 599 %03d %s %s 599 %03d %s\n",
                          khz, modes[l.mode], 16 + l.minute / 60, l.minute % 60, call.c_str(),
                          mine, code, worked.c_str(), received, kCounties[l.other % 10]);
            text += line;
        }
        text += "END-OF-LOG:\n";
        contest.push_back({call + ".cbr", std::move(text)});
    }
    return contest;
}

}  // namespace bench
