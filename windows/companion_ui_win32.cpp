#include "windows/companion_ui_win32.h"

#include "windows/setup_window.h"

#include <imm.h>
#include <objbase.h>

#include <functional>
#include <memory>

namespace ui {

CompanionUiWin32 &companionUi() {
    static CompanionUiWin32 instance;
    return instance;
}

void CompanionUiWin32::start() {
    if (active_.load()) stop();
    // A thread that did not leave within the bound still owns the windows:
    // a second one would fight it for them.
    if (active_.load()) return;
    stopping_ = false;
    windowReady_ = false;
    windowGone_ = false;
    active_ = true;
    HANDLE thread = ::CreateThread(nullptr, 0, &CompanionUiWin32::ThreadProc, this, 0, nullptr);
    if (thread == nullptr) {
        active_ = false;
        return;
    }
    // The handle is not kept: the thread is watched through active_.
    ::CloseHandle(thread);
    // A thread starting up needs the loader lock (to attach, to load what
    // its window and COM need); an unload holds that lock while it stops the
    // thread, and would wait for a thread that cannot run. So the reset
    // returns once the setup window is up (or the thread gave up).
    WaitServingCom([this] { return windowReady_.load() || !active_.load(); }, kStartWaitMs);
}

void CompanionUiWin32::CloseWindow(std::atomic<HWND> &window) {
    HWND target = window.exchange(nullptr);
    if (target == nullptr) return;
    DWORD_PTR ignored = 0;
    // Synchronous, yet bounded: a UI thread that hangs must not hang the host.
    ::SendMessageTimeoutW(target, WM_CLOSE, 0, 0, SMTO_NORMAL, kStopWaitMs, &ignored);
}

void CompanionUiWin32::stop() {
    if (!active_.load()) return;
    stopping_ = true;
    CloseWindow(county_);
    CloseWindow(previousQso_);
    CloseWindow(setup_);
    WaitServingCom([this] { return !active_.load(); }, kStopWaitMs);
}

void CompanionUiWin32::WaitServingCom(const std::function<bool()> &done, DWORD boundMs) {
    // The UI thread calls the host's object, whose apartment is often this
    // very thread: there the wait serves those calls (COM's own wait), or
    // the two threads would wait for each other until the bound. A thread
    // outside a single-threaded apartment has no such calls to serve and
    // simply sleeps.
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    const bool singleThreaded = SUCCEEDED(::CoGetApartmentType(&type, &qualifier)) &&
                                (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
    HANDLE never = singleThreaded ? ::CreateEventW(nullptr, TRUE, FALSE, nullptr) : nullptr;
    for (DWORD waited = 0; !done() && waited < boundMs; waited += kStopPollMs) {
        DWORD index = 0;
        if (never == nullptr ||
            ::CoWaitForMultipleHandles(0, kStopPollMs, 1, &never, &index) != RPC_S_CALLPENDING)
            ::Sleep(kStopPollMs);
    }
    if (never != nullptr) ::CloseHandle(never);
}

void CompanionUiWin32::postRefresh() {
    if (HWND window = setup_.load()) ::PostMessageW(window, kRefreshMessage, 0, 0);
}

void CompanionUiWin32::resetCountyWindow() {
    // The tracker belongs to the UI thread: ask, never touch it from here.
    if (HWND window = setup_.load()) ::PostMessageW(window, kResetTrackerMessage, 0, 0);
}

void CompanionUiWin32::RunSetupWindow() {
    // No input method for this thread's windows (they take two-letter
    // codes): the system loads one on the first focus change, and that
    // load waits for the loader lock, which an unload holds while it
    // closes these windows: the stop would wait for nothing but its bound.
    ::ImmDisableIME(::GetCurrentThreadId());
    auto setup = std::make_unique<Setup>(*this);
    setup->DoModal();
    // Also when the window could not even be made.
    windowReady_ = true;
    windowGone_ = true;
    // Destroys the companion windows still open, releases the host's
    // object and COM, all on this thread.
    setup.reset();
}

DWORD WINAPI CompanionUiWin32::ThreadProc(void *self) {
    auto *ui = static_cast<CompanionUiWin32 *>(self);
    try {
        ui->RunSetupWindow();
    } catch (...) {
    }
    ui->setup_ = nullptr;
    // The last act in this library: once active_ is false the host may
    // unload it, so nothing of ours may run after this store.
    ui->active_ = false;
    ::ExitThread(0);
}

}  // namespace ui
