// The companion windows as an operator meets them in the host: the setup
// window started by a reset, its mode buttons talking to the host's
// automation object, the previous-QSO window and the county tracker fed by
// the live refresh, and the UI thread stopped by a restart or an unload.
#include "resources/resource.h"
#include "tests/gui/rig/fake_vexa.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/host_call.h"
#include "tests/gui/rig/plugin_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

namespace gui_test {
namespace {

const char kSetup[] = "Setup Morvantia-2017";
const char kPreviousOpened[] = "Morvantia-2017 Previous, QSO";
const char kPreviousReopened[] = "Morvantia-2017 Previous QSO";
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kGrey = 0xF0F0F0;
constexpr COLORREF kMagenta = 0xFF00FF;

// A host with its automation object, the plug-in loaded in a fresh folder.
class Companion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(com_.ok());
        ASSERT_TRUE(vexa.registered()) << vexa.error();
        ASSERT_TRUE(session.loaded()) << session.error();
    }

    host::PluginHost &plugin() { return session.plain(); }
    std::string iniPath() const { return session.folder() + "\\Plugins\\Morvantia.ini"; }
    void setIni(const char *key, const std::string &value) {
        ::WritePrivateProfileStringA("Settings", key, value.c_str(), iniPath().c_str());
    }
    std::string ini(const char *key) const {
        char value[100] = {};
        ::GetPrivateProfileStringA("Settings", key, "", value, sizeof value, iniPath().c_str());
        return value;
    }
    void setHostVersion(const std::string &version) {
        std::ofstream(session.folder() + "\\Vexa2.ini", std::ios::binary)
            << "[Program]\r\nVexa=" << version << "\r\n";
    }

    // A reset as the host makes it when a log opens.
    void reset(const std::string &ownPrefix = "YO") {
        plugin().reset(session.folder() + "\\", 0, "YO3AAA", host::makeDateTime(2017, 2, 5, 12, 0),
                       host::makeDateTime(2017, 2, 5, 16, 0), ownPrefix);
    }
    // Resets and waits for the setup window (caption in either language).
    HWND openSetup(const std::string &ownPrefix = "YO", const std::string &caption = kSetup) {
        reset(ownPrefix);
        HWND setup = waitForWindow(caption);
        // Its opening refresh has reached the host once it read the mode.
        if (setup != nullptr) waitUntil([&] { return vexa.calls(kVexaFrequency) > 0; }, 3000);
        return setup;
    }

    // The operator types: call checks until one refresh has read the host.
    void typeCall(const std::string &call) {
        vexa.setEntryCall(call);
        const int before = vexa.calls(kVexaGetField);
        waitUntil([&] {
            plugin().checkCall(call, "CW", std::string("80m"), std::string("80m"));
            return vexa.calls(kVexaGetField) > before;
        });
        // What follows the host's answers needs no host: a moment suffices.
        waitUntil([] { return false; }, 150);
    }

    host::Qso qso(const std::string &call, int hour, int minute, const std::string &band,
                  const std::string &mode, const std::string &exchange,
                  const std::string &prefix = "YO") {
        return contestQso(call, hour, minute, band, mode, exchange, prefix);
    }
    // Scores, so the multiplier lists the tracker shows are rebuilt.
    void score() {
        int claimed = 0;
        plugin().result(claimed);
    }

    ComApartment com_;
    FakeVexa vexa;
    PluginSession session;
};

// Clicks on a thread of its own: the click may call the host's object,
// which this thread serves meanwhile.
bool press(HWND dialog, int id) {
    bool clicked = false;
    HostCall call([&] { clicked = clickControl(dialog, id); });
    return call.waitDone() && clicked;
}

// The previous-QSO window under the caption its opener gave it, or the one
// the refresh that follows the opening gives it.
HWND waitForPreviousQso() {
    HWND found = nullptr;
    waitUntil([&] {
        found = findWindow(kPreviousOpened);
        if (found == nullptr) found = findWindow(kPreviousReopened);
        return found != nullptr;
    });
    return found;
}

// The county tracker under the caption its opener gave it, or the one the
// refresh that follows the opening gives it (which may come first).
HWND waitForCountyTracker() {
    HWND found = nullptr;
    waitUntil([&] {
        found = findWindow("YO-COUNTY");
        if (found == nullptr) found = findWindow("YO County - worked CW on 80m 0 of 48");
        return found != nullptr;
    });
    return found;
}

// The colour of a button's face: just inside a rectangle's edge, or left
// of an ellipse's centred label.
COLORREF faceOf(HWND dialog, int id, bool ellipse = false) {
    HWND button = ::GetDlgItem(dialog, id);
    RECT client;
    ::GetClientRect(button, &client);
    return ellipse ? pixelOf(button, client.right / 6, client.bottom / 2) : pixelOf(button, 4, 4);
}
COLORREF countyFace(HWND tracker, int id) { return faceOf(tracker, id, true); }

bool topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST_F(Companion, FirstRunWithoutIniOpensTopmostAt10x400AsksForTheCountyAndRestoresCw) {
    HWND setup = openSetup();
    ASSERT_NE(setup, nullptr);
    RECT frame;
    ::GetWindowRect(setup, &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 400);
    EXPECT_TRUE(topmost(setup));
    for (int box : {IDC_SETUP_COUNTY_TRACKER, IDC_SETUP_PREVIOUS_QSO, IDC_SETUP_ON_TOP})
        EXPECT_EQ(checkState(setup, box), BST_UNCHECKED) << box;
    EXPECT_EQ(controlText(setup, IDC_SETUP_COUNTY_LABEL), "Choce your 2 letters code YO County");
    EXPECT_TRUE(isVisible(::GetDlgItem(setup, IDC_SETUP_COUNTY)));
    EXPECT_FALSE(isVisible(::GetDlgItem(setup, IDC_SETUP_COUNTRY)));
    EXPECT_EQ(controlText(setup, IDC_SETUP_VIEW_LABEL), "View");
    EXPECT_EQ(controlText(setup, IDC_SETUP_COUNTY_TRACKER), "County Romania");
    EXPECT_EQ(controlText(setup, IDC_SETUP_PREVIOUS_QSO), "Previous QSO");
    const std::vector<std::string> opening{"<MODE:CW>", "<BAUDRATE:27>", "<SP1>"};
    EXPECT_EQ(vexa.macros(), opening);
    EXPECT_EQ(faceOf(setup, IDC_SETUP_CW), kGreen);
    EXPECT_EQ(faceOf(setup, IDC_SETUP_SSB), kGrey);
    // Moved, the window saves its place when the cursor passes over it.
    ::SetWindowPos(setup, nullptr, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(setup, WM_SETCURSOR, reinterpret_cast<WPARAM>(setup),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(ini("setup_x"), "120");
    EXPECT_EQ(ini("setup_y"), "130");
    HMENU menu = ::GetSystemMenu(setup, FALSE);
    EXPECT_NE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // Enter does nothing; Escape closes.
    ::PostMessageW(setup, WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageW(setup, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(setup));
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitForWindowGone(setup));
}

TEST_F(Companion, StartMarkerAlternatesAndOldHostsNeverGetTheWindows) {
    reset();
    HWND setup = waitForWindow(kSetup);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(ini("Start"), "1");
    // A reset while the window is open starts nothing and keeps it.
    reset();
    EXPECT_EQ(ini("Start"), "0");
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitForWindowGone(setup));
    // Marker 0, no window: this reset opens it again.
    reset();
    setup = waitForWindow(kSetup);
    ASSERT_NE(setup, nullptr);
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitForWindowGone(setup));

    setHostVersion("2.16");
    setIni("Start", "0");
    reset();
    EXPECT_EQ(ini("Start"), "1");
    EXPECT_EQ(waitForWindow(kSetup, 500), nullptr);
    // Scoring is untouched.
    EXPECT_EQ(plugin().add(qso("YO9ZZ", 14, 5, "80m", "CW", "002 AB")), 1);
}

TEST_F(Companion, EachModeButtonSendsItsMacrosTurnsGreenAndIsRemembered) {
    struct Case {
        int id;
        const char *mode;
        std::vector<std::string> macros;
    };
    const Case cases[] = {
        {IDC_SETUP_SSB, "SSB", {"<MODE:SSB>"}},
        {IDC_SETUP_BPSK31, "BPSK31", {"<MODE:BPSK31>"}},
        {IDC_SETUP_BPSK63, "BPSK63", {"<MODE:BPSK31>", "<BAUDRATE:63>"}},
        {IDC_SETUP_BPSK125, "BPSK125", {"<MODE:BPSK31>", "<BAUDRATE:125>"}},
        {IDC_SETUP_CW, "CW", {"<MODE:CW>"}},  // no rate macro on a click
    };
    HWND setup = openSetup();
    ASSERT_NE(setup, nullptr);
    for (const Case &c : cases) {
        vexa.clearMacros();
        ASSERT_TRUE(press(setup, c.id));
        EXPECT_EQ(vexa.macros(), c.macros) << c.mode;
        EXPECT_EQ(ini("Mode"), c.mode);
        for (const Case &other : cases)
            EXPECT_EQ(faceOf(setup, other.id), other.id == c.id ? kGreen : kGrey)
                << c.mode << " clicked, " << other.mode << " shown";
    }
    // Re-opened with a remembered mode, that mode's opening macros go out.
    setIni("Mode", "BPSK125");
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitForWindowGone(setup));
    vexa.clearMacros();
    setIni("Start", "0");
    setup = openSetup();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(vexa.macros(), (std::vector<std::string>{"<MODE:BPSK31>", "<BAUDRATE:125>"}));
    EXPECT_EQ(faceOf(setup, IDC_SETUP_BPSK125), kGreen);
}

TEST_F(Companion, UnknownModeSendsNothingAndWithoutTheHostButtonsStillWork) {
    setIni("Mode", "RTTY");
    HWND setup = openSetup();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(vexa.macros(), std::vector<std::string>{"<SP1>"});
    EXPECT_EQ(faceOf(setup, IDC_SETUP_CW), kGrey);
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitForWindowGone(setup));
}

TEST(CompanionWithoutHost, ButtonsChangeColourAndTheIniButNothingIsCalled) {
    VexaLock noHost;  // no stand-in registered while this runs
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    session.plain().reset(session.folder() + "\\", 0, "YO3AAA",
                          host::makeDateTime(2017, 2, 5, 12, 0),
                          host::makeDateTime(2017, 2, 5, 16, 0), "YO");
    HWND setup = waitForWindow(kSetup);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(faceOf(setup, IDC_SETUP_CW), kGreen);
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_SSB));
    EXPECT_EQ(faceOf(setup, IDC_SETUP_SSB), kGreen);
    char mode[100] = {};
    ::GetPrivateProfileStringA("Settings", "Mode", "", mode, sizeof mode,
                               (session.folder() + "\\Plugins\\Morvantia.ini").c_str());
    EXPECT_STREQ(mode, "SSB");
    // Check boxes still open the windows; the refresh reaches nothing else.
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_PREVIOUS_QSO));
    EXPECT_NE(waitForPreviousQso(), nullptr);
}

TEST_F(Companion, CheckBoxesOpenCloseAndKeepTheWindowsOnTop) {
    HWND setup = openSetup();
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_PREVIOUS_QSO));
    HWND previous = waitForPreviousQso();
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(ini("setup_view_prev_qso"), "1");
    EXPECT_FALSE(topmost(previous));
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_PREVIOUS_QSO));
    EXPECT_TRUE(waitForWindowGone(previous));
    EXPECT_EQ(ini("setup_view_prev_qso"), "0");

    ASSERT_TRUE(clickControl(setup, IDC_SETUP_COUNTY_TRACKER));
    HWND tracker = waitForCountyTracker();
    ASSERT_NE(tracker, nullptr);
    EXPECT_EQ(ini("County"), "1");
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_PREVIOUS_QSO));
    ASSERT_NE(waitForPreviousQso(), nullptr);

    // On top: both close and come back topmost through the refresh.
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_ON_TOP));
    EXPECT_EQ(ini("setup_window_on_top"), "1");
    previous = waitForWindow(kPreviousReopened);
    ASSERT_NE(previous, nullptr);
    ASSERT_TRUE(waitUntil([&] { return (tracker = findWindow("YO County - worked CW on 80m 0 of 48")) != nullptr; }));
    EXPECT_TRUE(topmost(previous));
    EXPECT_TRUE(topmost(tracker));
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_ON_TOP));
    EXPECT_EQ(ini("setup_window_on_top"), "0");
    EXPECT_TRUE(waitForWindowGone(previous));
    previous = waitForWindow(kPreviousReopened);
    ASSERT_NE(previous, nullptr);
    EXPECT_FALSE(topmost(previous));

    // Next time the setup window opens, the refresh re-opens both.
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitForWindowGone(setup));
    setIni("Start", "0");
    ASSERT_NE(openSetup(), nullptr);
    EXPECT_NE(waitForWindow(kPreviousReopened), nullptr);
    EXPECT_TRUE(waitUntil([] { return findWindow("YO County - worked CW on 80m 0 of 48") != nullptr; }));
}

TEST_F(Companion, OwnCountryCodeIsShownAndTakenForTheSentExchange) {
    setIni("My_Country", "DL");
    HWND setup = openSetup("DL");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(controlText(setup, IDC_SETUP_COUNTRY_LABEL), " Your code Country");
    EXPECT_EQ(controlText(setup, IDC_SETUP_COUNTRY), "DL");
    EXPECT_FALSE(isVisible(::GetDlgItem(setup, IDC_SETUP_COUNTY)));
    // Typing a new code takes effect at once, before any QSO.
    ::SetDlgItemTextW(setup, IDC_SETUP_COUNTRY, L"OK");
    EXPECT_EQ(ini("My_Country"), "OK");
}

TEST_F(Companion, RussianOperatorsReadRussianTextsOnAnyCodePage) {
    HWND setup = openSetup("UA", "Установки Morvantia-2017");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(controlText(setup, IDC_SETUP_VIEW_LABEL), "Отображать");
    EXPECT_EQ(controlText(setup, IDC_SETUP_MODE_LABEL), "Вид работы");
    EXPECT_EQ(controlText(setup, IDC_SETUP_COUNTY_TRACKER), "Графства Румынии");
    EXPECT_EQ(controlText(setup, IDC_SETUP_ON_TOP), "Поверх окон");
    EXPECT_EQ(controlText(setup, IDC_SETUP_PREVIOUS_QSO), "Предыдущие QSO");
    EXPECT_EQ(controlText(setup, IDC_SETUP_COUNTRY_LABEL), "Введите код вашей страны");
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_PREVIOUS_QSO));
    EXPECT_NE(waitForWindow("Morvantia-2017 Предыдущие QSO"), nullptr);
    ASSERT_TRUE(clickControl(setup, IDC_SETUP_COUNTY_TRACKER));
    EXPECT_NE(waitForWindow("YO Графства - отработано CW на 80m 0 из 48"), nullptr);
}

// A log with a few QSOs, both windows open.
class CompanionRefresh : public Companion {
protected:
    void SetUp() override {
        Companion::SetUp();
        setIni("setup_view_prev_qso", "1");
        setIni("County", "1");
        setup = openSetup();
        ASSERT_NE(setup, nullptr);
        for (const host::Qso &q : {qso("YO9ZZ", 10, 5, "40m", "CW", "002 CT"),
                                   qso("YO9ZZ", 11, 30, "40m", "BPSK63", "017 CT"),
                                   qso("YO8AA", 10, 7, "80m", "CW", "005 IS"),
                                   qso("YO7BB", 10, 9, "80m", "CW", "006 CT"),
                                   qso("YO6CC", 10, 12, "80m", "SSB", "007 AB")})
            plugin().add(q);
        score();
        previous = waitForWindow(kPreviousReopened);
        ASSERT_NE(previous, nullptr);
        typeCall("");
    }
    HWND tracker(const std::string &caption) {
        HWND found = nullptr;
        waitUntil([&] { return (found = findWindow(caption)) != nullptr; });
        return found;
    }
    // The table's highlight bar of band row, inside the table control.
    COLORREF barOf(int row) {
        HWND table = ::GetDlgItem(previous, IDC_PREV_TABLE);
        RECT client;
        ::GetClientRect(table, &client);
        const int h = client.bottom / 3;
        return pixelOf(table, 5, (row + 1) * h + h / 2);
    }
    HWND setup = nullptr;
    HWND previous = nullptr;
};

TEST_F(CompanionRefresh, WorkedCallFillsTheCaptionAndTheBarFollowsTheBand) {
    vexa.setFrequency(7012000);
    typeCall("YO9ZZ");
    EXPECT_TRUE(waitUntil([&] { return textOf(previous) == "Morvantia-2017 worked with YO9ZZ "; }));
    EXPECT_EQ(barOf(1), 0xFFFFC6u);
    EXPECT_EQ(barOf(0), 0xC6FFFFu);
    // Emptied: the plain caption, the frequency and county steps still run.
    typeCall("");
    EXPECT_TRUE(waitUntil([&] { return textOf(previous) == kPreviousReopened; }));
    EXPECT_NE(tracker("YO County - worked CW on 40m 1 of 48"), nullptr);
}

TEST_F(CompanionRefresh, Sp1GoesOutOnlyBeyond300HzAndShortCallsStopTheRefresh) {
    vexa.setFrequency(3510000);
    typeCall("YO8AA");
    vexa.clearMacros();
    vexa.setFrequency(3510250);
    typeCall("YO8AA");
    EXPECT_TRUE(vexa.macros().empty());
    vexa.setFrequency(3510400);
    typeCall("YO8AA");
    EXPECT_EQ(vexa.macros(), std::vector<std::string>{"<SP1>"});
    // A one- or two-letter call: the frequency is not even asked for.
    const int frequencyReads = vexa.calls(kVexaFrequency);
    vexa.setFrequency(3520000);
    for (const char *fragment : {"Y", "YO"}) typeCall(fragment);
    EXPECT_EQ(vexa.calls(kVexaFrequency), frequencyReads);
    EXPECT_EQ(vexa.macros(), std::vector<std::string>{"<SP1>"});
}

TEST_F(CompanionRefresh, TrackerMarksWorkedCountiesResetsOnBandOrModeAndAfterRemoval) {
    HWND county = tracker("YO County - worked CW on 80m 2 of 48");
    ASSERT_NE(county, nullptr);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_CT), kMagenta);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_IS), kMagenta);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_AB), kGreen);
    // Another mode on the same band: only its counties.
    vexa.setMode("SSB");
    typeCall("YO6CC");
    county = tracker("YO County - worked SSB on 80m 1 of 48");
    ASSERT_NE(county, nullptr);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_AB), kMagenta);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_CT), kGreen);
    // Outside the contest bands nothing is marked or repainted.
    vexa.setFrequency(14025000);
    typeCall("YO6CC");
    EXPECT_NE(findWindow("YO County - worked SSB on 80m 1 of 48"), nullptr);
    // Back on 80 m CW; a removal resets, the next refresh marks what is left.
    vexa.setFrequency(3510000);
    vexa.setMode("CW");
    typeCall("YO8AA");
    ASSERT_NE(tracker("YO County - worked CW on 80m 2 of 48"), nullptr);
    plugin().remove(qso("YO8AA", 10, 7, "80m", "CW", "005 IS"));
    score();
    typeCall("YO8AA");
    county = tracker("YO County - worked CW on 80m 1 of 48");
    ASSERT_NE(county, nullptr);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_IS), kGreen);
    EXPECT_EQ(countyFace(county, IDC_COUNTY_CT), kMagenta);
}

// How long a stop may take, with margin for a loaded machine.
constexpr DWORD kPromptMs = 1000;

TEST_F(CompanionRefresh, UnloadWithAllThreeWindowsOpenClosesThemPromptly) {
    ASSERT_NE(tracker("YO County - worked CW on 80m 2 of 48"), nullptr);
    const DWORD started = ::GetTickCount();
    session.unload();
    EXPECT_LT(::GetTickCount() - started, timingBound(kPromptMs));
    EXPECT_FALSE(::IsWindow(setup));
    EXPECT_FALSE(::IsWindow(previous));
    EXPECT_EQ(::GetModuleHandleA("StatsMorvantia.dll"), nullptr);
}

// The stop's one deadline, as the library keeps it.
constexpr DWORD kStopDeadlineMs = 5000;

TEST_F(CompanionRefresh, AnUnloadPastItsDeadlineKeepsTheLibraryAndTheHostAlive) {
    // A UI thread that cannot run (a busy or hung machine): the unload
    // gives up at its deadline and keeps the library mapped and whole, so
    // the thread, once it runs again, ends in code that is still there.
    const DWORD uiThreadId = ::GetWindowThreadProcessId(setup, nullptr);
    HANDLE uiThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, uiThreadId);
    ASSERT_NE(uiThread, nullptr);
    ASSERT_NE(::SuspendThread(uiThread), static_cast<DWORD>(-1));
    const DWORD started = ::GetTickCount();
    session.unload();
    const DWORD took = ::GetTickCount() - started;
    EXPECT_GE(took + 100, kStopDeadlineMs);
    EXPECT_LT(took, kStopDeadlineMs + timingBound(kPromptMs));
    EXPECT_NE(::GetModuleHandleA("StatsMorvantia.dll"), nullptr) << "unmapped under a live thread";
    ::ResumeThread(uiThread);
    ::CloseHandle(uiThread);
    EXPECT_TRUE(waitForWindowGone(setup));
    EXPECT_TRUE(waitForWindowGone(previous));
}

TEST_F(CompanionRefresh, CallChecksAndQsosAtFullSpeedWhileRefreshingNeverDeadlock) {
    vexa.setEntryCall("YO9ZZ");
    std::atomic<bool> done{false};
    std::atomic<int> rounds{0};
    // The host's thread hammers the engine while this thread serves the
    // host object the refreshes call.
    std::thread hostThread([&] {
        for (int i = 0; i < 3000; ++i) {
            plugin().checkCall("YO9ZZ", "CW", std::string("40m"), std::string("40m"));
            host::Qso q = qso("YO" + std::to_string(i) + "X", 12, i % 60, i % 2 ? "80m" : "40m",
                              "CW", "010 AB");
            plugin().add(q);
            if (i % 100 == 0) plugin().remove(q);
            ++rounds;
        }
        done = true;
    });
    EXPECT_TRUE(waitUntil([&] { return done.load(); }, 60000)) << rounds.load() << " rounds";
    hostThread.join();
    EXPECT_GT(vexa.calls(kVexaGetField), 1);
    // Still answering.
    typeCall("YO9ZZ");
    EXPECT_TRUE(waitUntil([&] { return textOf(previous) == "Morvantia-2017 worked with YO9ZZ "; }));
}

TEST(CompanionDeathTest, HostExitsPromptlyWithAllWindowsOpen) {
    EXPECT_EXIT(
        {
            ComApartment com;
            PluginSession session;
            if (!session.loaded()) ::ExitProcess(3);
            {
                FakeVexa vexa;
                if (!vexa.registered()) ::ExitProcess(3);
                const std::string ini = session.folder() + "\\Plugins\\Morvantia.ini";
                ::WritePrivateProfileStringA("Settings", "setup_view_prev_qso", "1", ini.c_str());
                ::WritePrivateProfileStringA("Settings", "County", "1", ini.c_str());
                session.plain().reset(session.folder() + "\\", 0, "YO3AAA",
                                      host::makeDateTime(2017, 2, 5, 12, 0),
                                      host::makeDateTime(2017, 2, 5, 16, 0), "YO");
                if (waitForWindow(kPreviousReopened) == nullptr ||
                    !waitUntil([] {
                        return findWindow("YO County - worked CW on 80m 0 of 48") != nullptr;
                    }))
                    ::ExitProcess(4);
                // The host takes its automation object back as it exits, so
                // the tests that follow find no dead one in the table.
            }
            ::ExitProcess(7);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(Companion, HundredRestartsLeaveNoThreadWindowOrGuiObjectBehind) {
    setIni("setup_view_prev_qso", "1");
    setIni("County", "1");
    // Opened by a reset with both companion windows, closed by the
    // operator; the thread goes and takes its windows along.
    auto cycle = [&] {
        setIni("Start", "0");
        reset();
        HWND setup = waitForWindow(kSetup);
        if (setup == nullptr || waitForWindow(kPreviousReopened) == nullptr) return false;
        ::SendMessageW(setup, WM_CLOSE, 0, 0);
        return waitUntil([] { return processWindows(true).empty(); });
    };
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(cycle());
    waitUntil([] { return false; }, 300);
    const ProcessCounts before = processCounts();
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(cycle()) << "cycle " << i;
    waitUntil([] { return false; }, 300);
    const ProcessCounts after = processCounts();
    EXPECT_EQ(after.threads, before.threads);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kSystemGdiCache);
    EXPECT_LE(after.userObjects, before.userObjects + 3);
}

}  // namespace
}  // namespace gui_test
