#include "platform/message_box.h"

#include <windows.h>

namespace platform {

void showSystemMessage(const std::string &text, const std::string &caption,
                       MessageIcon icon) {
    UINT style = MB_OK;
    if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    // No owner: the host's windows may belong to a thread that is blocked
    // in a call to us, and an owned box would wait on it. A null caption
    // makes the system use its own default ("Error").
    ::MessageBoxA(nullptr, text.c_str(), caption.empty() ? nullptr : caption.c_str(),
                  style);
}

}  // namespace platform
