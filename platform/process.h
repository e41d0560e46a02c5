// The process's standard streams and child programs.
#pragma once

#include <string>

namespace platform {

// Standard input and output carry bytes unchanged: ADIF lengths count bytes,
// and output written with CR LF must not become CR CR LF on Windows.
void useBinaryStandardStreams();

// Runs a command line through the system's command interpreter and returns
// the program's exit code, or -1 when it could not be run or did not exit
// normally. Words are quoted with double quotes on every system.
int runCommand(const std::string &commandLine);

}  // namespace platform
