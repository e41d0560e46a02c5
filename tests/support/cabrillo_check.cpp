#include "tests/support/cabrillo_check.h"

#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace testing_support {
namespace {

bool allDigits(const std::string &text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool isDate(const std::string &t) {
    return t.size() == 10 && allDigits(t.substr(0, 4)) && t[4] == '-' &&
           allDigits(t.substr(5, 2)) && t[7] == '-' && allDigits(t.substr(8, 2));
}

bool isTime(const std::string &t) {
    return t.size() == 4 && allDigits(t) && std::stoi(t.substr(0, 2)) < 24 &&
           std::stoi(t.substr(2)) < 60;
}

}  // namespace

std::vector<std::string> cabrilloProblems(const std::string &log) {
    std::vector<std::string> problems;
    // The tags of the 3.0 format; E-MAIL is the spelling this contest's log
    // has always used beside the format's EMAIL.
    static const std::set<std::string> tags = {
        "LOCATION", "CALLSIGN", "CLUB", "CONTEST", "CATEGORY-OPERATOR",
        "CATEGORY-ASSISTED", "CATEGORY-BAND", "CATEGORY-MODE", "CATEGORY-POWER",
        "CATEGORY-STATION", "CATEGORY-TIME", "CATEGORY-TRANSMITTER", "CATEGORY-OVERLAY",
        "CERTIFICATE", "CLAIMED-SCORE", "OPERATORS", "NAME", "ADDRESS", "ADDRESS-CITY",
        "ADDRESS-STATE-PROVINCE", "ADDRESS-POSTALCODE", "ADDRESS-COUNTRY", "CREATED-BY",
        "EMAIL", "E-MAIL", "GRID-LOCATOR", "OFFTIME", "SOAPBOX", "QSO", "X-QSO"};
    static const std::map<std::string, std::set<std::string>> categories = {
        {"CATEGORY-OPERATOR", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
        {"CATEGORY-ASSISTED", {"ASSISTED", "NON-ASSISTED"}},
        {"CATEGORY-BAND", {"ALL", "80M", "40M"}},
        {"CATEGORY-MODE", {"CW", "DIGI", "FM", "RTTY", "SSB", "MIXED"}},
        {"CATEGORY-POWER", {"HIGH", "LOW", "QRP"}},
        {"CATEGORY-STATION", {"FIXED", "MOBILE", "PORTABLE", "ROVER", "EXPEDITION", "HQ",
                              "SCHOOL", "DISTRIBUTED"}},
        {"CATEGORY-TRANSMITTER", {"", "ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"}},
    };
    // PK is how this contest's logs have always marked its PSK modes.
    static const std::set<std::string> modes = {"CW", "PH", "FM", "RY", "DG", "PK"};

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < log.size()) {
        const std::size_t end = log.find("\r\n", start);
        if (end == std::string::npos) {
            problems.push_back("last line has no CR LF");
            lines.push_back(log.substr(start));
            break;
        }
        lines.push_back(log.substr(start, end - start));
        start = end + 2;
    }
    if (lines.empty() || lines.front() != "START-OF-LOG: 3.0")
        problems.push_back("does not start with START-OF-LOG: 3.0");
    if (lines.empty() || lines.back() != "END-OF-LOG:")
        problems.push_back("does not end with END-OF-LOG:");

    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string &line = lines[i];
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (line.find_first_of("\r\n") != std::string::npos) {
            problems.push_back(where + "stray line break");
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || (colon + 1 < line.size() && line[colon + 1] != ' ')) {
            problems.push_back(where + "not a tag line");
            continue;
        }
        const std::string tag = line.substr(0, colon);
        const std::string value = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
        if (!tags.count(tag)) problems.push_back(where + "unknown tag " + tag);
        auto allowed = categories.find(tag);
        if (allowed != categories.end() && !allowed->second.count(value))
            problems.push_back(where + "value " + value + " not allowed for " + tag);
        if (tag == "CLAIMED-SCORE" && !allDigits(value.substr(value[0] == '-' ? 1 : 0)))
            problems.push_back(where + "claimed score is not a number");
        if (tag != "QSO") continue;

        std::istringstream fields(value);
        std::vector<std::string> f;
        for (std::string token; fields >> token;) f.push_back(token);
        if (f.size() < 9) {
            problems.push_back(where + "QSO line has too few fields");
            continue;
        }
        if (!allDigits(f[0])) problems.push_back(where + "frequency " + f[0]);
        if (!modes.count(f[1])) problems.push_back(where + "mode " + f[1]);
        if (!isDate(f[2])) problems.push_back(where + "date " + f[2]);
        if (!isTime(f[3])) problems.push_back(where + "time " + f[3]);
    }
    return problems;
}

}  // namespace testing_support
