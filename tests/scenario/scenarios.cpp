// The scenario table. Every scenario starts in an empty working folder with
// a freshly loaded plug-in. Dates are February 2017: contest start 5 Feb
// 12:00, end 5 Feb 20:00, QSOs at 14:xx.
#include "tests/scenario/scenario.h"

#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace scenario {
namespace {

using host::PluginHost;
using host::Qso;
using testing_support::readFile;
using testing_support::writeFile;

const char *const kBadFile = "BadQSO_StatsMorvantia_05_02_2017.txt";
const char *const kIni = "Plugins/Morvantia.ini";
const std::string kHeader = "MORVANTIA CONTEST UBN file \r\n";
const std::string kRewrittenHeader = "MORVANTIA CONTEST UBN file  \r\n";

const std::string kPlainHead =
    "\tMORVANTIA CONTEST 05.02.2017 \r\n\t\tContestant: YO3AAA\r\n"
    "\tQSOs\tPoints\tCounty\tCountry\tDIGI\tCW\tSSB\r\n";

Qso qso(const std::string &call, const std::string &band, const std::string &mode,
        const std::string &received, const std::string &prefix, int minute,
        unsigned frequencyHz = 3512000) {
    Qso q;
    q.ownCall = "YO3AAA";
    q.call = call;
    q.band = band;
    q.mode = mode;
    q.exchSent = "001";
    q.exchReceived = received;
    q.countryPrefix = prefix;
    q.frequencyHz = frequencyHz;
    q.time = host::makeDateTime(2017, 2, 5, 14, minute);
    return q;
}

// The bad-QSO line of a QSO built by qso() above.
std::string line(const Qso &q, const char *message) {
    char time[32];
    const double minutes = (q.time.value - host::makeDateTime(2017, 2, 5, 14, 0).value) * 1440.0;
    std::snprintf(time, sizeof time, "14%02d", static_cast<int>(minutes + 0.5));
    return "QSO:  " + std::to_string(q.frequencyHz / 1000) + "  " + q.mode +
           "  2017-02-05 " + time + "  " + q.ownCall + "  " + q.rstSent + "  " +
           q.exchSent + "  " + q.call + "  " + q.rstReceived + "  " + q.exchReceived +
           message + "\r\n";
}

Step reset(int reportRequest = 0, const std::string &prefix = "YO",
           const std::string &folder = "./") {
    return [=](PluginHost &h) {
        EXPECT_EQ(h.reset(folder, reportRequest, "YO3AAA",
                          host::makeDateTime(2017, 2, 5, 12, 0),
                          host::makeDateTime(2017, 2, 5, 20, 0), prefix),
                  1);
    };
}

Step add(const Qso &q, int expected) {
    return [=](PluginHost &h) { EXPECT_EQ(h.add(q), expected) << q.call; };
}

Step remove(const Qso &q) {
    return [=](PluginHost &h) { EXPECT_EQ(h.remove(q), 1) << q.call; };
}

Step expectFile(const std::string &name, const std::string &bytes) {
    return [=](PluginHost &) { EXPECT_EQ(readFile(name), bytes) << name; };
}

Step expectResult(int score, const std::string &summary) {
    return [=](PluginHost &h) {
        int received = -12345;
        EXPECT_EQ(h.result(received), summary);
        EXPECT_EQ(received, score);
    };
}

Step expectScore(int score) {
    return [=](PluginHost &h) {
        int received = -12345;
        h.result(received);
        EXPECT_EQ(received, score);
    };
}

Step expectCheckCall(const std::string &call, const std::string &band,
                     const std::string &mode, int expected) {
    return [=](PluginHost &h) {
        EXPECT_EQ(h.checkCall(call, mode, band, band), expected)
            << call << " " << band << " " << mode;
    };
}

Step expectExchange(const std::string &field, int index, int expected) {
    return [=](PluginHost &h) {
        EXPECT_EQ(h.isValidExchange(field, index), expected) << field << " @" << index;
    };
}

Step write(const std::string &name, const std::string &bytes) {
    return [=](PluginHost &) { writeFile(name, bytes); };
}

std::string plainRow(const std::string &band, int qsos, int points, int counties,
                     int countries, int digi, int cw, int ssb) {
    char row[160];
    std::snprintf(row, sizeof row, "%s\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\n",
                  band.c_str(), qsos, points, counties, countries, digi, cw, ssb);
    return row;
}

std::string plainEnd(int qsos, int points, int counties, int countries, int digi,
                     int cw, int ssb, int dupes, int bad, int score) {
    char end[320];
    std::snprintf(end, sizeof end,
                  "Total\t %i\t %i\t %i\t %i\t %i\t %i\t %i\r\nDupe\t %i\r\n"
                  "Bad QSO\t %i\r\nScore:\t %i*(%i+%i)=%i\r\n",
                  qsos, points, counties, countries, digi, cw, ssb, dupes, bad,
                  points, countries, counties, score);
    return end;
}

std::vector<Scenario> buildScenarios() {
    std::vector<Scenario> all;

    all.push_back({"TrivialEntryPoints",
                   {[](PluginHost &h) {
                       EXPECT_EQ(h.numberOfSets(), 1);
                       EXPECT_EQ(h.setName(0), "MORVANTIA Contest (C)");
                       EXPECT_EQ(h.setName(1), "");
                       EXPECT_EQ(h.setName(-1), "");
                       EXPECT_EQ(h.exchangeCount(), 2);
                   }}});

    all.push_back({"EmptyLogScoresZeroAndClaimsIt",
                   {reset(), expectFile(kBadFile, kHeader),
                    expectResult(0, kPlainHead + plainEnd(0, 0, 0, 0, 0, 0, 0, 0, 0, 0)),
                    [](PluginHost &) {
                        EXPECT_NE(readFile(kIni).find("Claimed=0\r\n"), std::string::npos);
                    }}});

    all.push_back({"StartMarkerAlternatesBetweenResets",
                   {reset(), expectFile(kIni, "[Settings]\r\nStart=1\r\n"), reset(),
                    expectFile(kIni, "[Settings]\r\nStart=0\r\n")}});

    {
        const Qso a = qso("YO9AA", "80m", "CW", "002 XA", "YO", 5);
        const Qso b = qso("YO8BB", "80m", "CW", "003XA", "YO", 6);
        const Qso c = qso("UA1CC", "80m", "CW", "004 UA", "UA", 7);
        all.push_back({"BonusCountiesScoreFourPoints",
                       {reset(), add(a, 1), add(b, 1), add(c, 1),
                        expectFile(kBadFile, kHeader),
                        expectResult(20, kPlainHead + plainRow("80m", 3, 10, 1, 1, 0, 3, 0) +
                                             plainEnd(3, 10, 1, 1, 0, 3, 0, 0, 0, 20))}});
    }

    {
        const Qso wrongBand = qso("DL1AA", "20m", "CW", "005 DL", "DL", 10, 14010000);
        const Qso wrongMode = qso("DL2BB", "40m", "RTTY", "006 DL", "DL", 11, 7040000);
        Qso noExchange = qso("DL3CC", "80m", "SSB", "", "DL", 12);
        const Qso noCounty = qso("YO5DD", "80m", "CW", "012QQ", "YO", 13);
        all.push_back(
            {"RefusedAndBadQsosAreListed",
             {reset(), add(wrongBand, 0), add(wrongMode, 0), add(noExchange, 0),
              add(noCounty, 1),
              expectFile(kBadFile, kHeader + line(wrongBand, "   WRONG BAND !!!") +
                                       line(wrongMode, "   WRONG MODE !!!") +
                                       line(noExchange, "   NO RX NUMBER !!!") +
                                       line(noCounty, "   NO ROMANIA COUNTY !!!")),
              // The refused mode left its band behind: a 40m row of zeros.
              expectResult(0, kPlainHead + plainRow("80m", 0, 0, 0, 0, 0, 0, 0) +
                                  plainRow("40m", 0, 0, 0, 0, 0, 0, 0) +
                                  plainEnd(0, 0, 0, 0, 0, 0, 0, 0, 4, 0))}});
    }

    {
        const Qso first = qso("OK1AA", "40m", "SSB", "007 OK", "OK", 20, 7080000);
        Qso second = first;
        second.time = host::makeDateTime(2017, 2, 5, 14, 21);
        Qso third = first;
        third.time = host::makeDateTime(2017, 2, 5, 14, 22);
        const Qso otherMode = qso("OK1AA", "40m", "CW", "008 OK", "OK", 23, 7010000);
        all.push_back(
            {"DupesGetOneLinePerEarlierMatch",
             {reset(), add(first, 1), add(second, 1), add(third, 1), add(otherMode, 1),
              expectFile(kBadFile, kHeader + line(second, "   DUPE !!!") +
                                       line(third, "   DUPE !!!") +
                                       line(third, "   DUPE !!!")),
              expectCheckCall("OK1AA", "40m", "SSB", 0),
              expectCheckCall("OK1AA", "80m", "SSB", 2),
              expectCheckCall("OK1AA", "40m", "BPSK31", 2),
              // Three DUPE lines, two dupes, and no bad QSO: a QSO's
              // several DUPE lines make it no bad QSO.
              expectResult(8, kPlainHead + plainRow("40m", 2, 4, 0, 2, 0, 1, 1) +
                                  plainEnd(2, 4, 0, 2, 0, 1, 1, 2, 0, 8))}});
    }

    {
        const Qso copy = qso("OK1AA", "40m", "CW", "012 OK", "OK", 20, 7012000);
        std::vector<Step> steps{reset()};
        for (int i = 0; i < 5; ++i) steps.push_back(add(copy, 1));
        // Ten DUPE lines (1 + 2 + 3 + 4), four dupes, nothing bad.
        steps.push_back(expectResult(2, kPlainHead + plainRow("40m", 1, 2, 0, 1, 0, 1, 0) +
                                            plainEnd(1, 2, 0, 1, 0, 1, 0, 4, 0, 2)));
        all.push_back({"ManyCopiesOfOneQsoAreDupesNotBadQsos", steps});
    }

    {
        const Qso bad = qso("YO6BB", "80m", "CW", "010 ZZ", "YO", 31);
        Qso noCall = bad;
        noCall.call = "";
        Qso noTime = bad;
        noTime.time = host::nullDateTime();
        const std::string badLine = line(bad, "   NO ROMANIA COUNTY !!!");
        all.push_back({"RemovalWithoutCallOrTimeDropsNoLine",
                       {reset(), add(bad, 1), remove(noCall),
                        expectFile(kBadFile, kRewrittenHeader + badLine), remove(noTime),
                        expectFile(kBadFile, kRewrittenHeader + badLine)}});
        // A file the operator took away is not made anew with its header
        // alone by a removal.
        all.push_back({"RemovalLeavesAnUnreadableFileAlone",
                       {reset(), add(bad, 1),
                        [](PluginHost &) { std::remove(kBadFile); }, remove(bad),
                        [](PluginHost &) {
                            std::ifstream file(kBadFile, std::ios::binary);
                            EXPECT_FALSE(file.is_open());
                        },
                        expectCheckCall("YO6BB", "80m", "CW", 2)}});
    }

    {
        const Qso keep = qso("YO2KK", "80m", "CW", "009 TM", "YO", 30);
        const Qso bad = qso("YO6BB", "80m", "CW", "010 ZZ", "YO", 31);
        Qso badOtherBand = bad;
        badOtherBand.band = "40m";
        badOtherBand.frequencyHz = 7012000;
        const Qso refused = qso("YO6BB", "20m", "CW", "011 HR", "YO", 31, 14012000);
        all.push_back(
            {"RemovalDropsTheLinesOfThatCallAndMinute",
             {reset(), add(keep, 1), add(bad, 1), add(badOtherBand, 1), add(refused, 0),
              add(qso("YO2KK", "80m", "CW", "009 TM", "YO", 32), 1), remove(bad),
              expectFile(kBadFile, kRewrittenHeader +
                                       line(qso("YO2KK", "80m", "CW", "009 TM", "YO", 32),
                                            "   DUPE !!!")),
              // The removed QSO is gone; the same call on 40m stays stored.
              expectCheckCall("YO6BB", "80m", "CW", 2),
              expectCheckCall("YO6BB", "40m", "CW", 0)}});
    }

    {
        const Qso only = qso("YO4XY", "80m", "SSB", "013 BZ", "YO", 40);
        Qso later = only;
        later.time = host::makeDateTime(2017, 2, 5, 14, 41);
        all.push_back({"RemovingMatchesTheTimeAndEmptiesTheLog",
                       {reset(), add(only, 1), add(later, 1), expectScore(2 * 1),
                        remove(only),
                        // The remaining copy counts in its place and is no
                        // dupe any more, in the file either.
                        expectCheckCall("YO4XY", "80m", "SSB", 0), expectScore(2),
                        expectFile(kBadFile, kRewrittenHeader),
                        remove(later), expectCheckCall("YO4XY", "80m", "SSB", 2),
                        expectFile(kBadFile, kRewrittenHeader),
                        expectResult(0, kPlainHead + plainEnd(0, 0, 0, 0, 0, 0, 0, 0, 0, 0))}});
    }

    {
        // Logged twice, then the first is corrected (removed, given again
        // with another serial) or deleted: the remaining copy counts.
        const Qso first = qso("YO2AA", "80m", "CW", "014 TM", "YO", 5);
        Qso corrected = first;
        corrected.exchReceived = "041 TM";
        const Qso again = qso("YO2AA", "80m", "CW", "014 TM", "YO", 10);
        const std::string counted =
            kPlainHead + plainRow("80m", 1, 2, 1, 0, 0, 1, 0) + plainEnd(1, 2, 1, 0, 0, 1, 0, 1, 0, 2);
        all.push_back({"CorrectingTheCountedQsoKeepsTheStationCounted",
                       {reset(), add(first, 1), add(again, 1), remove(first), add(corrected, 1),
                        expectResult(2, counted),
                        // The copy left counting lost its DUPE line; the
                        // corrected one repeats it.
                        expectFile(kBadFile, kRewrittenHeader + line(corrected, "   DUPE !!!"))}});
        all.push_back({"DeletingTheCountedQsoKeepsTheStationCounted",
                       {reset(), add(first, 1), add(again, 1), add(again, 1), remove(first),
                        expectResult(2, kPlainHead + plainRow("80m", 1, 2, 1, 0, 0, 1, 0) +
                                            plainEnd(1, 2, 1, 0, 0, 1, 0, 1, 0, 2)),
                        expectFile(kBadFile, kRewrittenHeader + line(again, "   DUPE !!!"))}});
    }

    {
        const Qso shortCall = qso("YO5A", "80m", "CW", "015 QQ", "YO", 20);
        const Qso longCall = qso("YO5AB", "80m", "CW", "016 QQ", "YO", 20);
        all.push_back({"RemovalMatchesTheCallAsAWholeField",
                       {reset(), add(shortCall, 1), add(longCall, 1), remove(shortCall),
                        expectFile(kBadFile,
                                   kRewrittenHeader + line(longCall, "   NO ROMANIA COUNTY !!!"))}});
    }

    {
        const Qso first = qso("YO6BB", "80m", "CW", "010 ZZ", "YO", 31);
        const Qso second = qso("YO6BC", "80m", "CW", "011 ZZ", "YO", 32);
        all.push_back({"ADeletedBadQsoFileComesBackWithItsHeader",
                       {reset(), [](PluginHost &) { std::remove(kBadFile); }, add(first, 1),
                        add(second, 1),
                        expectFile(kBadFile, kHeader + line(first, "   NO ROMANIA COUNTY !!!") +
                                                 line(second, "   NO ROMANIA COUNTY !!!")),
                        expectResult(0, kPlainHead + plainRow("80m", 0, 0, 0, 0, 0, 0, 0) +
                                            plainEnd(0, 0, 0, 0, 0, 0, 0, 0, 2, 0)),
                        remove(first),
                        expectFile(kBadFile,
                                   kRewrittenHeader + line(second, "   NO ROMANIA COUNTY !!!"))}});
    }

    all.push_back({"AQsoBeforeAnyResetNamesNoUnwrittenFile",
                   {add(qso("DL1AA", "20m", "CW", "005 DL", "DL", 10, 14010000), 0),
                    add(qso("YO6BB", "80m", "CW", "010 ZZ", "YO", 31), 1),
                    [](PluginHost &h) {
                        int score = -1;
                        EXPECT_EQ(h.result(score).find("could not be written"), std::string::npos);
                    }}});

    {
        const Qso low = qso("HA1AA", "80m", "CW", "015 HA", "HA", 50);
        const Qso high = qso("HA2BB", "40m", "CW", "016 HA", "HA", 51, 7012000);
        const Qso refused = qso("HA3CC", "40m", "RTTY", "017 HA", "HA", 52, 7040000);
        const std::string only80 = kPlainHead + plainRow("80m", 1, 2, 0, 1, 0, 1, 0);
        all.push_back(
            {"ABandRowLeavesWithTheLastQsoOnIt",
             {reset(), add(low, 1), add(high, 1), add(refused, 0), remove(high),
              // The refused QSO is still in the log, and a rescore shows its band.
              expectResult(2, only80 + plainRow("40m", 0, 0, 0, 0, 0, 0, 0) +
                                  plainEnd(1, 2, 0, 1, 0, 1, 0, 0, 1, 2)),
              remove(refused), expectResult(2, only80 + plainEnd(1, 2, 0, 1, 0, 1, 0, 0, 0, 2))}});
    }

    all.push_back({"HostVersionChangesTheRefusal",
                   {write("Vexa2.ini", "[Main]\r\nVexa=2.20\r\n"), reset(),
                    expectCheckCall("W1AW", "20m", "CW", 1),
                    expectCheckCall("W1AW", "80m", "RTTY", 1),
                    write("Vexa2.ini", "[Main]\r\nVexa=2.18\r\n"), reset(),
                    expectCheckCall("W1AW", "20m", "CW", 4),
                    [](PluginHost &h) {
                        EXPECT_EQ(h.checkCall("W1AW", "CW", std::string("80m"),
                                              std::string("40m")),
                                  4);
                        EXPECT_EQ(h.checkCall("W1AW", "CW", std::string("80m"),
                                              std::string("80M")),
                                  2);
                        EXPECT_EQ(h.checkCall("W1AW", "CW", std::string("80m"), std::nullopt),
                                  2);
                        EXPECT_EQ(h.checkCall("W1AW", "CW", std::nullopt, std::nullopt), 4);
                    }}});

    all.push_back({"ExchangeFields",
                   {expectExchange("599", 0, 0), expectExchange("599", 1, 0),
                    expectExchange("059", 0, 1), expectExchange("12AB", 0, 0),
                    expectExchange("0123", 0, 0), expectExchange("BZ", 1, 1),
                    expectExchange("XF", 1, 1), expectExchange("ab", 1, 0),
                    expectExchange("B1", 1, 0), expectExchange("BZ", 2, 0),
                    // Number and code together lock the code field...
                    expectExchange("012ab", 0, 1), expectExchange("BZ", 1, 0),
                    // ...until a plain number is typed again,
                    expectExchange("013", 0, 1), expectExchange("BZ", 1, 1),
                    expectExchange("014CD", 0, 1),
                    // or a new log is opened.
                    reset(), expectExchange("BZ", 1, 1)}});

    {
        const Qso upper = qso("HA1AA", "80M", "CW", "015 HA", "HA", 50);
        const Qso lower = qso("HA1AA", "80m", "CW", "016 HA", "HA", 51);
        const Qso digi = qso("YO7AA", "40m", "BPSK63", "017 DJ", "YO", 52, 7040000);
        all.push_back(
            {"BandTextsKeepTheirSpelling",
             {reset(), add(upper, 1), add(lower, 1), add(digi, 1),
              expectFile(kBadFile, kHeader),
              // Each spelling is a row of its own, sorted by its padded name.
              expectResult(18, kPlainHead + plainRow("80m", 1, 2, 0, 1, 0, 1, 0) +
                                   plainRow("80M", 1, 2, 0, 1, 0, 1, 0) +
                                   plainRow("40m", 1, 2, 1, 0, 1, 0, 0) +
                                   plainEnd(3, 6, 1, 2, 1, 2, 0, 0, 0, 18))}});
    }

    all.push_back(
        {"HtmlSummaryEscapesHostTexts",
         {[](PluginHost &h) {
              EXPECT_EQ(h.setVersion("x"), 0u);
              EXPECT_EQ(h.reset("./", 0, "<A&B>", host::makeDateTime(2017, 2, 5, 12, 0),
                                host::makeDateTime(2017, 2, 5, 20, 0), "DL"),
                        1);
          },
          add(qso("YO9AA", "80m", "CW", "002 XB", "YO", 5), 1),
          expectResult(
              4,
              std::string("<html><head><style>table{ width:100%; }table, th, td{ border: 1px "
                          "solid black; border-collapse: collapse; }th, td{ padding: 1px; "
                          "text-align: middle; }th,td{ background-color: #fffac6; color: "
                          "black}</style></head><body>") +
                  "<center><b>   MORVANTIA CONTEST 05.02.2017</b></center><center>Contestant: "
                  " <b>&lt;A&amp;B&gt;</center></b><table>" +
                  "<tr><th> Band</th><th> QSOs</th><th> Points</th><th> County</th><th> "
                  "Country</th><th> DIGI</th><th> CW</th><th> SSB</th></tr>" +
                  "<tr><th> <center>80m</center></th><td><center>1</center></td><td><center>"
                  "4</center></td><td><center>1</center></td><td><center>0</center></td><td>"
                  "<center>0</center></td><td><center>1</center></td><td><center>0</center>"
                  "</td></tr>" +
                  "<tr><th> <center>Total</center></th><td><center>1</center></td><td><center>"
                  "4</center></td><td><center>1</center></td><td><center>0</center></td><td>"
                  "<center>0</center></td><td><center>1</center></td><td><center>0</center>"
                  "</td></tr>" +
                  "<tr><th> <center>Dupe</center></th><td><center>0</center></td><td "
                  "colspan=8> </td></tr>" +
                  "<tr><th> <center>Bad QSO</center></th><td><center>0</center></td><td "
                  "colspan=8> </td></tr>" +
                  "<tr><th>Score:</th><td colspan=9><center>4 * (1 + 0) = 4</center></td>"
                  "</tr></table></body></html>")}});

    all.push_back(
        {"NullArgumentsNeverCrash",
         {[](PluginHost &h) {
             const host::EntryPoints &ep = h.entryPoints();
             EXPECT_EQ(ep.resetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                                      nullptr, nullptr),
                       1);
             EXPECT_EQ(ep.addData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                                   0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                                   nullptr, nullptr, nullptr, nullptr),
                       0);
             EXPECT_EQ(ep.removeData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0,
                                      nullptr, nullptr, nullptr, nullptr, nullptr),
                       1);
             EXPECT_EQ(ep.checkCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
                       4);
             EXPECT_EQ(ep.isValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0), 0);
             const char *text = ep.getResult0(nullptr);
             ASSERT_NE(text, nullptr);
             EXPECT_NE(std::string(text).find("Score:"), std::string::npos);
             // A null contest end formats as empty text.
             EXPECT_TRUE(testing_support::fileExists("BadQSO_StatsMorvantia_.txt"));
         }}});

    all.push_back(runningSummaryEqualsRescore());
    return all;
}

}  // namespace

const std::vector<Scenario> &allScenarios() {
    static const std::vector<Scenario> scenarios = buildScenarios();
    return scenarios;
}

}  // namespace scenario
