// Modal message boxes, the plug-in's only way of telling the user something.
#pragma once

#include <functional>
#include <string>

namespace platform {

enum class MessageIcon { None, Information };

// Shows a modal message box without owner and with a single OK button;
// returns when it is closed. An empty caption means the system's default.
// On POSIX the text goes to standard error instead.
void showMessage(const std::string &text, const std::string &caption,
                 MessageIcon icon);

// Tests replace the output with a sink of their own; an empty function
// restores the default.
using MessageSink = std::function<void(const std::string &text,
                                       const std::string &caption,
                                       MessageIcon icon)>;
void setMessageSink(MessageSink sink);

}  // namespace platform
