#include "tools/common/country_prefix.h"

#include "tools/common/text.h"

#include <algorithm>

namespace tools {
namespace {

const int kRomaniaDxcc = 275;

// Suffixes that say how a station operates, not where.
bool isOperatingSuffix(const std::string &part) {
    static const char *const suffixes[] = {"P", "M", "QRP", "QRPP", "A", "B", "LH", "J"};
    for (const char *suffix : suffixes)
        if (part == suffix) return true;
    return allDigits(part) && part.size() == 1;
}

// Cuts the override marks ("(14)", "[28]", "<...>", "{EU}", "~...~") from a
// prefix of a country file.
std::string stripOverrides(const std::string &entry) {
    std::string out;
    char closing = 0;
    for (char c : entry) {
        if (closing != 0) {
            if (c == closing) closing = 0;
            continue;
        }
        switch (c) {
        case '(': closing = ')'; break;
        case '[': closing = ']'; break;
        case '<': closing = '>'; break;
        case '{': closing = '}'; break;
        case '~': closing = '~'; break;
        default: out += c;
        }
    }
    return trim(out);
}

}  // namespace

std::optional<CountryFile> CountryFile::parse(const std::string &text, std::string &error) {
    CountryFile file;
    const LineIndex lines(text);
    std::size_t pos = 0;
    while (true) {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        if (pos >= text.size()) break;
        // Head: eight fields ended by colons; the eighth is the primary prefix.
        std::size_t fieldEnd = pos;
        std::string primary;
        for (int field = 0; field < 8; ++field) {
            const std::size_t colon = text.find(':', fieldEnd);
            // A line end before the colon, looked for up to the colon only:
            // a file without line ends must not be searched to its end for
            // every field.
            const bool lineEnds =
                colon != std::string::npos &&
                std::find(text.begin() + static_cast<std::ptrdiff_t>(fieldEnd),
                          text.begin() + static_cast<std::ptrdiff_t>(colon),
                          '\n') != text.begin() + static_cast<std::ptrdiff_t>(colon);
            if (colon == std::string::npos || lineEnds) {
                error = "line " + std::to_string(lines.lineAt(pos)) +
                        ": an entity line needs eight fields ended by \":\"";
                return std::nullopt;
            }
            if (field == 7) primary = trim(text.substr(fieldEnd, colon - fieldEnd));
            fieldEnd = colon + 1;
        }
        if (!primary.empty() && primary[0] == '*') primary.erase(0, 1);
        if (primary.empty()) {
            error = "line " + std::to_string(lines.lineAt(pos)) + ": no primary prefix";
            return std::nullopt;
        }
        const std::size_t semi = text.find(';', fieldEnd);
        if (semi == std::string::npos) {
            error = "line " + std::to_string(lines.lineAt(pos)) +
                    ": the prefix list of " + primary + " is not ended by \";\"";
            return std::nullopt;
        }
        const std::size_t index = file.primaryPrefixes_.size();
        file.primaryPrefixes_.push_back(upper(primary));
        file.prefixes_.emplace(upper(primary), index);
        std::string list = text.substr(fieldEnd, semi - fieldEnd);
        std::size_t start = 0;
        while (start <= list.size()) {
            std::size_t comma = list.find(',', start);
            if (comma == std::string::npos) comma = list.size();
            std::string entry = upper(stripOverrides(list.substr(start, comma - start)));
            if (!entry.empty()) {
                if (entry[0] == '=')
                    file.exactCalls_.emplace(entry.substr(1), index);
                else
                    file.prefixes_.emplace(entry, index);
            }
            start = comma + 1;
        }
        pos = semi + 1;
    }
    if (file.primaryPrefixes_.empty()) {
        error = "no entities found";
        return std::nullopt;
    }
    return file;
}

std::string CountryFile::exactMatch(const std::string &call) const {
    const auto it = exactCalls_.find(upper(call));
    return it == exactCalls_.end() ? std::string() : primaryPrefixes_[it->second];
}

std::string CountryFile::longestPrefixMatch(const std::string &text) const {
    const std::string key = upper(text);
    for (std::size_t length = key.size(); length > 0; --length) {
        const auto it = prefixes_.find(key.substr(0, length));
        if (it != prefixes_.end()) return primaryPrefixes_[it->second];
    }
    return std::string();
}

std::string locationPart(const std::string &call) {
    std::vector<std::string> parts;
    std::string upperCall = upper(trim(call));
    std::size_t start = 0;
    while (start <= upperCall.size()) {
        std::size_t slash = upperCall.find('/', start);
        if (slash == std::string::npos) slash = upperCall.size();
        const std::string part = upperCall.substr(start, slash - start);
        if (part == "MM" || part == "AM") return std::string();
        if (!part.empty() && !isOperatingSuffix(part)) parts.push_back(part);
        start = slash + 1;
    }
    if (parts.empty()) return std::string();
    // Of a prefix and a call, the prefix is the shorter part.
    std::string chosen = parts[0];
    for (const std::string &part : parts)
        if (part.size() < chosen.size()) chosen = part;
    return chosen;
}

bool isRomanianPrefix(const std::string &text) {
    const std::string p = upper(text);
    return p.size() >= 2 && p[0] == 'Y' && p[1] >= 'O' && p[1] <= 'R';
}

std::string guessCountryPrefix(const std::string &part) {
    if (isRomanianPrefix(part)) return "YO";
    if (part.empty()) return std::string();
    // The first character may be a digit (9A, 4X, 3DA0); the prefix runs on
    // to the next digit.
    std::size_t end = 1;
    while (end < part.size() && !isAsciiDigit(part[end])) ++end;
    if (end >= part.size()) return part;
    return part.substr(0, end);
}

std::string CountryResolver::prefixFor(const std::string &call, std::optional<int> dxcc) const {
    const std::string location = locationPart(call);
    if (file_) {
        std::string prefix = file_->exactMatch(trim(call));
        if (prefix.empty() && !location.empty()) prefix = file_->longestPrefixMatch(location);
        if (!prefix.empty()) return prefix;
    } else if (dxcc && *dxcc == kRomaniaDxcc) {
        return "YO";
    }
    return guessCountryPrefix(location);
}

}  // namespace tools
