// The contest's fixed tables and the small tests built on them.
#pragma once

#include "contract/mode_class.h"

#include <string>
#include <vector>

namespace engine {

// An ordered table of texts with a lookup that ignores letter case.
class CContestRules {
public:
    CContestRules(const char *const *texts, int count);
    virtual ~CContestRules() = default;

    // 1 at the first entry equal to text ignoring case, else 0.
    int contains(const std::string &text) const;

    int GetSize() const { return static_cast<int>(entries_.size()); }
    const std::string &GetAt(int index) const { return entries_.at(index); }

private:
    std::vector<std::string> entries_;
};

const CContestRules &bandRules();  // "80m", "40m"
const CContestRules &modeRules();  // "CW", "SSB", "BPSK31", "BPSK63", "BPSK125"

// The 48 Romanian county codes and the six bonus counties, each list ended
// by a null entry.
extern const char *const countyList[];
extern const char *const bonusCounties[];
constexpr int kCountyCount = 48;

int isCounty(const std::string &code);       // exact, whole text
int isBonusCounty(const std::string &code);  // exact, whole text
int isRomania(const std::string &prefix);    // exactly "YO"
int isRussianSpeaking(const std::string &prefix);

// Mode classes and band rows index the score and the multiplier lists.
using contract::ModeClass;
using contract::kCw;
using contract::kSsb;
using contract::kDigi;
using contract::kNoModeClass;
using contract::kModeClasses;
constexpr int kBandRows = 3;  // "80m", "40m" and a spare row

// The intake accepts bands and modes ignoring case ("80M", "cw"), so the
// row and class are chosen ignoring case too: a QSO stored as "cw" counts as
// CW and "80M" lands on the 80 m row. Anything else gives -1, never an index
// outside the lists.
int bandRow(const std::string &band);
using contract::modeClass;

// ASCII-only case-insensitive equality, as the tables hold ASCII texts.
bool equalsIgnoreCase(const std::string &a, const std::string &b);

}  // namespace engine
