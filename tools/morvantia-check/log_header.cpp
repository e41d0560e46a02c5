#include "tools/morvantia-check/log_header.h"

#include "tools/common/contest_log.h"
#include "tools/common/text.h"

namespace check {

namespace {

// The values the contest's categories take, as the plug-in's station
// details offer them.
struct CategoryPart {
    const char *tag;
    std::string LogHeader::*value;
    std::vector<const char *> values;
};

const std::vector<CategoryPart> &categoryParts() {
    static const std::vector<CategoryPart> parts = {
        {"CATEGORY-OPERATOR", &LogHeader::categoryOperator, {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
        {"CATEGORY-MODE", &LogHeader::categoryMode, {"CW", "SSB", "DIGI", "MIXED"}},
        {"CATEGORY-POWER", &LogHeader::categoryPower, {"HIGH", "LOW", "QRP"}},
        {"LOCATION", &LogHeader::location, {"YO", "DX"}},
    };
    return parts;
}

}  // namespace

std::string LogHeader::written() const {
    auto part = [](const std::string &text) { return text.empty() ? std::string("-") : text; };
    return part(categoryOperator) + " " + part(categoryMode) + " " + part(categoryPower) + " " +
           part(location);
}

std::string LogHeader::category() const {
    if (categoryOperator.empty() && categoryMode.empty() && categoryPower.empty() &&
        location.empty())
        return "(no category)";
    if (!known()) return "(unknown category)";
    return written();
}

std::vector<std::string> LogHeader::unknownParts() const {
    std::vector<std::string> unknown;
    for (const CategoryPart &part : categoryParts()) {
        const std::string &value = this->*part.value;
        if (value.empty()) continue;
        bool found = false;
        std::string list;
        for (const char *known : part.values) {
            found = found || value == known;
            list += std::string(list.empty() ? "" : ", ") + known;
        }
        if (!found) unknown.push_back(std::string(part.tag) + " \"" + value + "\" (the contest has " + list + ")");
    }
    return unknown;
}

namespace {

// A header value of sane length: a longer one is cut and marked.
std::string capped(const std::string &value) {
    return value.size() <= kMaxHeaderValue ? value : value.substr(0, kMaxHeaderValue) + "...";
}

// "139722", "139,722" and "139 722" are the same claim.
std::optional<long long> readScore(const std::string &value) {
    std::string digits;
    for (char c : value) {
        if (tools::isAsciiDigit(c))
            digits += c;
        else if (c != ',' && c != ' ' && c != '.')
            return std::nullopt;
    }
    if (digits.empty() || digits.size() > 15) return std::nullopt;
    return std::stoll(digits);
}

}  // namespace

LogHeader readLogHeader(const std::string &text) {
    LogHeader header;
    if (tools::detectFormat(text) != tools::LogFormat::Cabrillo) return header;
    std::size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string line;
    while (tools::nextLine(text, pos, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string tag = tools::upper(tools::trim(line.substr(0, colon)));
        const std::string value = capped(tools::upper(tools::trim(line.substr(colon + 1))));
        if (tag == "END-OF-LOG") break;
        if (tag == "QSO" || tag == "X-QSO") continue;
        if (tag == "CATEGORY-OPERATOR") header.categoryOperator = value;
        else if (tag == "CATEGORY-MODE") header.categoryMode = value;
        else if (tag == "CATEGORY-POWER") header.categoryPower = value;
        else if (tag == "LOCATION") header.location = value;
        else if (tag == "CLAIMED-SCORE") header.claimedScore = readScore(value);
    }
    return header;
}

}  // namespace check
