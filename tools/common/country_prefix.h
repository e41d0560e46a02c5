// The worked station's country prefix, which a logging program takes from
// its country file and hands to the plug-in. The plug-in only asks whether
// it is exactly "YO" (Romania, which sends counties); other prefixes are
// shown, never compared.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// The entities of a country file in the cty.dat format.
class CountryFile {
public:
    // Parses the text of a country file; on failure returns nothing and
    // error names the line.
    static std::optional<CountryFile> parse(const std::string &text, std::string &error);

    // Primary prefix (without the "*" of WAE-only entities) of the entity a
    // call sign or prefix belongs to: an exact call entry ("=CALL") first,
    // then the longest matching prefix. Empty when nothing matches.
    std::string exactMatch(const std::string &call) const;
    std::string longestPrefixMatch(const std::string &text) const;

    std::size_t entityCount() const { return primaryPrefixes_.size(); }

private:
    std::vector<std::string> primaryPrefixes_;
    std::map<std::string, std::size_t> exactCalls_;
    std::map<std::string, std::size_t> prefixes_;
};

// The part of a call sign that tells where the station is: the prefix part
// of a portable call ("YO" in YO/DL1ABC and DL1ABC/YO), else the base call.
// Operating suffixes (/P, /M, /QRP, a lone call-area digit) are dropped.
// Maritime and aeronautical mobile (/MM, /AM) are in no country: empty.
std::string locationPart(const std::string &call);

// True for the prefixes of Romania, YO to YR.
bool isRomanianPrefix(const std::string &text);

// Best-effort prefix of a call sign or location part: "YO" for Romania, else
// the characters up to the first call-area digit ("DL" for DL1ABC, "9A" for
// 9A2AA); a part without digits is a prefix already.
std::string guessCountryPrefix(const std::string &part);

// Decides the prefix handed to the plug-in. With a country file it decides;
// otherwise the call sign's form, and an ADIF DXCC entity 275 (Romania)
// makes a station Romanian.
class CountryResolver {
public:
    CountryResolver() = default;
    explicit CountryResolver(CountryFile file) : file_(std::move(file)) {}

    std::string prefixFor(const std::string &call, std::optional<int> dxcc = std::nullopt) const;
    bool hasCountryFile() const { return file_.has_value(); }

private:
    std::optional<CountryFile> file_;
};

}  // namespace tools
