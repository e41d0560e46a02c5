// Option values both programs read the same way: dates and times, call
// signs, and text bound for the plug-in's INI file.
#pragma once

#include "tools/common/contest_log.h"
#include "tools/common/option_table.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tools {

// "2024-02-03 16:00", "2024-02-03T1600", "20240203 160000", "2024-02-03";
// timeGiven tells whether the text had a time of day.
bool readDateTimeOption(const std::string &text, QsoTime &time, bool *timeGiven = nullptr);

// The value of --start or --end into time; a day alone as the end means all
// of that day. False with a message for a value that is no date.
bool readPeriodOption(const std::string &option, const std::string &value,
                      std::optional<QsoTime> &time, std::string &error);

// The options both programs take alike, so each program's loop reads its
// own options and hands the rest here.
struct SharedOptions {
    bool json = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    bool bashCompletion = false;

    // --help, --version or --bash-completion: the run prints that and stops,
    // so nothing else on the command line needs to make sense.
    bool asksInformation() const { return help || version || bashCompletion; }
};

// The last step of both option loops: --json, --quiet/-q, --help/-h,
// --version and --bash-completion set their flag; anything else is refused
// as an unknown option.
bool readSharedOption(const std::string &arg, SharedOptions &shared, std::string &error);

// --help, --bash-completion or --version, when one is given: prints the
// help text, the completion script of table, or the program's version to
// out, and tells so.
struct InformationAsked {
    bool help = false;
    bool bashCompletion = false;
    bool version = false;
};
bool printInformation(const InformationAsked &asked, const std::string &help,
                      const OptionTable &table, std::FILE *out);

// Text that goes into the plug-in's INI file or its file names must be one
// line of printable characters.
bool isSafeIniValue(const std::string &value);
// A call sign: letters, digits and "/".
bool isPlausibleCall(const std::string &call);

}  // namespace tools
