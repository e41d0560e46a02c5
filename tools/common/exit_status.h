// The exit status of both programs.
#pragma once

#include <cstdio>
#include <exception>

namespace tools {

enum ExitStatus { kExitClean = 0, kExitSkipped = 1, kExitUnusable = 2 };

// A whole run's status; an exception that got this far is a fault of ours,
// said as such on err rather than ending the program unexplained.
template <typename Run>
int runReportingFaults(const char *program, std::FILE *err, Run &&run) {
    try {
        return run();
    } catch (const std::exception &e) {
        std::fprintf(err, "%s: internal error: %s\n", program, e.what());
    } catch (...) {
        std::fprintf(err, "%s: internal error\n", program);
    }
    return kExitUnusable;
}

}  // namespace tools
