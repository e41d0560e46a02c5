// A synthetic contest for the check's benchmarks: every station sends a
// Cabrillo log; QSOs between random pairs of stations on 80 and 40 m in the
// three mode classes, both sides logged, with about 2% missing on one side,
// 1% copied with a wrong serial and 1% with one letter of the call changed.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct SyntheticLog {
    std::string file;
    std::string text;
};

// logs logs of about qsosPerLog QSOs each; qsosPerLog must stay well below
// 6 x (logs - 1), the QSOs a station can make without a dupe.
std::vector<SyntheticLog> syntheticContest(int logs, int qsosPerLog, unsigned seed = 2024);

}  // namespace bench
