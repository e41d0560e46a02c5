// The mode class a QSO counts in, from the mode text the logging program
// gives: CW, SSB, or DIGI for BPSK31, BPSK63 and BPSK125, whatever the
// letter case. Other modes are in no class of the contest.
#pragma once

#include <string>

namespace tools {

// "CW", "SSB" or "DIGI"; any other mode in capitals as it is written.
std::string modeClassOf(const std::string &mode);

}  // namespace tools
