// The command line of morvantia-check.
#pragma once

#include "tools/common/contest_log.h"
#include "tools/common/option_table.h"
#include "tools/common/option_values.h"

#include <optional>
#include <string>
#include <vector>

namespace check {

// --json, --quiet, --help, --version and --bash-completion come from
// tools::SharedOptions, read as morvantia-score reads them.
struct CheckOptions : tools::SharedOptions {
    std::vector<std::string> inputs;  // log files and folders of logs
    std::optional<std::string> outDir;
    std::optional<std::string> pluginPath;
    std::optional<std::string> ctyPath;
    std::optional<tools::QsoTime> start;  // the contest period; none: open
    std::optional<tools::QsoTime> end;
    int windowMinutes = 3;
    bool fixClocks = true;  // correct a log whose clock was found off
};

// Every option of morvantia-check, with its help.
const tools::OptionTable &checkOptionTable();

constexpr int kMaxWindowMinutes = 1440;

// Parses the arguments after the program name; "--out X" and "--out=X" are
// both accepted, "--" ends the options. False with a message for anything
// unusable.
bool parseCheckOptions(const std::vector<std::string> &args, CheckOptions &options,
                       std::string &error);

std::string checkHelpText();

}  // namespace check
