// What the reports make of a checked contest: places within categories,
// the entrant's problem lines, and texts that stay well-formed whatever the
// logs hold.
#include "tools/morvantia-check/reports.h"

#include "tests/check/fake_scorer.h"
#include "tools/common/option_values.h"
#include "tools/common/text.h"

#include <gtest/gtest.h>

namespace check {
namespace {

std::string cabrillo(const std::string &call, const std::string &header,
                     const std::vector<std::string> &qsos) {
    std::string text = "START-OF-LOG: 3.0\nCALLSIGN: " + call + "\n" + header;
    for (const std::string &q : qsos) text += "QSO: " + q + "\n";
    return text + "END-OF-LOG:\n";
}

// A QSO line of own with call at minute 16:mm on 80 m CW, serials as given.
std::string qso(const std::string &own, const std::string &ownCode, int sent, const std::string &call,
                int received, const std::string &code, int minute) {
    char line[160];
    std::snprintf(line, sizeof line, "3510 CW 2024-02-03 16%02d %s 599 %03d %s %s 599 %03d %s",
                  minute, own.c_str(), sent, ownCode.c_str(), call.c_str(), received, code.c_str());
    return line;
}

class CheckReports : public ::testing::Test {
protected:
    void add(const std::string &file, const std::string &text) {
        std::vector<InputProblem> problems;
        bool added = false;
        std::string error;
        ASSERT_TRUE(contest_.addLog(file, text, problems, added, error)) << error;
        ASSERT_TRUE(added) << file;
    }
    void finish() {
        std::string error;
        ASSERT_TRUE(contest_.finish(error)) << error;
    }

    FakeScorer scorer_;
    tools::CountryResolver countries_;
    ContestCheck contest_{3, scorer_, countries_};
};

const char *const kLow = "CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: CW\nCATEGORY-POWER: LOW\n";
const char *const kHigh = "CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: CW\nCATEGORY-POWER: HIGH\n";

TEST_F(CheckReports, PlacesWithinEachCategoryShareTiesAndSkipAfterThem) {
    // Scores by the stand-in: 2 points a confirmed QSO.
    add("a.cbr", cabrillo("YO2AAA", kLow, {qso("YO2AAA", "TM", 1, "YO3BBB", 1, "BU", 0),
                                           qso("YO2AAA", "TM", 2, "YO4CCC", 1, "CJ", 1)}));
    add("b.cbr", cabrillo("YO3BBB", kLow, {qso("YO3BBB", "BU", 1, "YO2AAA", 1, "TM", 0),
                                           qso("YO3BBB", "BU", 2, "YO4CCC", 2, "CJ", 2)}));
    add("c.cbr", cabrillo("YO4CCC", kLow, {qso("YO4CCC", "CJ", 1, "YO2AAA", 2, "TM", 1),
                                           qso("YO4CCC", "CJ", 2, "YO3BBB", 2, "BU", 2),
                                           qso("YO4CCC", "CJ", 3, "YO5DDD", 1, "AB", 3)}));
    add("d.cbr", cabrillo("YO5DDD", kHigh, {qso("YO5DDD", "AB", 1, "YO4CCC", 3, "CJ", 3)}));
    finish();
    std::vector<std::pair<std::string, int>> order;
    for (const Standing &s : standings(contest_))
        order.emplace_back(contest_.entrants()[s.entrant].call, s.place);
    // HIGH sorts before LOW; in LOW YO4CCC leads, the other two share place 2.
    EXPECT_EQ(order, (std::vector<std::pair<std::string, int>>{
                         {"YO5DDD", 1}, {"YO4CCC", 1}, {"YO2AAA", 2}, {"YO3BBB", 2}}));
    const std::string text = resultsText(contest_);
    EXPECT_NE(text.find("\nSINGLE-OP CW HIGH -\n"), std::string::npos) << text;
    EXPECT_LT(text.find("SINGLE-OP CW HIGH"), text.find("SINGLE-OP CW LOW"));
}

TEST_F(CheckReports, EntrantReportListsEachProblemWithTheOtherSide) {
    add("logs/yo2aaa.cbr",
        cabrillo("YO2AAA", kLow, {qso("YO2AAA", "TM", 1, "YO3BBB", 9, "BU", 0),     // busted serial
                                  qso("YO2AAA", "TM", 2, "YO4CCX", 1, "CJ", 10),    // busted call
                                  qso("YO2AAA", "TM", 3, "YO5DDD", 1, "AB", 20),    // not in log
                                  qso("YO2AAA", "TM", 4, "OK1NNN", 1, "OK", 30),    // unique
                                  qso("YO2AAA", "TM", 5, "YO3BBB", 1, "BU", 40)})); // repeat
    add("logs/yo3bbb.cbr", cabrillo("YO3BBB", kLow, {qso("YO3BBB", "BU", 1, "YO2AAA", 1, "TM", 0)}));
    add("logs/yo4ccc.cbr", cabrillo("YO4CCC", kLow, {qso("YO4CCC", "CJ", 1, "YO2AAA", 2, "TM", 11)}));
    add("logs/yo5ddd.cbr", cabrillo("YO5DDD", kLow, {qso("YO5DDD", "AB", 1, "YO2AAA", 3, "TM", 50)}));
    finish();
    const std::string report = entrantReport(contest_, 0);
    const auto lineWith = [&report](const std::string &text) {
        const std::size_t at = report.find(text);
        if (at == std::string::npos) return std::string();
        const std::size_t start = report.rfind('\n', at) + 1;
        return report.substr(start, report.find('\n', at) - start);
    };
    EXPECT_EQ(lineWith("BUSTED EXCHANGE"),
              "QSO:  3510  CW  2024-02-03 1600  YO2AAA  599  001 TM  YO3BBB  599  009 BU"
              "   BUSTED EXCHANGE !!!   line 6; YO3BBB sent 001 BU (yo3bbb.cbr line 6)");
    EXPECT_EQ(lineWith("BUSTED CALL"),
              "QSO:  3510  CW  2024-02-03 1610  YO2AAA  599  002 TM  YO4CCX  599  001 CJ"
              "   BUSTED CALL !!!   line 7; YO4CCC logged you: yo4ccc.cbr line 6: "
              "QSO:  3510  CW  2024-02-03 1611  YO4CCC  599  001 CJ  YO2AAA  599  002 TM");
    EXPECT_NE(lineWith("NOT IN LOG").find("   NOT IN LOG !!!   line 8; nearest QSO with YO2AAA in "
                                          "YO5DDD's log: yo5ddd.cbr line 6: QSO:  3510  CW  "
                                          "2024-02-03 1650"),
              std::string::npos)
        << report;
    EXPECT_NE(lineWith("UNIQUE").find("line 9; OK1NNN sent no log and is in no other log"),
              std::string::npos);
    EXPECT_NE(lineWith("DUPE !!!").find("line 10"), std::string::npos) << report;
    EXPECT_NE(report.find("QSOs with a problem: 5\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Log:            yo2aaa.cbr (Cabrillo)\n"), std::string::npos);
    // A report for a log without problems says so.
    EXPECT_NE(entrantReport(contest_, 2).find("No QSO with a problem.\n"), std::string::npos);
}

TEST_F(CheckReports, OddTextStaysInsideItsCell) {
    add("odd, \"name\".cbr",
        cabrillo("YO2AAA", "CATEGORY-OPERATOR: <b>SINGLE</b>\nCATEGORY-MODE: A,B\n",
                 {qso("YO2AAA", "TM", 1, "YO3BBB", 1, "BU", 0)}));
    finish();
    const std::string csv = resultsCsv(contest_);
    EXPECT_NE(csv.find("\n<B>SINGLE</B>,\"A,B\",,,1,YO2AAA,\"odd, \"\"name\"\".cbr\","),
              std::string::npos)
        << csv;
    const std::string html = resultsHtml(contest_);
    EXPECT_EQ(html.find("<B>SINGLE"), std::string::npos);
    EXPECT_NE(html.find("&lt;B&gt;SINGLE&lt;/B&gt;"), std::string::npos);
    // One page: no script, style or picture from elsewhere.
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
    EXPECT_EQ(html.find("<link"), std::string::npos);
    std::string json;
    writeJson(contest_, {{"x.cbr", 3, "a \"quoted\" problem"}},
              [&json](const std::string &piece) { json += piece; });
    EXPECT_NE(json.find("\"file\": \"odd, \\\"name\\\".cbr\""), std::string::npos) << json;
    EXPECT_NE(json.find("{\"file\": \"x.cbr\", \"line\": 3, \"message\": \"a \\\"quoted\\\" problem\"}"),
              std::string::npos)
        << json;
}

TEST_F(CheckReports, QsosOutsideThePeriodAreListedAndCountForNobody) {
    Period period;
    ASSERT_TRUE(tools::readDateTimeOption("2024-02-03 16:00", period.start.emplace()));
    ASSERT_TRUE(tools::readDateTimeOption("2024-02-03 16:30", period.end.emplace()));
    contest_.setPeriod(period);
    // YO2AAA's second QSO lies a year before; YO5DDD logged it in the period,
    // so it finds nothing to match. YO4CCC sent nothing inside the period.
    std::string early = qso("YO2AAA", "TM", 2, "YO5DDD", 1, "AB", 10);
    early.replace(early.find("2024"), 4, "2023");
    add("a.cbr", cabrillo("YO2AAA", kLow, {qso("YO2AAA", "TM", 1, "YO3BBB", 1, "BU", 0), early}));
    add("b.cbr", cabrillo("YO3BBB", kLow, {qso("YO3BBB", "BU", 1, "YO2AAA", 1, "TM", 0)}));
    add("d.cbr", cabrillo("YO5DDD", kLow, {qso("YO5DDD", "AB", 1, "YO2AAA", 2, "TM", 10)}));
    std::vector<InputProblem> problems;
    bool added = true;
    std::string error;
    std::string late = qso("YO4CCC", "CJ", 1, "YO2AAA", 3, "TM", 59);
    late.replace(late.find("2024-02-03"), 10, "2024-02-04");
    ASSERT_TRUE(contest_.addLog("c.cbr", cabrillo("YO4CCC", kLow, {late}), problems, added, error));
    EXPECT_FALSE(added);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].message, "no QSO lies within the contest period; the log is left out");
    finish();
    const Entrant &a = contest_.entrants()[0];
    EXPECT_EQ(a.log.qsos.size(), 1u);
    EXPECT_EQ(a.outsidePeriod.size(), 1u);
    EXPECT_EQ(scorer_.runs[0].calls.size(), 1u);  // never given to the plug-in
    EXPECT_EQ(contest_.entrants()[2].results[0].status, Status::NotInLog);
    const std::string report = entrantReport(contest_, 0);
    EXPECT_NE(report.find("2023-02-03 1610  YO2AAA  599  002 TM  YO5DDD  599  001 AB   OUTSIDE THE "
                          "CONTEST PERIOD !!!   line 7; contest period 2024-02-03 16:00 to "
                          "2024-02-03 16:30\n"),
              std::string::npos)
        << report;
    EXPECT_NE(resultsText(contest_).find("\nContest period 2024-02-03 16:00 to 2024-02-03 16:30\n"),
              std::string::npos);
    std::string json;
    writeJson(contest_, {}, [&json](const std::string &piece) { json += piece; });
    EXPECT_NE(json.find("\"outside_period\": [{\"line\": 7, \"time\": \"2023-02-03T16:10Z\"}]"),
              std::string::npos)
        << json;
}

TEST_F(CheckReports, WithoutAPeriodTheResultsSayWhatTheLogsCover) {
    add("a.cbr", cabrillo("YO2AAA", kLow, {qso("YO2AAA", "TM", 1, "YO3BBB", 1, "BU", 5),
                                           qso("YO2AAA", "TM", 2, "YO4CCC", 1, "CJ", 40)}));
    finish();
    EXPECT_NE(resultsText(contest_).find("No contest period given; the QSOs checked run from "
                                         "2024-02-03 16:05 to 2024-02-03 16:40\n"),
              std::string::npos)
        << resultsText(contest_);
}

TEST_F(CheckReports, SpreadsheetFormulasFromALogStayText) {
    add("=HYPERLINK(x).cbr",
        cabrillo("YO2AAA", "CATEGORY-OPERATOR: =1+2\nCATEGORY-MODE: +CMD|' /C calc'!A0\n"
                           "CATEGORY-POWER: @SUM(1)\nLOCATION: -2+3\n",
                 {qso("YO2AAA", "TM", 1, "YO3BBB", 1, "BU", 0)}));
    finish();
    const std::string csv = resultsCsv(contest_);
    EXPECT_NE(csv.find("\n'=1+2,'+CMD|' /C CALC'!A0,'@SUM(1),'-2+3,1,YO2AAA,'=HYPERLINK(x).cbr,,2,2,1,"),
              std::string::npos)
        << csv;
    // The log is named under a category of its own, not one of the contest's.
    EXPECT_NE(resultsText(contest_).find("\n(unknown category)\n"), std::string::npos);
    EXPECT_NE(entrantReport(contest_, 0).find("Category:       (unknown category): =1+2 +CMD"),
              std::string::npos);
}

TEST_F(CheckReports, WideNumbersNeverRunTogether) {
    add("a.cbr", cabrillo("YO2AAAAAAAAA", "CLAIMED-SCORE: 98111376200000\n",
                          {qso("YO2AAAAAAAAA", "TM", 1, "YO3BBB", 1, "BU", 0)}));
    finish();
    const std::string text = resultsText(contest_);
    const std::size_t at = text.find("YO2AAAAAAAAA ");
    ASSERT_NE(at, std::string::npos) << text;
    const std::string row = text.substr(text.rfind('\n', at) + 1, text.find('\n', at) - text.rfind('\n', at) - 1);
    EXPECT_EQ(tools::words(row).size(), 14u) << row;
    EXPECT_NE(row.find(" 98111376200000 "), std::string::npos) << row;
}

TEST(CheckReportNames, CallsBecomeSafeFileNames) {
    EXPECT_EQ(reportFileName("YO2AAA"), "YO2AAA.txt");
    EXPECT_EQ(reportFileName("YO/OK2TS"), "YO-OK2TS.txt");
    EXPECT_EQ(reportFileName("DL1AB/P"), "DL1AB-P.txt");
    // Names Windows keeps for devices, in any case, get a mark no call has.
    EXPECT_EQ(reportFileName("COM1"), "COM1_.txt");
    EXPECT_EQ(reportFileName("lpt9"), "lpt9_.txt");
    EXPECT_EQ(reportFileName("COM1/P"), "COM1-P.txt");
    EXPECT_EQ(reportFileName("COM10"), "COM10.txt");
    // However long the text, the name stays short, and two long ones apart.
    const std::string a = reportFileName(std::string(300, 'A')), b = reportFileName(std::string(301, 'A'));
    EXPECT_LE(a.size(), 60u);
    EXPECT_NE(a, b);
    EXPECT_EQ(baseName("logs/sub\\yo2aaa.cbr"), "yo2aaa.cbr");
    EXPECT_EQ(baseName("yo2aaa.cbr"), "yo2aaa.cbr");
}

}  // namespace
}  // namespace check
