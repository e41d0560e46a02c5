// The check as a whole on logs read from text, with a stand-in for the
// plug-in: which logs and lines are left out, what goes to the second
// scoring, and how the plug-in's verdicts and the cross-check's findings
// make one status.
#include "tools/common/mode_class.h"
#include "tools/morvantia-check/contest_check.h"

#include "tests/check/fake_scorer.h"

#include <gtest/gtest.h>

namespace check {
namespace {

struct ShownCase {
    Status cross;
    Verdict asSent;
    std::optional<Verdict> inChecked;
    Status shown;
};

const ShownCase kShownCases[] = {
    {Status::Confirmed, Verdict::Counted, Verdict::Counted, Status::Confirmed},
    {Status::Unique, Verdict::Counted, Verdict::Counted, Status::Unique},
    {Status::Unchecked, Verdict::Counted, Verdict::Counted, Status::Unchecked},
    // Bad whatever the cross-check found.
    {Status::Confirmed, Verdict::Bad, Verdict::Bad, Status::Bad},
    {Status::NotInLog, Verdict::Bad, std::nullopt, Status::Bad},
    {Status::BustedCall, Verdict::Bad, std::nullopt, Status::Bad},
    // Removed: the cross-check's reason, unless it never counted anyway.
    {Status::NotInLog, Verdict::Counted, std::nullopt, Status::NotInLog},
    {Status::BustedCall, Verdict::Counted, std::nullopt, Status::BustedCall},
    {Status::BustedExchange, Verdict::Counted, std::nullopt, Status::BustedExchange},
    {Status::NotInLog, Verdict::Dupe, std::nullopt, Status::Dupe},
    // Kept: a dupe only while an earlier QSO with the station still counts.
    {Status::Confirmed, Verdict::Dupe, Verdict::Dupe, Status::Dupe},
    {Status::Confirmed, Verdict::Dupe, Verdict::Counted, Status::Confirmed},
    {Status::Unchecked, Verdict::Dupe, Verdict::Dupe, Status::Dupe},
};

TEST(CheckShownStatus, PluginVerdictsAndFindingsMakeOneStatus) {
    for (const ShownCase &c : kShownCases)
        EXPECT_EQ(shownStatus(c.cross, c.asSent, c.inChecked), c.shown)
            << statusName(c.cross) << " " << static_cast<int>(c.asSent);
}

TEST(CheckShownStatus, OnlyNotInLogAndBustsRemoveAQso) {
    for (int s = 0; s < kStatusCount; ++s) {
        const Status status = static_cast<Status>(s);
        EXPECT_EQ(removesQso(status), status == Status::NotInLog || status == Status::BustedCall ||
                                          status == Status::BustedExchange)
            << statusName(status);
    }
}

tools::QsoTime at(int year, int month, int day, int hour, int minute, int second = 0) {
    tools::QsoTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

TEST(CheckMinutes, CountAcrossDaysMonthsAndYears) {
    struct Case {
        tools::QsoTime earlier, later;
        long long minutes;
    } cases[] = {
        {at(2024, 2, 3, 16, 0), at(2024, 2, 3, 16, 3), 3},
        {at(2024, 2, 3, 23, 59), at(2024, 2, 4, 0, 1), 2},
        {at(2024, 2, 28, 23, 59), at(2024, 2, 29, 0, 0), 1},  // leap year
        {at(2024, 2, 29, 23, 59), at(2024, 3, 1, 0, 0), 1},
        {at(2023, 2, 28, 23, 59), at(2023, 3, 1, 0, 0), 1},
        {at(2023, 12, 31, 23, 59), at(2024, 1, 1, 0, 0), 1},
        {at(2024, 2, 3, 16, 0, 59), at(2024, 2, 3, 16, 1, 0), 1},  // seconds dropped
        {at(2024, 1, 1, 0, 0), at(2025, 1, 1, 0, 0), 366 * 24 * 60},
    };
    for (const Case &c : cases)
        EXPECT_EQ(minutesOf(c.later) - minutesOf(c.earlier), c.minutes)
            << c.later.year << "-" << c.later.month << "-" << c.later.day;
}

TEST(CheckModeClass, ContestModesAndOthers) {
    const std::pair<const char *, const char *> cases[] = {
        {"CW", "CW"},      {"cw", "CW"},        {"SSB", "SSB"},   {"BPSK31", "DIGI"},
        {"BPSK63", "DIGI"}, {"bpsk125", "DIGI"}, {"RTTY", "RTTY"}, {"ft8", "FT8"},
    };
    for (const auto &[mode, modeClass] : cases) EXPECT_EQ(tools::modeClassOf(mode), modeClass) << mode;
}

std::string cabrillo(const std::string &call, const std::vector<std::string> &qsos) {
    std::string text = "START-OF-LOG: 3.0\nCALLSIGN: " + call + "\n";
    for (const std::string &q : qsos) text += "QSO: " + q + "\n";
    return text + "END-OF-LOG:\n";
}

class CheckContest : public ::testing::Test {
protected:
    // Adds a log; the problems it gave, as "line: message".
    std::vector<std::string> add(const std::string &file, const std::string &text,
                                 bool expectAdded = true) {
        std::vector<InputProblem> problems;
        bool added = false;
        std::string error;
        EXPECT_TRUE(contest_.addLog(file, text, problems, added, error)) << error;
        EXPECT_EQ(added, expectAdded) << file;
        std::vector<std::string> messages;
        for (const InputProblem &p : problems) {
            EXPECT_EQ(p.file, file);
            messages.push_back(std::to_string(p.line) + ": " + p.message);
        }
        return messages;
    }

    std::vector<Status> statuses(std::size_t entrant) const {
        std::vector<Status> list;
        for (const QsoResult &r : contest_.entrants().at(entrant).results) list.push_back(r.status);
        return list;
    }

    FakeScorer scorer_;
    tools::CountryResolver countries_;
    ContestCheck contest_{3, scorer_, countries_};
};

TEST_F(CheckContest, LogsThatCannotBeUsedAreLeftOutWithAReason) {
    const auto messageOf = [](const std::vector<std::string> &messages) {
        return messages.size() == 1 ? messages[0] : std::string("(") + std::to_string(messages.size()) + " messages)";
    };
    EXPECT_EQ(messageOf(add("notes.txt", "just some notes\n", false)),
              "0: not an ADIF, ADX or Cabrillo log; left out");
    EXPECT_NE(messageOf(add("nocall.adi",
                            "<EOH>\n<CALL:6>YO3BBB <QSO_DATE:8>20240203 <TIME_ON:4>1600 "
                            "<BAND:3>80m <MODE:2>CW <EOR>\n",
                            false))
                  .find("no own call sign"),
              std::string::npos);
    EXPECT_NE(messageOf(add("report.cbr",
                            "START-OF-LOG: 3.0\nCALLSIGN: 599\n"
                            "QSO: 3510 CW 2024-02-03 1600 599 001 TM YO3BBB 599 001 BU\n",
                            false))
                  .find("is not a call sign"),
              std::string::npos);
    // A call far longer than any real one would make a file name the
    // system refuses; the message quotes only its start.
    const std::string longCall = messageOf(add("long.cbr",
        cabrillo("YO2" + std::string(247, 'A'), {"3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU"}),
        false));
    EXPECT_NE(longCall.find("has 250 characters, more than a call sign can have (20)"), std::string::npos)
        << longCall;
    EXPECT_LT(longCall.size(), 150u);
    EXPECT_NE(messageOf(add("empty.cbr", cabrillo("YO2AAA", {}), false)).find("no QSO could be read"),
              std::string::npos);
    add("first.cbr", cabrillo("YO2AAA", {"3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU"}));
    EXPECT_EQ(messageOf(add("again.cbr",
                            cabrillo("yo2aaa", {"3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU"}),
                            false)),
              "0: YO2AAA sent a log already (first.cbr); this one is left out");
    EXPECT_EQ(contest_.entrants().size(), 1u);
    EXPECT_EQ(scorer_.runs.size(), 1u);
}

TEST_F(CheckContest, UnreadableLinesAreLeftOutWithTheirLineAndTheLogStays) {
    const std::vector<std::string> messages =
        add("yo2aaa.cbr", cabrillo("YO2AAA", {"3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU",
                                              "3510 CW 2024-02-33 1601 YO2AAA 599 002 TM YO4CCC 599 001 BV"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].substr(0, 3), "4: ");
    EXPECT_NE(messages[0].find("left out"), std::string::npos);
    EXPECT_EQ(contest_.entrants().at(0).log.qsos.size(), 1u);
}

TEST_F(CheckContest, CheckedScoringLeavesOutRemovedQsosAndARepeatTakesTheirPlace) {
    // YO2AAA works YO3BBB twice on 80 m CW: the first is not in YO3BBB's log,
    // the repeat is. As sent the repeat is a dupe; checked, it counts.
    add("yo2aaa.cbr", cabrillo("YO2AAA", {
        "3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU",
        "3510 CW 2024-02-03 1630 YO2AAA 599 002 TM YO3BBB 599 002 BU",
        "3510 CW 2024-02-03 1640 YO2AAA 599 003 TM OK1NNN 599 007 OK",
        "14010 CW 2024-02-03 1650 YO2AAA 599 004 TM YO3BBB 599 003 BU",
    }));
    add("yo3bbb.cbr", cabrillo("YO3BBB", {
        "3512 CW 2024-02-03 1631 YO3BBB 599 002 BU YO2AAA 599 002 TM",
        "14010 CW 2024-02-03 1650 YO3BBB 599 003 BU YO2AAA 599 004 TM",
    }));
    std::string error;
    ASSERT_TRUE(contest_.finish(error)) << error;
    EXPECT_EQ(statuses(0), (std::vector<Status>{Status::NotInLog, Status::Confirmed, Status::Unique,
                                                Status::Bad}));
    EXPECT_EQ(statuses(1), (std::vector<Status>{Status::Confirmed, Status::Bad}));
    const Entrant &aaa = contest_.entrants()[0];
    EXPECT_EQ(aaa.uncheckedScore, 4);  // 1600 and 1640; the repeat was a dupe
    EXPECT_EQ(aaa.checkedScore, 4);    // 1630 and 1640
    EXPECT_EQ(contest_.reasons()[aaa.results[3].reason], "WRONG BAND");
    EXPECT_EQ(aaa.counts[static_cast<int>(Status::NotInLog)], 1);
    EXPECT_EQ(aaa.counts[static_cast<int>(Status::Confirmed)], 1);
    // Two runs as sent, one checked run for the log that lost a QSO.
    ASSERT_EQ(scorer_.runs.size(), 3u);
    EXPECT_EQ(scorer_.runs[2].ownCall, "YO2AAA");
    EXPECT_EQ(scorer_.runs[2].calls, (std::vector<std::string>{"YO3BBB", "OK1NNN", "YO3BBB"}));
}

TEST_F(CheckContest, ARepeatOfAConfirmedQsoStaysADupeEvenWhenRemoved) {
    add("yo2aaa.cbr", cabrillo("YO2AAA", {
        "3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU",
        "3510 CW 2024-02-03 1602 YO2AAA 599 002 TM YO3BBB 599 001 BU",
    }));
    add("yo3bbb.cbr", cabrillo("YO3BBB", {"3512 CW 2024-02-03 1600 YO3BBB 599 001 BU YO2AAA 599 001 TM"}));
    std::string error;
    ASSERT_TRUE(contest_.finish(error)) << error;
    EXPECT_EQ(statuses(0), (std::vector<Status>{Status::Confirmed, Status::Dupe}));
    EXPECT_EQ(contest_.entrants()[0].checkedScore, 2);
    EXPECT_FALSE(contest_.entrants()[0].results[1].other.valid());
}

TEST_F(CheckContest, ALogWhoseScoreThePluginCannotHoldIsLeftOutAndCostsNobody) {
    scorer_.beyondPlugin.insert("YO3BBB");
    add("yo2aaa.cbr", cabrillo("YO2AAA", {"3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU"}));
    EXPECT_EQ(add("yo3bbb.cbr",
                  cabrillo("YO3BBB", {"3512 CW 2024-02-03 1600 YO3BBB 599 001 BU YO2AAA 599 001 TM"}),
                  false),
              (std::vector<std::string>{"0: its score, 3000000000, is more than the plug-in can hold "
                                        "(2147483647); the log is left out"}));
    std::string error;
    ASSERT_TRUE(contest_.finish(error)) << error;
    EXPECT_EQ(statuses(0), (std::vector<Status>{Status::Unique}));
}

TEST_F(CheckContest, RepeatsAreDecidedByTimeNotByLogOrder) {
    // The test above with the two lines swapped: the same verdicts.
    add("yo2aaa.cbr", cabrillo("YO2AAA", {
        "3510 CW 2024-02-03 1602 YO2AAA 599 002 TM YO3BBB 599 001 BU",
        "3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU",
    }));
    add("yo3bbb.cbr", cabrillo("YO3BBB", {"3512 CW 2024-02-03 1600 YO3BBB 599 001 BU YO2AAA 599 001 TM"}));
    std::string error;
    ASSERT_TRUE(contest_.finish(error)) << error;
    EXPECT_EQ(statuses(0), (std::vector<Status>{Status::Dupe, Status::Confirmed}));
    EXPECT_EQ(contest_.entrants()[0].checkedScore, 2);
}

}  // namespace
}  // namespace check

namespace check {
namespace {

std::string adifRecord(const std::string &own, const std::string &call, const std::string &time,
                       const std::string &stx, const std::string &srx) {
    const auto f = [](const std::string &name, const std::string &value) {
        return "<" + name + ":" + std::to_string(value.size()) + ">" + value + " ";
    };
    return f("STATION_CALLSIGN", own) + f("CALL", call) + f("QSO_DATE", "20240203") +
           f("TIME_ON", time) + f("BAND", "80m") + f("FREQ", "3.510") + f("MODE", "CW") +
           f("STX_STRING", stx) + f("SRX_STRING", srx) + "<EOR>\n";
}

TEST_F(CheckContest, LinesAreCheckedUnderTheOwnCallTheyGiveAndTheCommitteeIsTold) {
    struct Case {
        const char *name;
        std::string file, log;
        std::string note;  // the start of ownCallNote
    };
    const Case cases[] = {
        {"Cabrillo header and lines differ", "dk7mx.cbr",
         cabrillo("DK7MX", {"3510 CW 2024-02-03 1600 DK7MW 599 001 DE YO3BBB 599 001 BU",
                            "3510 CW 2024-02-03 1610 DK7MW 599 002 DE HA5DDD 599 001 HU"}),
         "the QSO lines give DK7MW (2 lines); CALLSIGN is DK7MX"},
        {"ADIF with two STATION_CALLSIGN values", "dk7mx.adi",
         "<EOH>\n" + adifRecord("DK7MX", "YO3BBB", "1600", "001 DE", "001 BU") +
             adifRecord("DK7MW", "HA5DDD", "1610", "002 DE", "001 HU"),
         "STATION_CALLSIGN gives DK7MX (1 line) and DK7MW (1 line); the log is entered as DK7MX"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeScorer scorer;
        ContestCheck contest(3, scorer, countries_);
        std::vector<InputProblem> problems;
        bool added = false;
        std::string error;
        ASSERT_TRUE(contest.addLog(c.file, c.log, problems, added, error));
        // Each partner logged the call the line gives.
        const std::string bbbCalls = c.file == "dk7mx.cbr" ? "DK7MW" : "DK7MX";
        ASSERT_TRUE(contest.addLog(
            "yo3bbb.cbr", cabrillo("YO3BBB", {"3510 CW 2024-02-03 1600 YO3BBB 599 001 BU " + bbbCalls + " 599 001 DE"}),
            problems, added, error));
        ASSERT_TRUE(contest.addLog(
            "ha5ddd.cbr", cabrillo("HA5DDD", {"3510 CW 2024-02-03 1610 HA5DDD 599 001 HU DK7MW 599 002 DE"}),
            problems, added, error));
        ASSERT_TRUE(contest.finish(error)) << error;
        const Entrant &e = contest.entrants()[0];
        EXPECT_EQ(e.call, "DK7MX");
        EXPECT_EQ(ownCallNote(e).rfind(c.note, 0), 0u) << ownCallNote(e);
        for (std::size_t i = 0; i < contest.entrants().size(); ++i)
            for (const QsoResult &r : contest.entrants()[i].results)
                EXPECT_EQ(r.status, Status::Confirmed) << contest.entrants()[i].call;
        EXPECT_TRUE(ownCallNote(contest.entrants()[1]).empty());
    }
}

TEST_F(CheckContest, AnXQsoConfirmsTheOtherSideButCountsForNobody) {
    add("yo2aaa.cbr", "CALLSIGN: YO2AAA\n"
                      "X-QSO: 3510 CW 2024-02-03 1600 YO2AAA 599 001 TM YO3BBB 599 001 BU\n"
                      "QSO: 3510 CW 2024-02-03 1640 YO2AAA 599 002 TM OK1NNN 599 007 OK\n");
    add("yo3bbb.cbr", cabrillo("YO3BBB", {"3512 CW 2024-02-03 1601 YO3BBB 599 001 BU YO2AAA 599 001 TM"}));
    std::string error;
    ASSERT_TRUE(contest_.finish(error)) << error;
    const Entrant &aaa = contest_.entrants()[0];
    EXPECT_EQ(statuses(0), (std::vector<Status>{Status::Unique}));
    EXPECT_EQ(aaa.xQsos.size(), 1u);
    EXPECT_EQ(statuses(1), (std::vector<Status>{Status::Confirmed}));
    EXPECT_EQ(contest_.entrants()[1].results[0].other.qso, 1u);  // the X-QSO, after the QSOs
    EXPECT_EQ(scorer_.runs[0].calls, (std::vector<std::string>{"OK1NNN"}));
}

}  // namespace
}  // namespace check
