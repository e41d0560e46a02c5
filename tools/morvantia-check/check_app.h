// morvantia-check as a whole: options in, logs read, the check run, result
// files written.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace check {

// Runs the program with the arguments after its name: the results table or
// JSON to out, problems, notes and progress to err (progress only when
// errIsTerminal). Returns the exit status; never throws.
int runCheckApp(const std::vector<std::string> &args, std::FILE *out, std::FILE *err,
                bool errIsTerminal);

}  // namespace check
