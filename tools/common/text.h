// Small text helpers shared by the log readers. All of them work on 8-bit
// text and treat only ASCII letters, digits and blanks specially.
#pragma once

#include <string>
#include <vector>

namespace tools {

bool isAsciiDigit(char c);
bool isAsciiLetter(char c);
bool isBlank(char c);  // blank, tab, CR, LF, vertical tab, form feed

std::string upper(std::string text);
std::string lower(std::string text);
std::string trim(const std::string &text);
bool equalsIgnoreCase(const std::string &a, const std::string &b);
bool startsWithIgnoreCase(const std::string &text, const std::string &prefix);
// Position of needle in text ignoring case, or npos.
std::size_t findIgnoreCase(const std::string &text, const std::string &needle,
                           std::size_t from = 0);

// Words separated by runs of blanks.
std::vector<std::string> words(const std::string &text);

bool allDigits(const std::string &text);  // false for an empty text

// The digits at the start of text (after leading blanks).
std::string leadingDigits(const std::string &text);
// Every ASCII letter of text, in order.
std::string lettersOf(const std::string &text);
// A serial number as the contest exchange writes it: at least three digits,
// zero-padded on the left.
std::string padSerial(const std::string &digits);

// The line that starts at pos, without its end, which may be LF, CR LF or a
// CR alone (as old Mac programs write); pos moves past the end. False when
// pos is at the end of text.
bool nextLine(const std::string &text, std::size_t &pos, std::string &line);

// Maps each byte offset of a text to its line number (from 1).
class LineIndex {
public:
    explicit LineIndex(const std::string &text);
    int lineAt(std::size_t offset) const;

private:
    std::vector<std::size_t> starts_;
};

}  // namespace tools
