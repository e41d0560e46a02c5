#include "engine/contest_rules.h"

namespace engine {
namespace {

const char *const kBands[] = {"80m", "40m"};
const char *const kModes[] = {"CW", "SSB", "BPSK31", "BPSK63", "BPSK125"};
const char *const kRussianPrefixes[] = {"UA", "UA2", "UA2/f", "UR", "UN", "EU"};

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every code in the county lists has two characters: a text of another
// length is in none of them, and two characters compare at once.
int inList(const char *const *list, const std::string &text) {
    if (text.size() != 2) return 0;
    for (; *list != nullptr; ++list)
        if (text[0] == (*list)[0] && text[1] == (*list)[1]) return 1;
    return 0;
}

}  // namespace

const char *const countyList[] = {
    "AB", "AG", "AR", "BC", "BH", "BN", "BR", "BT", "BV", "BU", "BZ", "CJ",
    "CL", "CS", "CT", "CV", "DB", "DJ", "GJ", "GL", "GR", "HD", "HR", "IF",
    "IL", "IS", "MH", "MM", "MS", "NT", "OT", "PH", "SB", "SJ", "SM", "SV",
    "TL", "TM", "TR", "VS", "VL", "VN", "XA", "XB", "XC", "XD", "XE", "XF",
    nullptr};

const char *const bonusCounties[] = {"XA", "XB", "XC", "XD", "XE", "XF",
                                     nullptr};

bool equalsIgnoreCase(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

CContestRules::CContestRules(const char *const *texts, int count) {
    for (int i = 0; i < count; ++i) entries_.emplace_back(texts[i]);
}

int CContestRules::contains(const std::string &text) const {
    for (const std::string &entry : entries_)
        if (equalsIgnoreCase(entry, text)) return 1;
    return 0;
}

const CContestRules &bandRules() {
    static const CContestRules rules(kBands, 2);
    return rules;
}

const CContestRules &modeRules() {
    static const CContestRules rules(kModes, 5);
    return rules;
}

int isCounty(const std::string &code) { return inList(countyList, code); }
int isBonusCounty(const std::string &code) { return inList(bonusCounties, code); }
int isRomania(const std::string &prefix) { return prefix == "YO" ? 1 : 0; }

int isRussianSpeaking(const std::string &prefix) {
    for (const char *russian : kRussianPrefixes)
        if (prefix == russian) return 1;
    return 0;
}

int bandRow(const std::string &band) {
    if (equalsIgnoreCase(band, "80m")) return 0;
    if (equalsIgnoreCase(band, "40m")) return 1;
    return -1;
}

}  // namespace engine
