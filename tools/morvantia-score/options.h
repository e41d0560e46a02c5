// The command line of morvantia-score.
#pragma once

#include "tools/morvantia-score/contest_log.h"
#include "tools/morvantia-score/option_table.h"

#include <optional>
#include <string>
#include <vector>

namespace score {

struct Options {
    std::string logPath;  // "-" reads standard input
    std::optional<std::string> call;
    std::optional<std::string> prefix;
    std::optional<std::string> code;
    std::optional<std::string> outDir;
    std::optional<std::string> pluginPath;
    std::optional<std::string> ctyPath;
    std::optional<QsoTime> start;
    std::optional<QsoTime> end;
    StationDetails station;  // --station KEY=VALUE, INI key names
    bool html = false;
    bool json = false;
    bool cabrillo = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    bool bashCompletion = false;
};

// Every option of morvantia-score, with its help.
const OptionTable &optionTable();

// Parses the arguments after the program name. Both "--call X" and
// "--call=X" are accepted. False with a message for anything unusable.
bool parseOptions(const std::vector<std::string> &args, Options &options,
                  std::string &error);

// "2024-02-03 16:00", "2024-02-03T1600", "20240203 160000", "2024-02-03";
// timeGiven tells whether the text had a time of day.
bool readDateTimeOption(const std::string &text, QsoTime &time, bool *timeGiven = nullptr);

// Text that goes into the plug-in's INI file or its file names must be one
// line of printable characters.
bool isSafeIniValue(const std::string &value);
// A call sign: letters, digits and "/".
bool isPlausibleCall(const std::string &call);

std::string helpText();

}  // namespace score
