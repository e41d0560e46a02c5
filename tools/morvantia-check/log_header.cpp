#include "tools/morvantia-check/log_header.h"

#include "tools/morvantia-score/contest_log.h"
#include "tools/morvantia-score/text.h"

namespace check {

std::string LogHeader::category() const {
    if (categoryOperator.empty() && categoryMode.empty() && categoryPower.empty() &&
        location.empty())
        return "(no category)";
    auto part = [](const std::string &text) { return text.empty() ? std::string("-") : text; };
    return part(categoryOperator) + " " + part(categoryMode) + " " + part(categoryPower) + " " +
           part(location);
}

namespace {

// "139722", "139,722" and "139 722" are the same claim.
std::optional<long long> readScore(const std::string &value) {
    std::string digits;
    for (char c : value) {
        if (score::isAsciiDigit(c))
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
    if (score::detectFormat(text) != score::LogFormat::Cabrillo) return header;
    std::size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string tag = score::upper(score::trim(line.substr(0, colon)));
        const std::string value = score::upper(score::trim(line.substr(colon + 1)));
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
