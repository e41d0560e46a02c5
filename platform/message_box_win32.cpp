#include "platform/message_box.h"

#include <windows.h>

#include <mutex>

namespace platform {
namespace {

std::mutex sinkMutex;  // guards sink
MessageSink sink;      // guarded by sinkMutex

}  // namespace

void setMessageSink(MessageSink newSink) {
    std::lock_guard<std::mutex> lock(sinkMutex);
    sink = std::move(newSink);
}

void showMessage(const std::string &text, const std::string &caption,
                 MessageIcon icon) {
    MessageSink current;
    {
        std::lock_guard<std::mutex> lock(sinkMutex);
        current = sink;
    }
    if (current) {
        current(text, caption, icon);
        return;
    }
    UINT style = MB_OK;
    if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    // No owner: the host's windows may belong to a thread that is blocked
    // in a call to us, and an owned box would wait on it. A null caption
    // makes the system use its own default ("Error").
    ::MessageBoxA(nullptr, text.c_str(), caption.empty() ? nullptr : caption.c_str(),
                  style);
}

}  // namespace platform
