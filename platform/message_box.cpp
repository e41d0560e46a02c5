#include "platform/message_box.h"

#include <mutex>

namespace platform {

// The system's own way of showing a message, one per system.
void showSystemMessage(const std::string &text, const std::string &caption,
                       MessageIcon icon);

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
    if (current)
        current(text, caption, icon);
    else
        showSystemMessage(text, caption, icon);
}

}  // namespace platform
