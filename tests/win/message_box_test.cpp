// Message boxes as the user sees them: read back from the real window that
// MessageBoxA makes, then closed with its OK button.
#include "host/plugin_host.h"
#include "platform/dynamic_library.h"
#include "platform/message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

struct BoxView {
    std::string caption;
    std::string text;
    bool hasOwner = false;
    bool hasOk = false;
    bool hasOtherButtons = false;
    bool showsIcon = false;
};

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770") return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

BOOL CALLBACK inspectChild(HWND child, LPARAM view) {
    auto *box = reinterpret_cast<BoxView *>(view);
    char className[32] = "";
    ::GetClassNameA(child, className, sizeof className);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    if (_stricmp(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
        ::IsWindowVisible(child) && ::SendMessageA(child, STM_GETICON, 0, 0) != 0)
        box->showsIcon = true;
    if (_stricmp(className, "Button") == 0 && ::IsWindowVisible(child) &&
        ::GetDlgCtrlID(child) != IDOK)
        box->hasOtherButtons = true;
    return TRUE;
}

// Shows a box on a thread of its own, reads it back, presses OK and waits
// for the call to return.
BoxView showAndRead(const std::function<void()> &show) {
    std::atomic<DWORD> threadId{0};
    std::atomic<bool> returned{false};
    std::thread shower([&] {
        threadId = ::GetCurrentThreadId();
        show();
        returned = true;
    });
    HWND box = nullptr;
    for (int i = 0; i < 500 && box == nullptr; ++i) {
        if (threadId != 0) ::EnumThreadWindows(threadId, findDialog, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) ::Sleep(20);
    }
    BoxView view;
    if (box == nullptr) {
        ADD_FAILURE() << "no message box appeared";
        shower.detach();
        return view;
    }
    char text[512] = "";
    ::GetWindowTextA(box, text, sizeof text);
    view.caption = text;
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    view.text = text;
    view.hasOwner = ::GetWindow(box, GW_OWNER) != nullptr;
    view.hasOk = ::GetDlgItem(box, IDOK) != nullptr;
    ::EnumChildWindows(box, inspectChild, reinterpret_cast<LPARAM>(&view));
    EXPECT_FALSE(returned) << "the box was not modal";

    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    for (int i = 0; i < 500 && !returned; ++i) ::Sleep(20);
    if (returned) {
        shower.join();
    } else {
        ADD_FAILURE() << "the box did not close on OK";
        shower.detach();
    }
    return view;
}

TEST(UserMessage, InformationWithCaption) {
    const BoxView box = showAndRead([] {
        platform::showMessage("Cabrillo log written", "Output",
                              platform::MessageIcon::Information);
    });
    EXPECT_EQ(box.caption, "Output");
    EXPECT_EQ(box.text, "Cabrillo log written");
    EXPECT_TRUE(box.hasOk);
    EXPECT_FALSE(box.hasOtherButtons);
    EXPECT_FALSE(box.hasOwner);
    EXPECT_TRUE(box.showsIcon);
}

TEST(UserMessage, EmptyCaptionShowsTheSystemDefault) {
    const BoxView box = showAndRead(
        [] { platform::showMessage("plain", "", platform::MessageIcon::None); });
    EXPECT_EQ(box.caption, "Error");
    EXPECT_FALSE(box.showsIcon);
}

TEST(UserMessage, HostTextIsNeverAFormat) {
    const BoxView box = showAndRead(
        [] { platform::showMessage("100% %s %n", "%d", platform::MessageIcon::None); });
    EXPECT_EQ(box.text, "100% %s %n");
    EXPECT_EQ(box.caption, "%d");
}

TEST(UserMessage, ASinkTakesTheMessageInstead) {
    std::string seen;
    platform::setMessageSink([&](const std::string &text, const std::string &caption,
                                 platform::MessageIcon icon) {
        seen = caption + "|" + text + "|" +
               (icon == platform::MessageIcon::Information ? "i" : "-");
    });
    platform::showMessage("text", "caption", platform::MessageIcon::Information);
    platform::setMessageSink(nullptr);
    EXPECT_EQ(seen, "caption|text|i");
}

TEST(UserMessage, SetupSet0ShowsItsNoteWithOnlyOk) {
    platform::DynamicLibrary library(platform::executableFolder() + platform::pluginFileName());
    ASSERT_TRUE(library.isLoaded()) << library.error();
    const host::EntryPoints ep = host::resolveEntryPoints(library, host::NameKind::Decorated);
    ASSERT_NE(ep.setupSet0, nullptr);
    const BoxView box = showAndRead([&] { ep.setupSet0(); });
    EXPECT_EQ(box.text, "No additional setup for this contest");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_TRUE(box.hasOk);
    EXPECT_FALSE(box.hasOtherButtons);
    EXPECT_FALSE(box.hasOwner);
}

}  // namespace
