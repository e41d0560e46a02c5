#include "reports/summary.h"

#include <gtest/gtest.h>

namespace reports {
namespace {

TEST(Summary, PlainBandRowPutsATabAndBlankBeforeEachNumber) {
    BandFigures f;
    f.qsos = 3;
    f.points = 10;
    f.counties = 1;
    f.countries = 1;
    f.cw = 3;
    std::string out;
    appendBandRow(out, false, "80m", f);
    EXPECT_EQ(out, "80m\t 3\t 10\t 1\t 1\t 0\t 3\t 0\r\n");
}

TEST(Summary, ScoreLineOrdersMultipliersDifferentlyPerForm) {
    ResultFigures t;
    t.points = 10;
    t.counties = 3;
    t.countries = 2;
    t.score = 50;
    std::string plain;
    appendSummaryEnd(plain, false, t);
    EXPECT_NE(plain.find("Score:\t 10*(2+3)=50\r\n"), std::string::npos);
    std::string html;
    appendSummaryEnd(html, true, t);
    EXPECT_NE(html.find("<center>10 * (3 + 2) = 50</center>"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 22), "</table></body></html>");
}

TEST(Summary, HtmlTotalRowHoldsSevenNumbers) {
    ResultFigures t;
    t.dupes = 7;
    t.badShown = 9;
    std::string html;
    appendSummaryEnd(html, true, t);
    const std::string total = html.substr(0, html.find("</tr>"));
    int cells = 0;
    for (std::size_t p = total.find("<td>"); p != std::string::npos; p = total.find("<td>", p + 1))
        ++cells;
    EXPECT_EQ(cells, 7);
    EXPECT_NE(html.find("Dupe</center></th><td><center>7</center></td><td colspan=8> </td>"),
              std::string::npos);
    EXPECT_NE(html.find("Bad QSO</center></th><td><center>9</center>"), std::string::npos);
}

TEST(Summary, HeadKeepsTheStylePercentAndEscapesTexts) {
    std::string html;
    appendSummaryHead(html, true, "05.02.2017", "YO3\"X\" <b>&");
    EXPECT_EQ(html.find("table{ width:100%; }"), 19u);
    EXPECT_NE(html.find("Contestant:  <b>YO3&quot;X&quot; &lt;b&gt;&amp;</center></b><table>"),
              std::string::npos);
    EXPECT_NE(html.find("<b>   MORVANTIA CONTEST 05.02.2017</b>"), std::string::npos);
    // The plain form has no markup to protect and keeps texts as given.
    std::string plain;
    appendSummaryHead(plain, false, "05.02.2017", "A%sB");
    EXPECT_EQ(plain,
              "\tMORVANTIA CONTEST 05.02.2017 \r\n\t\tContestant: A%sB\r\n"
              "\tQSOs\tPoints\tCounty\tCountry\tDIGI\tCW\tSSB\r\n");
}

TEST(Summary, LongTextsAreNotCut) {
    std::string out;
    appendBandRow(out, false, std::string(1000, 'x'), BandFigures{});
    EXPECT_EQ(out.size(), 1000u + std::string("\t 0").size() * 7 + 2);
}

}  // namespace
}  // namespace reports
