// The plug-in's UI thread on Windows: the engine's CompanionUi seam. The
// host's thread starts and stops the thread and posts to its setup window;
// it never waits on the UI thread except, bounded, while stopping it.
#pragma once

#include "engine/seams.h"
#include "windows/companion_dialog.h"

#include <windows.h>

#include <atomic>
#include <functional>

namespace ui {

class CompanionUiWin32 : public engine::CompanionUi {
public:
    // How long a start waits for the new setup window to be up (a process's
    // first window may take seconds to set up the system's graphics), the
    // deadline of a whole stop (closing the windows and the thread's end: an
    // unload with three windows open takes about 0.1 s, and well under a
    // second even in a busy emulated machine; past it the library stays
    // loaded), and how often a wait looks.
    static constexpr DWORD kStartWaitMs = 10000;
    static constexpr DWORD kStopDeadlineMs = 5000;
    static constexpr DWORD kPollMs = 20;

    CompanionUiWin32() = default;
    CompanionUiWin32(const CompanionUiWin32 &) = delete;
    CompanionUiWin32 &operator=(const CompanionUiWin32 &) = delete;
    ~CompanionUiWin32() override;

    // From start() until the setup window is gone; the thread may still
    // be ending after that.
    bool isRunning() const override { return threadAlive() && !windowGone_.load(); }
    // Until the system said the thread's work has returned.
    bool threadAlive() const override;
    void start() override;
    bool stop() override;
    void postRefresh() override;
    void resetCountyWindow() override;

    // The UI thread's side.
    bool stopping() const { return stopping_.load(); }
    void publishSetup(HWND window) { setup_.store(window); }
    void markSetupReady() { windowReady_ = true; }
    void markSetupGone() { windowGone_ = true; }
    void publishPreviousQso(HWND window) { previousQso_.store(window); }
    void publishCounty(HWND window) { county_.store(window); }
    UiThreadState &threadState() { return threadState_; }

private:
    static VOID CALLBACK ThreadWork(PTP_CALLBACK_INSTANCE instance, void *self);
    void RunSetupWindow();
    static void CloseWindow(std::atomic<HWND> &window, DWORD deadline);
    // Waits until done() or the tick count reaches deadline, while serving
    // calls into this thread's COM apartment; true when done.
    static bool WaitServingCom(const std::function<bool()> &done, DWORD deadline);
    // Lets go of the pool and event of a thread that has ended.
    void releaseEndedThread();

    // The UI thread runs as the one piece of work of a pool of its own, so
    // that the system, not this library's code, says when it has returned:
    // the pool sets finished_ after the work function's last instruction.
    // Both are the host thread's (start and stop); the UI thread only reads
    // finished_ to hand it to the pool.
    PTP_POOL pool_ = nullptr;
    HANDLE finished_ = nullptr;
    // Set by the UI thread once its setup window is initialised.
    std::atomic<bool> windowReady_{false};
    // Set by the UI thread once its setup window is gone.
    std::atomic<bool> windowGone_{false};
    // Set while stopping, so a refresh still queued re-opens nothing.
    std::atomic<bool> stopping_{false};
    // The UI thread's windows, published for the host's thread.
    std::atomic<HWND> setup_{nullptr};
    std::atomic<HWND> previousQso_{nullptr};
    std::atomic<HWND> county_{nullptr};
    UiThreadState threadState_;  // the UI thread's only
};

// The library's one UI.
CompanionUiWin32 &companionUi();

}  // namespace ui
