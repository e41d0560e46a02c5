// A host call that may show a modal window (a dialog, a message box), made
// on a thread of its own as the host's thread would make it, so the test's
// thread is free to find and work the window.
#pragma once

#include "tests/gui/rig/gui_probe.h"

#include <atomic>
#include <functional>
#include <thread>

namespace gui_test {

class HostCall {
public:
    explicit HostCall(std::function<void()> call)
        : thread_([this, call = std::move(call)] {
              call();
              done_ = true;
          }) {}
    ~HostCall() {
        if (thread_.joinable()) thread_.join();
    }
    HostCall(const HostCall &) = delete;
    HostCall &operator=(const HostCall &) = delete;

    bool done() const { return done_; }
    // Pumps this thread's messages while waiting.
    bool waitDone(DWORD timeoutMs = 10000) {
        return waitUntil([this] { return done_.load(); }, timeoutMs);
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

}  // namespace gui_test
