// The system's text for a Windows error code, for messages to the user.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// "The system cannot find the file specified (error 2)".
std::string systemErrorText(DWORD code);

}  // namespace platform
