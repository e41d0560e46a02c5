#include "tools/common/text.h"

#include <algorithm>

namespace tools {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

namespace {
char upperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string upper(std::string text) {
    for (char &c : text) c = upperChar(c);
    return text;
}

std::string lower(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string trim(const std::string &text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool equalsIgnoreCase(const std::string &a, const std::string &b) {
    return a.size() == b.size() && upper(a) == upper(b);
}

bool startsWithIgnoreCase(const std::string &text, const std::string &prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::size_t findIgnoreCase(const std::string &text, const std::string &needle,
                           std::size_t from) {
    if (from > text.size()) return std::string::npos;
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from),
                                text.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return upperChar(a) == upperChar(b); });
    return it == text.end() && !needle.empty()
               ? std::string::npos
               : static_cast<std::size_t>(it - text.begin());
}

std::vector<std::string> words(const std::string &text) {
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        if (i > start) result.push_back(text.substr(start, i - start));
    }
    return result;
}

bool allDigits(const std::string &text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

std::string leadingDigits(const std::string &text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    std::size_t start = i;
    while (i < text.size() && isAsciiDigit(text[i])) ++i;
    return text.substr(start, i - start);
}

std::string lettersOf(const std::string &text) {
    std::string letters;
    for (char c : text)
        if (isAsciiLetter(c)) letters += c;
    return letters;
}

std::string padSerial(const std::string &digits) {
    if (digits.empty() || digits.size() >= 3) return digits;
    return std::string(3 - digits.size(), '0') + digits;
}

LineIndex::LineIndex(const std::string &text) {
    starts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') starts_.push_back(i + 1);
}

int LineIndex::lineAt(std::size_t offset) const {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return static_cast<int>(it - starts_.begin());
}

bool nextLine(const std::string &text, std::size_t &pos, std::string &line) {
    if (pos >= text.size()) return false;
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    line.assign(text, pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n' && (pos == end || text[end] == '\r')) ++pos;
    return true;
}

}  // namespace tools
