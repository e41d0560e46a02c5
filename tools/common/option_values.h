// Option values both programs read the same way: dates and times, call
// signs, and text bound for the plug-in's INI file.
#pragma once

#include "tools/common/contest_log.h"

#include <string>

namespace tools {

// "2024-02-03 16:00", "2024-02-03T1600", "20240203 160000", "2024-02-03";
// timeGiven tells whether the text had a time of day.
bool readDateTimeOption(const std::string &text, QsoTime &time, bool *timeGiven = nullptr);

// Text that goes into the plug-in's INI file or its file names must be one
// line of printable characters.
bool isSafeIniValue(const std::string &value);
// A call sign: letters, digits and "/".
bool isPlausibleCall(const std::string &call);

}  // namespace tools
