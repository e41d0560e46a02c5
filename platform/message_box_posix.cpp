#include "platform/message_box.h"

#include <cstdio>

namespace platform {

// Without a screen the message goes where a command-line user looks.
void showSystemMessage(const std::string &text, const std::string &caption,
                       MessageIcon) {
    if (caption.empty())
        std::fprintf(stderr, "%s\n", text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace platform
