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
    // first window may take seconds to set up the system's graphics), how
    // long a stop waits for the UI thread to end before it gives up, and how
    // often both look.
    static constexpr DWORD kStartWaitMs = 10000;
    static constexpr DWORD kStopWaitMs = 5000;
    static constexpr DWORD kStopPollMs = 20;

    // From start() until the setup window is gone; the thread may still
    // be ending after that.
    bool isRunning() const override { return active_.load() && !windowGone_.load(); }
    bool threadAlive() const override { return active_.load(); }
    void start() override;
    void stop() override;
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
    static DWORD WINAPI ThreadProc(void *self);
    void RunSetupWindow();
    static void CloseWindow(std::atomic<HWND> &window);
    // Waits, bounded, until done() while serving calls into this thread's
    // COM apartment.
    static void WaitServingCom(const std::function<bool()> &done, DWORD boundMs);

    // True from start() until the UI thread's very last act.
    std::atomic<bool> active_{false};
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
