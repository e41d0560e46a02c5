// What a Windows test does with the plug-in's windows from the outside:
// find them, click and read their controls, deal with message boxes, look at
// their pixels, and count what the process holds.
//
// Every wait pumps the calling thread's messages, so COM calls into an
// object that this thread registered (FakeVexa) are served meanwhile.
#pragma once

#include "tests/gui/rig/image.h"
#include "tests/support/timing.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui_test {

// Pumps this thread's messages until done() is true or timeoutMs passed
// (as timingBound gives it for this machine); returns done()'s last answer.
bool waitUntil(const std::function<bool()> &done, DWORD timeoutMs = 5000);
void pumpMessages();

using testing_support::timingBound;

// Top-level windows of this process (hidden ones too unless visibleOnly).
std::vector<HWND> processWindows(bool visibleOnly = false);
// The top-level window of this process with exactly this caption, or null.
HWND findWindow(const std::string &captionUtf8, bool visibleOnly = true);
HWND waitForWindow(const std::string &captionUtf8, DWORD timeoutMs = 5000,
                   bool visibleOnly = true);
// Waits until window no longer exists.
bool waitForWindowGone(HWND window, DWORD timeoutMs = 5000);

std::string textOf(HWND window);
std::string controlText(HWND dialog, int id);
std::string classOf(HWND window);
bool isVisible(HWND window);
bool isEnabled(HWND window);
// BST_CHECKED etc. of a button, -1 when there is no such control.
int checkState(HWND dialog, int id);
// The entries of a combo or list box.
std::vector<std::string> listEntries(HWND box);

// Clicks a button as a mouse click would (down and up on the button) and
// returns when its window has handled it.
bool click(HWND button);
bool clickControl(HWND dialog, int id);

// Message boxes: a dialog window of this process holding the message text.
struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // visible buttons, in window order
};
HWND waitForMessageBox(DWORD timeoutMs = 5000);
MessageBoxInfo readMessageBox(HWND box);
// Clicks the box's button with id (IDOK by default) and waits until the box
// is gone.
bool closeMessageBox(HWND box, int buttonId = IDOK);

// Pictures. captureWindow takes the whole window, frame included (BitBlt
// from the window DC); captureClient only the client area. Both repaint the
// window first.
Image captureWindow(HWND window);
// The whole window as it is on screen now, without repainting it: for a
// window of another thread, which repaints on its own time (invalidate it,
// let it paint, then capture).
Image captureWindowAsShown(HWND window);
Image captureClient(HWND window);
// The colour at (x, y) of window's client area, read right after a repaint.
COLORREF pixelOf(HWND window, int x, int y);
bool saveWindowPng(HWND window, const std::string &path);

// What the process holds, to compare before and after. Where the system
// does not count GUI objects (Wine), GDI objects are counted in the
// process's GDI handle table and USER objects as icons plus top-level
// windows.
struct ProcessCounts {
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    int threads = 0;
    int windows = 0;  // top-level windows, hidden ones included
};
ProcessCounts processCounts();
// The system keeps a cache of device contexts that grows a few at a time
// while several windows paint at once; GDI counts taken before and after
// many rounds may differ by this much without any leak of ours. Rounds of
// a leak test must outnumber it.
constexpr DWORD kSystemGdiCache = 20;

// Client-area pixels of a rectangle given in dialog units of dialog.
RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height);
// A control's rectangle in its parent's client coordinates.
RECT rectInParent(HWND control);

}  // namespace gui_test
