// The mode class a QSO counts in, from the mode text the host gives: CW,
// SSB, or DIGI for BPSK31, BPSK63 and BPSK125. The host and the logs write
// modes in either case ("cw", "CW"), and every part that sorts QSOs by mode
// (the score, the previous-QSO table, the companion windows, the programs)
// must agree, so this is the one place that decides it.
#pragma once

#include <string_view>

namespace contract {

// The classes index the score's and the multipliers' lists.
enum ModeClass { kCw = 0, kSsb = 1, kDigi = 2, kNoModeClass = -1 };
constexpr int kModeClasses = 3;

// Letter case is ignored; any other mode is in no class of the contest.
ModeClass modeClass(std::string_view mode);

// "CW", "SSB" or "DIGI"; null for kNoModeClass.
const char *modeClassName(ModeClass modeClass);

}  // namespace contract
