#include "bench/synthetic_log.h"

#include <random>
#include <string>

namespace bench {

std::vector<host::Qso> syntheticLog(int count, unsigned seed, int dupesPerThousand) {
    std::mt19937 random(seed);
    auto pick = [&random](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    const char *modes[] = {"CW", "SSB", "BPSK31", "BPSK63", "BPSK125"};
    const char *counties[] = {"AB", "BU", "CJ", "CT", "IS", "TM", "XA", "XF", "VN", "SB"};
    const char *countries[] = {"DL", "OK", "HA", "LZ", "UR", "SP", "F", "I"};
    std::vector<host::Qso> log;
    log.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        host::Qso q;
        q.ownCall = "YO3AAA";
        const int roll = pick(1000);
        if (roll < dupesPerThousand && !log.empty()) {
            // A dupe: an earlier QSO again, a few minutes later.
            q = log[static_cast<std::size_t>(pick(static_cast<int>(log.size())))];
            q.time.value += 3.0 / 1440.0;
            log.push_back(q);
            continue;
        }
        const bool romanian = pick(2) == 0;
        const std::string serial = std::to_string(100 + i % 900);
        q.call = (romanian ? "YO" : std::string(countries[pick(8)])) +
                 std::to_string(i % 10) + "Q" + std::to_string(i);
        q.countryPrefix = romanian ? "YO" : countries[pick(8)];
        q.band = roll >= 50 && roll < 53 ? "20m" : (pick(2) ? "80m" : "40m");
        q.frequencyHz = q.band == "80m" ? 3510000u + static_cast<unsigned>(pick(90)) * 1000u
                                        : 7010000u + static_cast<unsigned>(pick(90)) * 1000u;
        q.mode = modes[pick(5)];
        q.exchSent = std::to_string(100 + i % 900);
        if (romanian)
            q.exchReceived =
                serial + (roll < 73 && roll >= 53 ? "QQ"
                                                  : counties[pick(10)]);
        else
            q.exchReceived = serial + " " + q.countryPrefix.substr(0, 2);
        q.time = host::makeDateTime(2026, 2, 7, 14, 0);
        q.time.value += i / 86400.0;
        log.push_back(q);
    }
    return log;
}

}  // namespace bench
