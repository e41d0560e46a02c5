// What a Cabrillo header says about the entry: its categories and the score
// the entrant claimed. Other formats carry neither.
#pragma once

#include <optional>
#include <string>

namespace check {

struct LogHeader {
    std::string categoryOperator;  // CATEGORY-OPERATOR, upper case; empty when missing
    std::string categoryMode;      // CATEGORY-MODE
    std::string categoryPower;     // CATEGORY-POWER
    std::string location;          // LOCATION
    std::optional<long long> claimedScore;  // CLAIMED-SCORE, when a number

    // "SINGLE-OP MIXED LOW YO": the four parts, "-" for a missing one;
    // "(no category)" when all are missing.
    std::string category() const;
    bool hasCategory() const { return category() != "(no category)"; }
};

// Reads the header tags of a Cabrillo log; a text in another format gives
// an empty header. Tags and values are trimmed; values are upper-cased.
LogHeader readLogHeader(const std::string &text);

}  // namespace check
