// The command line of morvantia-score.
#pragma once

#include "tools/common/contest_log.h"
#include "tools/common/option_table.h"
#include "tools/common/option_values.h"

#include <optional>
#include <string>
#include <vector>

namespace score {

// --json, --quiet, --help, --version and --bash-completion come from
// tools::SharedOptions, read as morvantia-check reads them.
struct Options : tools::SharedOptions {
    std::string logPath;  // "-" reads standard input
    std::optional<std::string> call;
    std::optional<std::string> prefix;
    std::optional<std::string> code;
    std::optional<std::string> outDir;
    std::optional<std::string> pluginPath;
    std::optional<std::string> ctyPath;
    std::optional<tools::QsoTime> start;
    std::optional<tools::QsoTime> end;
    tools::StationDetails station;  // --station KEY=VALUE, INI key names
    bool html = false;
    bool cabrillo = false;
};

// Every option of morvantia-score, with its help.
const tools::OptionTable &optionTable();

// Parses the arguments after the program name. Both "--call X" and
// "--call=X" are accepted. False with a message for anything unusable.
bool parseOptions(const std::vector<std::string> &args, Options &options,
                  std::string &error);

std::string helpText();

}  // namespace score
