// The companion windows as an operator meets them in the host: the setup
// window started by a reset, its mode buttons talking to the host's
// automation object, the previous-QSO window and the county tracker fed by
// the live refresh, and the UI thread stopped by a restart or an unload.
#include "resources/resource.h"
#include "tests/gui/rig/fake_vexa.h"
#include "tests/gui/rig/gui_probe.h"
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
        std::ofstream(session.folder() + "\\Vexa2.ini") << "[Program]\r\nVexa=" << version << "\r\n";
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
        host::Qso q;
        q.ownCall = "YO3AAA";
        q.call = call;
        q.time = host::makeDateTime(2017, 2, 5, hour, minute);
        q.frequencyHz = band == "80m" ? 3510000 : 7010000;
        q.mode = mode;
        q.exchSent = "001";
        q.exchReceived = exchange;
        q.countryPrefix = prefix;
        q.band = band;
        return q;
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

// The colour inside a button's face (left of its centred label).
COLORREF faceOf(HWND dialog, int id) {
    const RECT r = rectInParent(::GetDlgItem(dialog, id));
    return pixelOf(dialog, r.left + (r.right - r.left) / 5, (r.top + r.bottom) / 2);
}

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
    HMENU menu = ::GetSystemMenu(setup, FALSE);
    EXPECT_NE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // Enter does nothing; Escape closes.
    ::PostMessageW(setup, WM_KEYDOWN, VK_RETURN, 0);
    ::SendMessageW(setup, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(setup));
    ::SendMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitForWindowGone(setup));
}

}  // namespace
}  // namespace gui_test
