// The plug-in's own user interface as the host meets it: SetupSet0's
// message box, and a library that can be loaded, used and unloaded again
// and again, or left loaded when the process ends, without leaving anything
// behind or hanging.
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "resources/resource.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/host_call.h"
#include "tests/gui/rig/plugin_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace gui_test {
namespace {

// SetupSet0 on a thread of its own, as the host's UI would call it.
struct SetupCall : HostCall {
    explicit SetupCall(host::PluginHost &plugin) : HostCall([&plugin] { plugin.setupSet0(); }) {}
    bool returned() const { return done(); }
    bool waitReturned(DWORD timeoutMs = 5000) { return waitDone(timeoutMs); }
};

TEST(SetupSet0, ShowsItsMessageWithOneOkButtonAndReturnsWhenClosed) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    for (host::PluginHost *names : {&session.plain(), &session.decorated()}) {
        SetupCall call(*names);
        HWND box = waitForMessageBox();
        ASSERT_NE(box, nullptr);
        const MessageBoxInfo info = readMessageBox(box);
        EXPECT_EQ(info.text, "No additional setup for this contest");
        EXPECT_EQ(info.caption, "Error");  // the system's default caption
        EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
        // No owner: the host's windows may belong to a blocked thread.
        EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
        // Modal: the call has not returned while the box is up.
        EXPECT_FALSE(call.returned());
        ASSERT_TRUE(closeMessageBox(box, IDOK));
        EXPECT_TRUE(call.waitReturned());
    }
}

// One round of what a host does with the library.
void useOnce(PluginSession &session) {
    host::PluginHost &plugin = session.plain();
    plugin.setVersion("2.21");
    plugin.numberOfSets();
    plugin.setName(0);
    const HostDateTime start = host::makeDateTime(2017, 2, 5, 12, 0);
    const HostDateTime end = host::makeDateTime(2017, 2, 5, 16, 0);
    plugin.reset(session.folder() + "\\", 0, "YO3AAA", start, end, "YO");
    host::Qso qso;
    qso.ownCall = "YO3AAA";
    qso.call = "YO9ZZ";
    qso.time = host::makeDateTime(2017, 2, 5, 14, 5);
    qso.frequencyHz = 3512000;
    qso.mode = "CW";
    qso.exchSent = "001 BU";
    qso.exchReceived = "002 AB";
    qso.countryPrefix = "YO";
    qso.band = "80m";
    plugin.add(qso);
    plugin.checkCall("YO9ZZ", "CW", std::string("80m"), std::string("80m"), "AB");
    plugin.isValidExchange("002", 0);
    plugin.exchangeCount();
    int score = 0;
    plugin.result(score);
    plugin.remove(qso);
    session.decorated().numberOfSets();
    // The library's own window, opened and closed again.
    SetupCall call(plugin);
    HWND box = waitForMessageBox();
    if (box != nullptr) closeMessageBox(box);
    call.waitReturned();
}

TEST(Library, HundredLoadsLeaveNoWindowThreadOrGuiObjectBehind) {
    // The first loads warm up what the system caches for the process (Wine
    // keeps a few objects from the second round on).
    for (int round = 0; round < 2; ++round) {
        PluginSession session;
        ASSERT_TRUE(session.loaded()) << session.error();
        useOnce(session);
    }
    pumpMessages();
    const ProcessCounts before = processCounts();
    for (int i = 0; i < 100; ++i) {
        PluginSession session;
        ASSERT_TRUE(session.loaded()) << session.error();
        ASSERT_TRUE(session.namesAgree());
        useOnce(session);
        session.unload();
        ASSERT_EQ(::GetModuleHandleA("StatsMorvantia.dll"), nullptr) << "still mapped after unload";
    }
    pumpMessages();
    const ProcessCounts after = processCounts();
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.threads, before.threads);
    // A leak of the library's would grow by at least one object per load.
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kSystemGdiCache);
    EXPECT_EQ(after.userObjects, before.userObjects);
}

TEST(Library, UnloadsAtOnceWhileNothingRuns) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    const DWORD started = ::GetTickCount();
    session.unload();
    EXPECT_LT(::GetTickCount() - started, timingBound(1000));
}

TEST(Library, DialogsComeFromTheLibrarysOwnModule) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    // Not from this program: it holds no templates of its own.
    framework::SetResourceModule(nullptr);
    framework::CDialog fromProgram(IDD_COUNTY);
    EXPECT_FALSE(fromProgram.Create());
    framework::SetResourceModule(session.module());
    framework::CDialog fromLibrary(IDD_COUNTY);
    EXPECT_TRUE(fromLibrary.Create());
}

TEST(LibraryDeathTest, ProcessEndsPromptlyWithTheLibraryLoadedAndItsMessageBoxUp) {
    // The detach of an ending process waits for nothing: the child process
    // exits with its own code instead of hanging in the loader.
    EXPECT_EXIT(
        {
            PluginSession session;
            if (!session.loaded()) ::ExitProcess(3);
            std::thread([&session] { session.plain().setupSet0(); }).detach();
            if (waitForMessageBox() == nullptr) ::ExitProcess(4);
            ::ExitProcess(7);
        },
        ::testing::ExitedWithCode(7), "");
}

}  // namespace
}  // namespace gui_test
