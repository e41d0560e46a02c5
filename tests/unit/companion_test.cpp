// The companion windows' decisions, without a window: what a refresh writes
// into the previous-QSO rows, when "<SP1>" is due, band rows and mode
// classes, the county tracker's marks, the mode macros, captions and the
// own-code input.
#include "windows/companion_texts.h"
#include "windows/county_marks.h"
#include "windows/mode_macros.h"
#include "windows/refresh.h"
#include "windows/window_position.h"

#include "engine/engine.h"
#include "host/plugin_host.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace companion {
namespace {

using engine::TextArray;

engine::CInfo qso(const std::string &call, const std::string &band, const std::string &mode,
                  int hour, int minute, const std::string &prefix, const std::string &exchange,
                  const std::string &county = std::string()) {
    engine::CInfo r;
    r.call = call;
    r.band = band;
    r.mode = mode;
    r.countryPrefix = prefix;
    r.exchReceived = exchange;
    r.county = county;
    const HostDateTime time = host::makeDateTime(2017, 2, 5, hour, minute);
    r.time = engine::OleTime::from(&time);
    return r;
}

class Refresh : public ::testing::Test {
protected:
    void SetUp() override {
        state.previousQsoRows[0] = {"80m", "-", "-", "-", "-", "-"};
        state.previousQsoRows[1] = {"40m", "-", "-", "-", "-", "-"};
        state.refreshPending = false;
        for (const engine::CInfo &r :
             {qso("YO9ZZ", "40m", "CW", 10, 5, "YO", "002 CT", "CT"),
              qso("DL1AA", "80m", "SSB", 10, 6, "DL", "003 DL"),
              qso("YO9ZZ", "40m", "BPSK63", 11, 30, "YO", "017 CT", "CT"),
              qso("YO9ZZ", "80m", "SSB", 9, 0, "YO", "001 XX")})  // a bad QSO: no county
            state.store.Add(r);
        state.multipliers[0][0] = {"CT", "IS"};
    }
    RefreshPlan run(const std::string &call, double hertz = 3510000, const std::string &mode = "CW",
                    bool previousOpen = true, bool countyOpen = true) {
        HostReading reading;
        reading.mode = mode;
        reading.call = call;
        if (!isCallFragment(call)) reading.frequencyHz = hertz;
        return planRefresh(state, refresh, reading, previousOpen, countyOpen);
    }

    engine::EngineState state;
    RefreshState refresh;
};

TEST_F(Refresh, WorkedCallFillsEachBandWithTheLastTimePerModeClassAndWhatItSent) {
    const RefreshPlan plan = run("YO9ZZ");
    EXPECT_EQ(state.previousQsoRows[1], (TextArray{"40m", "10:05", "   -", "11:30", "CT", "   -"}));
    // A Romanian station without a valid county shows its empty county.
    EXPECT_EQ(state.previousQsoRows[0], (TextArray{"80m", "      -", "09:00", "   -", "", "   -"}));
    EXPECT_EQ(plan.caption, CaptionChange::WorkedWith);
    EXPECT_EQ(refresh.currentCall, "YO9ZZ");
    EXPECT_TRUE(state.refreshPending);
    // Anybody else shows the exchange received.
    run("DL1AA");
    EXPECT_EQ(state.previousQsoRows[0][4], "003 DL");
    EXPECT_EQ(state.previousQsoRows[1], (TextArray{"40m", "      -", "   -", "   -", "   -", "   -"}));
}

TEST_F(Refresh, EmptyCallClearsTheTableButStillFollowsFrequencyAndCounties) {
    run("YO9ZZ");
    const RefreshPlan plan = run("", 7012000);
    EXPECT_EQ(state.previousQsoRows[1], (TextArray{"40m", "      -", "   -", "   -", "   -", "   -"}));
    EXPECT_EQ(plan.caption, CaptionChange::Reopened);
    EXPECT_TRUE(plan.contestBand);
    EXPECT_EQ(plan.bandRow, 1);
    EXPECT_TRUE(plan.countyPass);
}

TEST_F(Refresh, OneOrTwoCharacterCallsOnlyAskForTheNextRefresh) {
    run("YO9ZZ", 3510000);
    const TextArray before = state.previousQsoRows[1];
    for (const char *fragment : {"Y", "YO"}) {
        state.refreshPending = false;
        const RefreshPlan plan = run(fragment, 7012000);
        EXPECT_TRUE(plan.callFragment);
        EXPECT_FALSE(plan.sendSp1);
        EXPECT_TRUE(state.refreshPending);
        EXPECT_EQ(state.previousQsoRows[1], before);
        EXPECT_EQ(refresh.currentBandRow, 0);  // the last complete refresh's
    }
}

TEST_F(Refresh, Sp1IsDueBeyond300HzAndTheBandComesFromWholeMegahertz) {
    struct Step {
        double hertz;
        bool sp1;
        int bandRow;
    };
    const Step steps[] = {
        {3510000, true, 0},     // the first refresh always sends it
        {3510250, false, 0},    {3510300, false, 0}, {3510400, true, 0},
        {7000000, true, 1},     {7999999, true, 1},  {14025000, true, -1},
        {14025100, false, -1},  {NAN, false, -1},    {3999999.9, true, 0},
    };
    for (const Step &step : steps) {
        const RefreshPlan plan = run("DL1AA", step.hertz);
        EXPECT_EQ(plan.sendSp1, step.sp1) << step.hertz;
        EXPECT_EQ(plan.bandRow, step.bandRow) << step.hertz;
        EXPECT_EQ(plan.contestBand, step.bandRow >= 0) << step.hertz;
    }
    // Outside the contest bands the highlighted row stays the last band's.
    EXPECT_EQ(refresh.currentBandRow, 0);
}

TEST_F(Refresh, ModeClassesAndTheCountyPass) {
    struct Case {
        const char *mode;
        int modeClass;
        const char *text;
        bool countyPass;
    };
    const Case cases[] = {
        {"CW", 0, "CW", true},         {"SSB", 1, "SSB", true},
        {"BPSK31", 2, "DIGI", true},   {"BPSK63", 2, "DIGI", true},
        {"BPSK125", 2, "DIGI", true},  {"cw", 0, "CW", true},  // case ignored, as everywhere
        {"RTTY", -1, "RTTY", false},
    };
    for (const Case &c : cases) {
        const RefreshPlan plan = run("DL1AA", 3510000, c.mode);
        EXPECT_EQ(plan.modeClass, c.modeClass) << c.mode;
        EXPECT_EQ(plan.modeText, c.text) << c.mode;
        EXPECT_EQ(plan.countyPass, c.countyPass) << c.mode;
    }
    const RefreshPlan plan = run("DL1AA", 3510000, "CW");
    EXPECT_EQ(plan.counties, (TextArray{"CT", "IS"}));
    EXPECT_FALSE(run("DL1AA", 3510000, "CW", true, false).countyPass);
    EXPECT_FALSE(run("DL1AA", 3510000, "CW", false, true).repaintTable);
}

TEST_F(Refresh, RowsThatNoResetFilledGetTheirBandNames) {
    state.previousQsoRows[0].clear();
    state.previousQsoRows[1].clear();
    run("YO9ZZ");
    EXPECT_EQ(state.previousQsoRows[0].size(), 6u);
    EXPECT_EQ(state.previousQsoRows[0][0], "80m");
    EXPECT_EQ(state.previousQsoRows[1][3], "11:30");
}

TEST(CountyMarks, MarkExactCodesAndResetWhenBandOrModeChanges) {
    TrackerPosition position;
    CountyMarks marks;
    const auto &counties = trackerCounties();
    auto marked = [&] {
        std::string codes;
        for (int i = 0; i < kTrackerCounties; ++i)
            if (marks.marks()[static_cast<std::size_t>(i)]) codes += counties[static_cast<std::size_t>(i)].code;
        return codes;
    };
    EXPECT_TRUE(marks.show(position, 0, 0, {"CT", "IS", "ct", "CN"}));
    EXPECT_EQ(marked(), "CTIS");
    EXPECT_FALSE(marks.show(position, 0, 0, {"AB"}));
    EXPECT_EQ(marked(), "ABCTIS");
    // 80 m SSB: every mark goes before the SSB counties are marked.
    EXPECT_TRUE(marks.show(position, 0, 1, {"XF"}));
    EXPECT_EQ(marked(), "XF");
    // After a removal's reset the same band and mode marks again, no reset.
    marks.reset();
    EXPECT_FALSE(marks.show(position, 0, 1, {"VN"}));
    EXPECT_EQ(marked(), "VN");
    // An empty list leaves the tracker where it was: the next pass resets.
    EXPECT_TRUE(marks.show(position, 1, 2, {}));
    EXPECT_EQ(position.bandRow, 0);
    EXPECT_TRUE(marks.show(position, 1, 2, {"BU"}));
    EXPECT_EQ(marked(), "BU");
}

TEST(ModeMacros, ClickAndOpeningMacrosPerMode) {
    const auto &buttons = modeButtons();
    ASSERT_EQ(buttons.size(), 5u);
    EXPECT_EQ(buttons[0].clickMacros, (std::vector<std::string>{"<MODE:CW>"}));
    EXPECT_EQ(buttons[0].openingMacros, (std::vector<std::string>{"<MODE:CW>", "<BAUDRATE:27>"}));
    EXPECT_EQ(buttons[3].clickMacros, (std::vector<std::string>{"<MODE:BPSK31>", "<BAUDRATE:63>"}));
    struct Case {
        const char *ini;
        std::optional<int> mode;
    };
    const Case cases[] = {{"", 0},        {"CW", 0},         {"SSB", 1},
                          {"BPSK125", 4}, {"bpsk63", std::nullopt}, {"RTTY", std::nullopt}};
    for (const Case &c : cases) EXPECT_EQ(openingMode(c.ini), c.mode) << c.ini;
    EXPECT_EQ(modeOfControl(buttons[2].controlId), 2);
    EXPECT_EQ(modeOfControl(999), std::nullopt);
}

TEST(CompanionTexts, CaptionsInBothLanguages) {
    struct Case {
        std::string actual;
        const char *expected;
    };
    const Case cases[] = {
        {setupCaption(false, "2017"), "Setup Morvantia-2017"},
        {setupCaption(true, "2017"), "Установки Morvantia-2017"},
        {previousQsoCaption(PreviousQsoCaption::Opened, false, "2017"), "Morvantia-2017 Previous, QSO"},
        {previousQsoCaption(PreviousQsoCaption::Reopened, false, "2017"), "Morvantia-2017 Previous QSO"},
        {previousQsoCaption(PreviousQsoCaption::Opened, true, "2017"), "Morvantia-2017 Предыдущие QSO"},
        {previousQsoCaption(PreviousQsoCaption::WorkedWith, false, "2017", "YO9ZZ"),
         "Morvantia-2017 worked with YO9ZZ "},
        {previousQsoCaption(PreviousQsoCaption::WorkedWith, true, "2017", "YO9ZZ"),
         "Morvantia-2017 Работал с YO9ZZ"},
        {countyCaption(false, "DIGI", "40m", 12), "YO County - worked DIGI on 40m 12 of 48"},
        {countyCaption(true, "CW", "80m", 0), "YO Графства - отработано CW на 80m 0 из 48"},
    };
    for (const Case &c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(WindowPosition, MissingOrZeroFallsBackAndOnlyChangesAreWritten) {
    const SavedPosition fallback = positionFromIni("0", "");
    EXPECT_EQ(fallback.x, 10);
    EXPECT_EQ(fallback.y, 400);
    SavedPosition saved = positionFromIni("250", "300");
    EXPECT_EQ(saved.x, 250);
    using Writes = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(positionWrites(saved, kPreviousQsoKeys, 250, 300), Writes{});
    EXPECT_EQ(positionWrites(saved, kPreviousQsoKeys, 260, 300), (Writes{{"prev_x", "260"}}));
    // One pair for all three windows: the tracker at the same place writes
    // nothing.
    EXPECT_EQ(positionWrites(saved, kCountyKeys, 260, 300), Writes{});
    EXPECT_EQ(positionWrites(saved, kSetupKeys, -5, 20),
              (Writes{{"setup_x", "-5"}, {"setup_y", "20"}}));
}

TEST(OwnCode, CountyForRomaniansCountryForEverybodyElse) {
    OwnCodeInput yo = ownCodeInput("YO", "", "DL", false);
    EXPECT_TRUE(yo.county);
    EXPECT_EQ(yo.label, "");  // the template's request stays
    EXPECT_EQ(yo.code, "");
    yo = ownCodeInput("YO", "BU", "", true);
    EXPECT_EQ(yo.label, " Your YO County");
    EXPECT_EQ(yo.code, "BU");
    OwnCodeInput dl = ownCodeInput("DL", "BU", "", false);
    EXPECT_FALSE(dl.county);
    EXPECT_FALSE(dl.codeKnown);
    EXPECT_EQ(dl.label, " Input your code Country");
    dl = ownCodeInput("UA", "", "UA", true);
    EXPECT_TRUE(dl.codeKnown);
    EXPECT_EQ(dl.label, " Код вашей страны");
    EXPECT_EQ(dl.code, "UA");
    EXPECT_EQ(ownCodeInput("yo", "", "", true).label, "Введите код вашей страны");
}

// A reset as a Romanian station, for a contest ending 5 February 2017.
void resetContest(engine::Engine &engine) {
    engine::ResetArgs reset;
    reset.hostFolder = "./";
    reset.ownPrefix = "YO";
    const HostDateTime end = host::makeDateTime(2017, 2, 5, 16, 0);
    reset.contestEnd = engine::OleTime::from(&end);
    engine.resetStats(reset);
}

// A QSO stored as "cw" is a CW QSO everywhere: it brings its multiplier to
// the score (a QSO in no mode class brings none, so the score would be 0)
// and its time to the CW cell of the previous-QSO table.
TEST(ModeClassAgreement, ScoreAndPreviousQsoTableBothTakeLowerCaseCwAsCw) {
    testing_support::WorkDir dir;
    engine::Engine engine;
    resetContest(engine);
    engine::QsoArgs q;
    q.call = "DL1AA";
    q.band = "80m";
    q.mode = "cw";
    q.exchSent = "001";
    q.exchReceived = "003 DL";
    q.countryPrefix = "DL";
    const HostDateTime time = host::makeDateTime(2017, 2, 5, 10, 5);
    q.time = engine::OleTime::from(&time);
    engine.addData(q);

    int score = 0;
    engine.getResult(&score);
    EXPECT_GT(score, 0);
    engine.withState([](engine::EngineState &s) {
        RefreshState refresh;
        planRefresh(s, refresh, HostReading{"CW", "DL1AA", 3510000.0}, true, true);
        EXPECT_EQ(s.previousQsoRows[0][1], "10:05");
    });
}

// The host's thread at full speed while the UI thread refreshes: both
// through the engine's one lock (run under ThreadSanitizer too).
TEST(RefreshConcurrency, HostCallsAndRefreshesShareTheEngineSafely) {
    testing_support::WorkDir dir;
    engine::Engine engine;
    resetContest(engine);
    std::atomic<bool> done{false};
    std::thread ui([&] {
        RefreshState refresh;
        HostReading reading{"CW", "YO1Q", 3510000.0};
        while (!done) {
            engine.withState([&](engine::EngineState &s) {
                planRefresh(s, refresh, reading, true, true);
            });
        }
    });
    for (int i = 0; i < 2000; ++i) {
        engine::QsoArgs q;
        q.call = "YO" + std::to_string(i % 7) + "Q";
        q.band = i % 2 ? "80m" : "40m";
        q.mode = "CW";
        q.exchSent = "001";
        q.exchReceived = "012 AB";
        q.countryPrefix = "YO";
        const HostDateTime time = host::makeDateTime(2017, 2, 5, 12, i % 60);
        q.time = engine::OleTime::from(&time);
        engine.addData(q);
        engine::CheckCallArgs check;
        check.call = q.call;
        check.mode = "CW";
        check.band = q.band;
        engine.checkCall(check);
        if (i % 200 == 0) {
            int score = 0;
            engine.getResult(&score);
            engine.removeData(q);
        }
    }
    done = true;
    ui.join();
    engine.withState([](engine::EngineState &s) { EXPECT_GT(s.store.GetSize(), 0); });
}

}  // namespace
}  // namespace companion
