#include "platform/message_box.h"

#include <cstdio>
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
    if (caption.empty())
        std::fprintf(stderr, "%s\n", text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace platform
