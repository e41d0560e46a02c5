// Reading the figures back from the plug-in's plain summary, and JSON texts.
#include "tools/common/json_layout.h"
#include "tools/common/summary_figures.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

const char *const kSummary =
    "\tMORVANTIA CONTEST 03.02.2024 \r\n\t\tContestant: YO2MVT\r\n"
    "\tQSOs\tPoints\tCounty\tCountry\tDIGI\tCW\tSSB\r\n"
    "80m\t 3\t 10\t 1\t 1\t 0\t 3\t 0\r\n"
    "40m\t 1\t 2\t 0\t 1\t 1\t 0\t 0\r\n"
    "Total\t 4\t 12\t 1\t 2\t 1\t 3\t 0\r\n"
    "Dupe\t 2\r\nBad QSO\t 1\r\nScore:\t 12*(2+1)=36\r\n";

TEST(PlainSummary, AllFiguresAreRead) {
    const std::optional<SummaryFigures> f = readPlainSummary(kSummary);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->contestDate, "03.02.2024");
    EXPECT_EQ(f->contestant, "YO2MVT");
    ASSERT_EQ(f->bands.size(), 2u);
    EXPECT_EQ(f->bands[0].band, "80m");
    EXPECT_EQ(f->bands[0].points, 10);
    EXPECT_EQ(f->bands[1].digi, 1);
    EXPECT_EQ(f->total.qsos, 4);
    EXPECT_EQ(f->total.countries, 2);
    EXPECT_EQ(f->dupes, 2);
    EXPECT_EQ(f->badQsos, 1);
    EXPECT_EQ(f->score, 36);
}

TEST(PlainSummary, AnEmptyLogHasOnlyTheTotals) {
    const std::optional<SummaryFigures> f = readPlainSummary(
        "\tMORVANTIA CONTEST 03.02.2024 \r\n\t\tContestant: \r\n\tQSOs\tPoints\tCounty\tCountry"
        "\tDIGI\tCW\tSSB\r\nTotal\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n"
        "Score:\t 0*(0+0)=0\r\n");
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->bands.empty());
    EXPECT_EQ(f->contestant, "");
}

TEST(PlainSummary, OtherLayoutsAreNotGuessedAt) {
    EXPECT_FALSE(readPlainSummary(""));
    EXPECT_FALSE(readPlainSummary("<html><body></body></html>"));
    std::string cut = kSummary;
    cut.resize(cut.find("Bad QSO"));
    EXPECT_FALSE(readPlainSummary(cut));
    std::string bad = kSummary;
    bad.replace(bad.find(" 10\t"), 3, " x\t");
    EXPECT_FALSE(readPlainSummary(bad));
}

// The figures, not the plug-in's 32-bit score, in both forms of the
// summary: a score past 2147483647 is told from its wrapped value.
TEST(SummaryScore, FullScoreFromEitherFormBeyondThe32BitLimit) {
    std::string wide = kSummary;
    const std::string total = "Total\t 4\t 12\t 1\t 2";
    wide.replace(wide.find(total), total.size(), "Total\t 4\t 3000000\t 700\t 100");
    const std::string html =
        "<html><body><table><tr><th>Score:</th><td colspan=9><center>3000000 * (700 + 100) = "
        "-1894967296</center></td></tr></table></body></html>";
    const struct {
        std::string summary;
        std::optional<long long> full;
    } cases[] = {
        {kSummary, 36},
        {wide, 2400000000LL},
        {html, 2400000000LL},
        {"<html><body></body></html>", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &c : cases) EXPECT_EQ(fullScore(c.summary), c.full) << c.summary;
}

TEST(JsonText, EscapesAndEncodings) {
    EXPECT_EQ(jsonString("a\"b\\c\td\r\n"), "\"a\\\"b\\\\c\\td\\r\\n\"");
    EXPECT_EQ(jsonString(std::string("\x01", 1)), "\"\\u0001\"");
    EXPECT_EQ(jsonString("Timi\xC8\x99oara"), "\"Timi\xC8\x99oara\"");
    // Eight-bit text that is not UTF-8 stays valid JSON.
    EXPECT_EQ(jsonString("Timi\xBAoara"), "\"Timi\\u00baoara\"");
}

}  // namespace
}  // namespace tools
