#include "windows/companion_ui_win32.h"

#include "windows/setup_window.h"

#include <imm.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace ui {

CompanionUiWin32 &companionUi() {
    static CompanionUiWin32 instance;
    return instance;
}

namespace {

// Milliseconds left until a GetTickCount() deadline (wrap-safe), 0 past it.
DWORD remainingUntil(DWORD deadline) {
    const DWORD left = deadline - ::GetTickCount();
    return static_cast<LONG>(left) > 0 ? left : 0;
}

}  // namespace

CompanionUiWin32::~CompanionUiWin32() {
    // Only a thread that has ended gives its pool back; one still running
    // (an unload past its deadline) keeps both, with the library.
    if (!threadAlive()) releaseEndedThread();
}

bool CompanionUiWin32::threadAlive() const {
    return finished_ != nullptr && ::WaitForSingleObject(finished_, 0) == WAIT_TIMEOUT;
}

void CompanionUiWin32::releaseEndedThread() {
    // The pool's worker thread ends on its own after this, without any of
    // this library's code.
    if (pool_ != nullptr) ::CloseThreadpool(pool_);
    if (finished_ != nullptr) ::CloseHandle(finished_);
    pool_ = nullptr;
    finished_ = nullptr;
}

void CompanionUiWin32::start() {
    if (threadAlive()) stop();
    // A thread that did not leave within the bound still owns the windows:
    // a second one would fight it for them.
    if (threadAlive()) return;
    releaseEndedThread();
    stopping_ = false;
    windowReady_ = false;
    windowGone_ = false;
    finished_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    pool_ = ::CreateThreadpool(nullptr);
    if (finished_ == nullptr || pool_ == nullptr) {
        releaseEndedThread();
        return;
    }
    // One thread, for the setup window's whole life.
    ::SetThreadpoolThreadMaximum(pool_, 1);
    TP_CALLBACK_ENVIRON environment;
    ::InitializeThreadpoolEnvironment(&environment);
    ::SetThreadpoolCallbackPool(&environment, pool_);
    const bool submitted =
        ::TrySubmitThreadpoolCallback(&CompanionUiWin32::ThreadWork, this, &environment) != FALSE;
    ::DestroyThreadpoolEnvironment(&environment);
    if (!submitted) {
        releaseEndedThread();
        return;
    }
    // A thread starting up needs the loader lock (to attach, to load what
    // its window and COM need); an unload holds that lock while it stops the
    // thread, and would wait for a thread that cannot run. So the reset
    // returns once the setup window is up (or the thread gave up).
    WaitServingCom([this] { return windowReady_.load() || !threadAlive(); },
                   ::GetTickCount() + kStartWaitMs);
}

void CompanionUiWin32::CloseWindow(std::atomic<HWND> &window, DWORD deadline) {
    HWND target = window.exchange(nullptr);
    if (target == nullptr) return;
    DWORD_PTR ignored = 0;
    // Synchronous, yet bounded: a UI thread that hangs must not hang the host.
    // One that missed the deadline still finds the request when it runs
    // again, and then closes its windows and ends.
    if (::SendMessageTimeoutW(target, WM_CLOSE, 0, 0, SMTO_NORMAL,
                              std::max<DWORD>(remainingUntil(deadline), 1), &ignored) == 0)
        ::PostMessageW(target, WM_CLOSE, 0, 0);
}

bool CompanionUiWin32::stop() {
    if (!threadAlive()) {
        releaseEndedThread();
        return true;
    }
    // One deadline for the whole stop, so a hanging thread costs the host
    // kStopDeadlineMs at most, not a bound per step.
    const DWORD deadline = ::GetTickCount() + kStopDeadlineMs;
    stopping_ = true;
    CloseWindow(county_, deadline);
    CloseWindow(previousQso_, deadline);
    CloseWindow(setup_, deadline);
    if (!WaitServingCom([this] { return !threadAlive(); }, deadline)) return false;
    releaseEndedThread();
    return true;
}

bool CompanionUiWin32::WaitServingCom(const std::function<bool()> &done, DWORD deadline) {
    // The UI thread calls the host's object, whose apartment is often this
    // very thread: there the wait serves those calls (COM's own wait), or
    // the two threads would wait for each other until the deadline. A thread
    // outside a single-threaded apartment has no such calls to serve and
    // simply sleeps.
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    const bool singleThreaded = SUCCEEDED(::CoGetApartmentType(&type, &qualifier)) &&
                                (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
    HANDLE never = singleThreaded ? ::CreateEventW(nullptr, TRUE, FALSE, nullptr) : nullptr;
    bool finished = done();
    while (!finished && remainingUntil(deadline) > 0) {
        const DWORD slice = std::min(kPollMs, remainingUntil(deadline));
        DWORD index = 0;
        if (never == nullptr ||
            ::CoWaitForMultipleHandles(0, slice, 1, &never, &index) != RPC_S_CALLPENDING)
            ::Sleep(slice);
        finished = done();
    }
    if (never != nullptr) ::CloseHandle(never);
    return finished;
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

VOID CALLBACK CompanionUiWin32::ThreadWork(PTP_CALLBACK_INSTANCE instance, void *self) {
    auto *ui = static_cast<CompanionUiWin32 *>(self);
    // The stop's signal: the pool sets the event after this function has
    // returned, so once it is set no code of this library runs on this
    // thread any more and the library may be unmapped.
    ::SetEventWhenCallbackReturns(instance, ui->finished_);
    // It runs for the setup window's whole life; the pool is ours alone.
    ::CallbackMayRunLong(instance);
    try {
        ui->RunSetupWindow();
    } catch (...) {
    }
    ui->setup_ = nullptr;
}

}  // namespace ui
