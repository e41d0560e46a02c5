// morvantia-score as a whole: options in, summary and exit status out.
#pragma once

#include "tools/common/exit_status.h"

#include <cstdio>
#include <string>
#include <vector>

namespace score {

// Runs the program with the arguments after its name, writing the summary
// to out and messages to err. Never throws.
int runApp(const std::vector<std::string> &args, std::FILE *in, std::FILE *out,
           std::FILE *err);

// "logs/yo2mvt.adi" -> "yo2mvt": the name a default working folder is made from.
std::string logStem(const std::string &path);

}  // namespace score
