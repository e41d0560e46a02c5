// What a Cabrillo header says about the entry: its categories and the score
// the entrant claimed. Other formats carry neither.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace check {

struct LogHeader {
    std::string categoryOperator;  // CATEGORY-OPERATOR, upper case; empty when missing
    std::string categoryMode;      // CATEGORY-MODE
    std::string categoryPower;     // CATEGORY-POWER
    std::string location;          // LOCATION
    std::optional<long long> claimedScore;  // CLAIMED-SCORE, when a number

    // "SINGLE-OP MIXED LOW YO": the four parts, "-" for a missing one;
    // "(no category)" when all are missing; "(unknown category)" when one
    // is not a value of the contest's categories, so that a typo is never
    // ranked as a category of its own.
    std::string category() const;
    bool hasCategory() const { return known() && category() != "(no category)"; }
    // The four parts as written, "-" for a missing one.
    std::string written() const;
    // True when every part given is one of the contest's values.
    bool known() const { return unknownParts().empty(); }
    // 'CATEGORY-MODE "MIXD"' for each part given that the contest has no
    // value for; the list of values it has follows.
    std::vector<std::string> unknownParts() const;
};

// Header values longer than this are cut (and marked with "..."): no real
// category or location comes near it.
constexpr std::size_t kMaxHeaderValue = 40;

// Reads the header tags of a Cabrillo log; a text in another format gives
// an empty header. Tags and values are trimmed; values are upper-cased.
LogHeader readLogHeader(const std::string &text);

}  // namespace check
