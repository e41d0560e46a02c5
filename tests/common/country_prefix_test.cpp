// The worked station's country prefix: Romanian calls in every form, the
// best guess for the rest, and a country file that decides.
#include "tests/support/sample_country_file.h"
#include "tools/common/country_prefix.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tools {
namespace {

TEST(RomanianStations, PrefixesYoToYrAreYo) {
    const CountryResolver rules;
    for (const char *call : {"YO3ABC", "YP0A", "YQ6W", "YR5KN", "yo9zz"})
        EXPECT_EQ(rules.prefixFor(call), "YO") << call;
    for (const char *call : {"YS1A", "YN2B", "YU1ABC", "OY1A"})
        EXPECT_NE(rules.prefixFor(call), "YO") << call;
}

TEST(RomanianStations, PortableFormsGoByTheirPrefixPart) {
    const CountryResolver rules;
    EXPECT_EQ(rules.prefixFor("YO/DL1ABC"), "YO");
    EXPECT_EQ(rules.prefixFor("DL1ABC/YO"), "YO");
    EXPECT_EQ(rules.prefixFor("DL1ABC/YO8"), "YO");
    EXPECT_EQ(rules.prefixFor("YO3ABC/P"), "YO");
    EXPECT_EQ(rules.prefixFor("YO3ABC/4"), "YO");
    EXPECT_EQ(rules.prefixFor("YO3ABC/QRP"), "YO");
    EXPECT_EQ(rules.prefixFor("YO3ABC/DL"), "DL");
    EXPECT_EQ(rules.prefixFor("DL/YO3ABC/P"), "DL");
}

TEST(RomanianStations, AdifEntity275MakesAStationRomanian) {
    const CountryResolver rules;
    EXPECT_EQ(rules.prefixFor("4X0MVT", 275), "YO");
    EXPECT_EQ(rules.prefixFor("4X0MVT", 336), "4X");
}

TEST(OtherStations, BestGuessRunsToTheCallAreaDigit) {
    EXPECT_EQ(guessCountryPrefix("DL1ABC"), "DL");
    EXPECT_EQ(guessCountryPrefix("K1ABC"), "K");
    EXPECT_EQ(guessCountryPrefix("9A2AA"), "9A");
    EXPECT_EQ(guessCountryPrefix("3DA0XX"), "3DA");
    EXPECT_EQ(guessCountryPrefix("2E0ABC"), "2E");
    EXPECT_EQ(guessCountryPrefix("UA"), "UA");
    EXPECT_EQ(guessCountryPrefix(""), "");
}

TEST(OtherStations, MaritimeAndAeronauticalMobileAreInNoCountry) {
    const CountryResolver rules;
    EXPECT_EQ(rules.prefixFor("YO3ABC/MM"), "");
    EXPECT_EQ(rules.prefixFor("DL1ABC/AM"), "");
    EXPECT_EQ(locationPart("/"), "");
}

const char *const kCountryFile = testing_support::kSampleCountryFile;

TEST(CountryFileFormat, ExactCallsLongestPrefixesAndOverrideMarks) {
    std::string error;
    const std::optional<CountryFile> file = CountryFile::parse(kCountryFile, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->entityCount(), 4u);
    EXPECT_EQ(file->exactMatch("YO9ZZZ"), "DL");
    EXPECT_EQ(file->exactMatch("YO9HQ"), "YO");
    EXPECT_EQ(file->exactMatch("YO9ZZ"), "");
    EXPECT_EQ(file->longestPrefixMatch("IT9ABC"), "IT9");
    EXPECT_EQ(file->longestPrefixMatch("IK2ABC"), "I");
    EXPECT_EQ(file->longestPrefixMatch("YR5KN"), "YO");
    EXPECT_EQ(file->longestPrefixMatch("K1ABC"), "");
}

TEST(CountryFileFormat, BrokenFilesNameTheLine) {
    std::string error;
    EXPECT_FALSE(CountryFile::parse("Romania: 20: 28: EU: YO:\n  YO;\n", error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(CountryFile::parse(
        "Romania: 20: 28: EU: 45.78: -24.70: -2.0: YO:\n  YO,YP\n", error));
    EXPECT_NE(error.find("not ended"), std::string::npos);
    EXPECT_FALSE(CountryFile::parse("\n\n", error));
}

// Took a reader that looked for the line end anew for every field a minute.
TEST(CountryFileFormat, AFileWithoutLineEndsReadsInTimeLinearInItsLength) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "Entity: 1: 2: EU: 0: 0: 0: P: P;";
    std::string error;
    const auto started = std::chrono::steady_clock::now();
    const std::optional<CountryFile> file = CountryFile::parse(text, error);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->entityCount(), 200000u);
    EXPECT_LT(took.count(), 30.0);
}

TEST(CountryFileDecides, OverTheCallsForm) {
    std::string error;
    const CountryResolver resolver(*CountryFile::parse(kCountryFile, error));
    EXPECT_EQ(resolver.prefixFor("YO9ZZZ"), "DL");
    EXPECT_EQ(resolver.prefixFor("YO9ZZY"), "YO");
    EXPECT_EQ(resolver.prefixFor("DL1ABC/YO"), "YO");
    EXPECT_EQ(resolver.prefixFor("IT9ABC"), "IT9");
    // The file, not the ADIF entity, decides.
    EXPECT_EQ(resolver.prefixFor("DL1ABC", 275), "DL");
    // A call the file does not know gets the best guess.
    EXPECT_EQ(resolver.prefixFor("K1ABC"), "K");
}

}  // namespace
}  // namespace tools
