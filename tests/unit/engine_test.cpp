// The engine driven directly, for what the entry points cannot show: its
// state, and what it asks of the companion windows and the Cabrillo export.
#include "engine/engine.h"

#include "engine/contest_rules.h"

#include "host/plugin_host.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "tests/support/work_dir.h"
#include "tests/unit/engine_args.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace engine {
namespace {

using testing_support::readFile;

class FakeUi : public CompanionUi {
public:
    bool isRunning() const override { return running; }
    void start() override {
        ++starts;
        running = true;
    }
    bool stop() override {
        ++stops;
        running = false;
        return true;
    }
    void postRefresh() override { ++refreshPosts; }
    void resetCountyWindow() override { ++countyResets; }

    bool running = false;
    int starts = 0;
    int stops = 0;
    int refreshPosts = 0;
    int countyResets = 0;
};

class FakeCabrillo : public CabrilloExport {
public:
    int editStationDetails(const std::string &callsign, const OleTime &start,
                           const OleTime &end) override {
        edits.push_back(callsign);
        startValue = start.value;
        endValue = end.value;
        // The marker is written after this step, whatever it returns.
        startMarkerDuringEdit = platform::readProfileString("Settings", "Start", "",
                                                            kPluginIni);
        return 0;
    }
    void addQsoLine(const CabrilloQso &qso) override { lines.push_back(qso); }
    std::optional<Outcome> writeLog(int claimed, const std::string &version) override {
        claimedScore = claimed;
        hostVersion = version;
        return Outcome{written, written ? "File produced: YO3AAA.cbr"
                                        : "File could not be written: YO3AAA.cbr"};
    }

    bool written = true;

    std::vector<std::string> edits;
    double startValue = 0;
    double endValue = 0;
    std::string startMarkerDuringEdit;
    std::vector<CabrilloQso> lines;
    int claimedScore = -1;
    std::string hostVersion;
};

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.setCompanionUi(&ui);
        engine.setCabrilloExport(&cabrillo);
    }
    CInfo record(int index) {
        return engine.withState([&](EngineState &s) { return s.store.GetAt(index); });
    }
    int storeSize() {
        return engine.withState([](EngineState &s) { return s.store.GetSize(); });
    }

    testing_support::WorkDir dir;
    FakeUi ui;
    FakeCabrillo cabrillo;
    Engine engine;
};

TEST_F(EngineTest, ResetTakesDatesCodeAndRows) {
    platform::writeProfileString("Settings", "My_Country", "BU", kPluginIni);
    engine.withState([](EngineState &s) {
        s.previousQsoRows[2] = {"keep"};
        s.previousQsoRows[0] = {"x"};
    });
    engine.resetStats(resetArgs());
    engine.withState([](EngineState &s) {
        EXPECT_EQ(s.contestYear, "2017");
        EXPECT_EQ(s.contestDate, "05.03.2017");
        EXPECT_EQ(s.badQsoFileName, "BadQSO_StatsMorvantia_05_03_2017.txt");
        EXPECT_EQ(s.myCode, "BU");
        EXPECT_EQ(s.hostVersion, "Vexa");
        EXPECT_EQ(s.contestant, "YO3AAA");
        EXPECT_EQ(s.previousQsoRows[0], (TextArray{"80m", "-", "-", "-", "-", "-"}));
        EXPECT_EQ(s.previousQsoRows[1], (TextArray{"40m", "-", "-", "-", "-", "-"}));
        EXPECT_EQ(s.previousQsoRows[2], (TextArray{"keep"}));
    });
}

TEST_F(EngineTest, HostVersionLineDropsItsFirstFiveCharacters) {
    testing_support::writeFile("Vexa2.ini", "[x]\r\n Vexa=2.19\r\nVexa=2.30\r\n");
    engine.resetStats(resetArgs());
    engine.withState([](EngineState &s) { EXPECT_EQ(s.hostVersion, "=2.19"); });
    // A version file without the key keeps the version found before.
    testing_support::writeFile("Vexa2.ini", "[x]\r\nother=1\r\n");
    engine.resetStats(resetArgs());
    engine.withState([](EngineState &s) { EXPECT_EQ(s.hostVersion, "=2.19"); });
}

TEST_F(EngineTest, RussianTextsStayOnceChosen) {
    engine.resetStats(resetArgs(0, "UA2/f"));
    engine.withState([](EngineState &s) { EXPECT_TRUE(s.russianUi); });
    engine.resetStats(resetArgs(0, "DL"));
    engine.withState([](EngineState &s) { EXPECT_TRUE(s.russianUi); });
}

TEST_F(EngineTest, UiThreadStartsOnAlternateResetsOnly) {
    engine.resetStats(resetArgs());
    EXPECT_EQ(ui.starts, 1);
    EXPECT_EQ(platform::readProfileString("Settings", "Start", "", kPluginIni), "1");
    // While the window runs, a reset neither starts nor touches the marker.
    platform::writeProfileString("Settings", "Start", "0", kPluginIni);
    engine.resetStats(resetArgs());
    EXPECT_EQ(ui.starts, 1);
    EXPECT_EQ(platform::readProfileString("Settings", "Start", "", kPluginIni), "0");
    ui.running = false;
    engine.resetStats(resetArgs());
    EXPECT_EQ(ui.starts, 2);
}

TEST_F(EngineTest, OldHostVersionsNeverGetTheWindows) {
    for (const char *version : {"2.14R", "2.16", "2.18"}) {
        testing_support::writeFile("Vexa2.ini", std::string("Vexa=") + version + "\r\n");
        platform::writeProfileString("Settings", "Start", "0", kPluginIni);
        engine.resetStats(resetArgs());
        EXPECT_EQ(ui.starts, 0) << version;
        EXPECT_EQ(platform::readProfileString("Settings", "Start", "", kPluginIni), "1");
    }
    testing_support::writeFile("Vexa2.ini", "Vexa=2.14r\r\n");
    platform::writeProfileString("Settings", "Start", "0", kPluginIni);
    engine.resetStats(resetArgs());
    EXPECT_EQ(ui.starts, 1);
}

TEST_F(EngineTest, ExportRequestRunsStationDetailsAndBlocksTheWindows) {
    engine.resetStats(resetArgs(1));
    ASSERT_EQ(cabrillo.edits, (std::vector<std::string>{"YO3AAA"}));
    EXPECT_EQ(cabrillo.startValue, host::makeDateTime(2017, 3, 4, 12, 0).value);
    EXPECT_EQ(cabrillo.endValue, host::makeDateTime(2017, 3, 5, 12, 0).value);
    EXPECT_EQ(cabrillo.startMarkerDuringEdit, "");
    // "Start" = 1 after the step, so step 10 only clears it.
    EXPECT_EQ(ui.starts, 0);
    EXPECT_EQ(platform::readProfileString("Settings", "Start", "", kPluginIni), "0");
}

TEST_F(EngineTest, ExportWritesEveryStoredQsoAndReportsMinusOne) {
    std::vector<std::string> messages;
    platform::setMessageSink([&](const std::string &text, const std::string &caption,
                                 platform::MessageIcon icon) {
        messages.push_back(caption + "|" + text +
                           (icon == platform::MessageIcon::Information ? "|i" : ""));
    });
    engine.resetStats(resetArgs(1));
    engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "002AB", "YO"));
    engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "002AB", "YO", 6));  // dupe
    engine.addData(qsoArgs("DL1AA", "40m", "BPSK125", "003 DL", "DL"));
    int score = 0;
    const char *text = engine.getResult(&score);
    platform::setMessageSink(nullptr);

    EXPECT_EQ(score, -1);
    EXPECT_NE(std::string(text).find("Score:"), std::string::npos);
    EXPECT_EQ(messages, (std::vector<std::string>{"Output|File produced: YO3AAA.cbr|i"}));
    ASSERT_EQ(cabrillo.lines.size(), 3u);
    EXPECT_EQ(cabrillo.lines[0].mode, "CW");
    EXPECT_EQ(cabrillo.lines[0].freqKHz, 3512);
    EXPECT_EQ(cabrillo.lines[0].exchReceived, "002 AB");
    EXPECT_EQ(cabrillo.lines[0].exchSent, "001 ");
    EXPECT_EQ(cabrillo.lines[2].mode, "PK");
    EXPECT_EQ(cabrillo.claimedScore, (1 + 1) * 4);
    EXPECT_EQ(platform::readProfileString("Settings", "Claimed", "", kPluginIni), "8");
}

TEST_F(EngineTest, AFailedExportKeepsTheScore) {
    std::vector<std::string> messages;
    platform::setMessageSink([&](const std::string &text, const std::string &,
                                 platform::MessageIcon) { messages.push_back(text); });
    cabrillo.written = false;
    engine.resetStats(resetArgs(1));
    engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "002AB", "YO"));
    int score = 0;
    engine.getResult(&score);
    platform::setMessageSink(nullptr);
    EXPECT_EQ(score, 2);
    EXPECT_EQ(messages, (std::vector<std::string>{"File could not be written: YO3AAA.cbr"}));
}

TEST_F(EngineTest, IntakeFillsTheRecord) {
    platform::writeProfileString("Settings", "My_Country", "BU", kPluginIni);
    engine.resetStats(resetArgs());
    ASSERT_EQ(engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "012ab", "YO")), 1);
    ASSERT_EQ(engine.addData(qsoArgs("OK1XY", "40m", "SSB", "013 ok", "OK")), 1);
    ASSERT_EQ(engine.addData(qsoArgs("YO8XY", "40m", "SSB", "014 b", "YO")), 1);
    ASSERT_EQ(storeSize(), 3);

    const CInfo yo = record(0);
    EXPECT_EQ(yo.exchReceived, "012 ab");
    EXPECT_EQ(yo.county, "AB");
    EXPECT_EQ(yo.countryCode, "");
    EXPECT_EQ(yo.exchSent, "001 BU");
    EXPECT_EQ(yo.freqKHz, 3512);
    EXPECT_EQ(yo.rstReceived, "579");
    EXPECT_EQ(yo.excluded + yo.badQso + yo.dupe, 0);

    const CInfo ok = record(1);
    EXPECT_EQ(ok.exchReceived, "013 ok");
    EXPECT_EQ(ok.countryCode, "ok");
    EXPECT_EQ(ok.county, "");

    // " b" upper-cased and trimmed is "B": not a county.
    const CInfo short_ = record(2);
    EXPECT_EQ(short_.county, "");
    EXPECT_EQ(short_.badQso, 1);
    EXPECT_EQ(short_.excluded, 1);
}

TEST_F(EngineTest, ShortReceivedExchangesStandWhole) {
    engine.resetStats(resetArgs());
    engine.addData(qsoArgs("DL1", "80m", "CW", "7", "DL"));
    engine.addData(qsoArgs("DL2", "80m", "CW", " 12AB", "DL"));
    EXPECT_EQ(record(0).exchReceived, "7 7");
    EXPECT_EQ(record(0).countryCode, "7");
    EXPECT_EQ(record(1).exchReceived, " 12 AB");
}

TEST_F(EngineTest, WorkedBandsGrowBeforeTheModeCheck) {
    engine.resetStats(resetArgs());
    engine.addData(qsoArgs("DL1", "80M", "RTTY", "001 DL", "DL"));
    engine.addData(qsoArgs("DL1", "80m", "cw", "001 DL", "DL"));
    engine.addData(qsoArgs("DL1", "20m", "CW", "001 DL", "DL"));
    engine.withState([](EngineState &s) {
        EXPECT_EQ(s.workedBands, (TextArray{"80M", "80m"}));
        EXPECT_EQ(s.store.GetSize(), 1);
    });
}

TEST_F(EngineTest, RefreshIsPostedOncePerRequest) {
    ui.running = true;
    CheckCallArgs args;
    args.call = "W1AW";
    args.mode = "CW";
    args.band = "80m";
    engine.checkCall(args);
    engine.checkCall(args);
    EXPECT_EQ(ui.refreshPosts, 1);
    engine.removeData(qsoArgs("W1AW", "80m", "CW", "", "K"));
    EXPECT_EQ(ui.refreshPosts, 2);  // the removal posts at once...
    engine.checkCall(args);
    EXPECT_EQ(ui.refreshPosts, 3);  // ...and leaves a request pending
    engine.checkCall(args);
    EXPECT_EQ(ui.refreshPosts, 3);
}

TEST_F(EngineTest, NoRefreshWithoutTheSetupWindow) {
    CheckCallArgs args;
    args.call = "W1AW";
    args.mode = "CW";
    args.band = "80m";
    engine.checkCall(args);
    engine.removeData(qsoArgs("W1AW", "80m", "CW", "", "K"));
    EXPECT_EQ(ui.refreshPosts, 0);
    ui.running = true;
    engine.checkCall(args);
    EXPECT_EQ(ui.refreshPosts, 1);
}

TEST_F(EngineTest, RemovingARomanianQsoResetsTheCountyWindow) {
    engine.resetStats(resetArgs());
    engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "012 AB", "YO"));
    engine.addData(qsoArgs("DL1AA", "80m", "CW", "013 DL", "DL"));
    engine.removeData(qsoArgs("DL1AA", "80m", "CW", "013 DL", "DL"));
    EXPECT_EQ(ui.countyResets, 0);
    engine.removeData(qsoArgs("YO9ZZ", "80m", "CW", "012 AB", "YO", 59));  // other time
    EXPECT_EQ(ui.countyResets, 0);
    engine.removeData(qsoArgs("YO9ZZ", "80m", "CW", "012 AB", "YO"));
    EXPECT_EQ(ui.countyResets, 1);
    EXPECT_EQ(storeSize(), 0);
}

TEST_F(EngineTest, MultiplierListsFollowScoringAndEmptyWithTheLog) {
    engine.resetStats(resetArgs());
    engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "012 AB", "YO"));
    engine.addData(qsoArgs("YO8ZZ", "80M", "CW", "012 XA", "YO"));
    engine.addData(qsoArgs("YO7ZZ", "80m", "CW", "012 AB", "YO"));
    engine.addData(qsoArgs("YO6ZZ", "40m", "BPSK31", "012 CT", "YO"));
    int score = 0;
    engine.getResult(&score);
    engine.withState([](EngineState &s) {
        // Both spellings of 80 m feed row 0, each county once.
        EXPECT_EQ(s.multipliers[0][kCw], (TextArray{"AB", "XA"}));
        EXPECT_EQ(s.multipliers[1][kDigi], (TextArray{"CT"}));
        EXPECT_TRUE(s.multipliers[0][kSsb].empty());
    });
    for (const char *call : {"YO9ZZ", "YO7ZZ"})
        engine.removeData(qsoArgs(call, "80m", "CW", "", "YO"));
    engine.removeData(qsoArgs("YO8ZZ", "80M", "CW", "", "YO"));
    engine.withState([](EngineState &s) { EXPECT_FALSE(s.multipliers[1][kDigi].empty()); });
    engine.removeData(qsoArgs("YO6ZZ", "40m", "BPSK31", "", "YO"));
    engine.withState([](EngineState &s) {
        EXPECT_TRUE(s.multipliers[0][kCw].empty());
        EXPECT_TRUE(s.multipliers[1][kDigi].empty());
        EXPECT_TRUE(s.workedBands.empty());
    });
}

TEST_F(EngineTest, LowerCaseModesCountInTheirClass) {
    engine.resetStats(resetArgs());
    engine.addData(qsoArgs("YO9ZZ", "80m", "cw", "012 AB", "YO"));
    engine.addData(qsoArgs("YO8ZZ", "80m", "bpsk31", "012 AB", "YO"));
    int score = 0;
    const std::string summary = engine.getResult(&score);
    EXPECT_NE(summary.find("80m\t 2\t 4\t 2\t 0\t 1\t 1\t 0\r\n"), std::string::npos) << summary;
    EXPECT_EQ(score, 8);
}

TEST_F(EngineTest, BadQsoCountNeverGoesNegative) {
    engine.resetStats(resetArgs());
    auto q = qsoArgs("DL1AA", "80m", "CW", "013 DL", "DL");
    for (int i = 0; i < 4; ++i) engine.addData(q);  // 3 dupes, 1+2+3 lines
    testing_support::writeFile("BadQSO_StatsMorvantia_05_03_2017.txt", "x\r\n");
    int score = 0;
    std::string summary = engine.getResult(&score);
    EXPECT_NE(summary.find("Dupe\t 3\r\nBad QSO\t 0\r\n"), std::string::npos);
    testing_support::writeFile("BadQSO_StatsMorvantia_05_03_2017.txt",
                               "h\r\n1\r\n2\r\n3\r\nlast without line end");
    // Every line after the header that is no DUPE line is one bad QSO.
    summary = engine.getResult(&score);
    EXPECT_NE(summary.find("Dupe\t 3\r\nBad QSO\t 4\r\n"), std::string::npos);
    platform::removeFile("BadQSO_StatsMorvantia_05_03_2017.txt");
    summary = engine.getResult(&score);
    EXPECT_NE(summary.find("Bad QSO\t 0\r\n"), std::string::npos);
}

TEST_F(EngineTest, BadQsoCountFollowsAnEditMadeBetweenTwoAppends) {
    const char *const kBad = "BadQSO_StatsMorvantia_05_03_2017.txt";
    engine.resetStats(resetArgs());
    engine.addData(qsoArgs("DL1AA", "20m", "CW", "013 DL", "DL"));
    int score = 0;
    EXPECT_NE(std::string(engine.getResult(&score)).find("Bad QSO\t 1\r\n"), std::string::npos);
    // The operator empties the file; the engine's next append lands on it.
    testing_support::writeFile(kBad, "MORVANTIA CONTEST UBN file \r\n");
    engine.addData(qsoArgs("DL2BB", "20m", "CW", "014 DL", "DL"));
    EXPECT_NE(std::string(engine.getResult(&score)).find("Bad QSO\t 1\r\n"), std::string::npos);
    // A removal that drops nothing leaves the file's bytes, and its count.
    engine.removeData(qsoArgs("OK1CC", "80m", "CW", "015 OK", "OK"));
    engine.addData(qsoArgs("DL3CC", "20m", "CW", "016 DL", "DL"));
    EXPECT_NE(std::string(engine.getResult(&score)).find("Bad QSO\t 2\r\n"), std::string::npos);
}

// A log of several thousand QSOs, scored as it grows and after removals,
// against a fresh engine given only what remains: results kept between calls
// must never differ from a rescore.
TEST_F(EngineTest, ABigLogScoresAsItsRescoreThroughAddsAndRemovals) {
    const char *const kBands[] = {"80m", "40m", "80M"};
    const char *const kModes[] = {"CW", "SSB", "BPSK31", "cw"};
    const char *const kCodes[] = {"AB", "XA", "BU", "QQ", "XF", "CT"};
    std::vector<QsoArgs> log;
    unsigned pick = 7;
    auto next = [&pick](unsigned n) {
        pick = pick * 1103515245u + 12345u;
        return (pick >> 8) % n;
    };
    for (int i = 0; i < 4000; ++i) {
        const bool romanian = next(2) == 0;
        const std::string call = (romanian ? "YO" : "DL") + std::to_string(next(300));
        const std::string code = romanian ? kCodes[next(6)] : std::string(1, 'A' + next(20)) + "Z";
        log.push_back(qsoArgs(call, kBands[next(3)], kModes[next(4)],
                              std::to_string(100 + i % 900) + " " + code, romanian ? "YO" : "DL",
                              i % 60));
        log.back().time.value += i;
    }
    engine.resetStats(resetArgs());
    int score = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
        engine.addData(log[i]);
        if (i % 700 == 0) engine.getResult(&score);
    }
    for (int k = 0; k < 600; ++k) {
        const std::size_t gone = next(static_cast<unsigned>(log.size()));
        engine.removeData(log[gone]);
        log.erase(log.begin() + static_cast<std::ptrdiff_t>(gone));
        if (k % 150 == 0) engine.getResult(&score);
    }
    const std::string running = engine.getResult(&score);
    const MultiplierLists lists = engine.withState([](EngineState &s) { return s.multipliers; });

    Engine rescore;
    rescore.resetStats(resetArgs());
    for (const QsoArgs &q : log) rescore.addData(q);
    int rescored = 0;
    // Minutes repeat in so big a log, and a removal takes the bad-QSO lines
    // of its call at its minute: the bad-QSO count is left out here.
    auto withoutBadCount = [](std::string summary) {
        const std::size_t at = summary.find("Bad QSO");
        return summary.erase(at, summary.find('\n', at) - at);
    };
    EXPECT_EQ(withoutBadCount(running), withoutBadCount(rescore.getResult(&rescored)));
    EXPECT_EQ(score, rescored);
    EXPECT_EQ(lists, rescore.withState([](EngineState &s) { return s.multipliers; }));
}

TEST_F(EngineTest, ConcurrentReadersSeeAConsistentStore) {
    engine.resetStats(resetArgs());
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) {
            engine.withState([](EngineState &s) {
                for (const CInfo &r : s.store.records()) ASSERT_FALSE(r.call.empty());
                for (const auto &row : s.multipliers)
                    for (const auto &list : row) (void)list.size();
            });
        }
    });
    int score = 0;
    for (int i = 0; i < 300; ++i) {
        engine.addData(qsoArgs("YO" + std::to_string(i), i % 2 ? "80m" : "40m", "CW",
                               "012 AB", "YO", i % 60));
        if (i % 50 == 0) engine.getResult(&score);
        if (i % 70 == 0) engine.removeData(qsoArgs("YO" + std::to_string(i - 1), "80m", "CW",
                                                   "", "YO", (i - 1) % 60));
    }
    done = true;
    reader.join();
}

}  // namespace
}  // namespace engine
