// Messages of a program on its error stream, each line led by the
// program's name; notes are left out when the user asked for quiet.
#pragma once

#include <cstdio>
#include <string>

namespace tools {

class Messages {
public:
    Messages(const char *program, std::FILE *err, bool quiet)
        : program_(program), err_(err), quiet_(quiet) {}
    void error(const std::string &text) const {
        std::fprintf(err_, "%s: %s\n", program_, text.c_str());
    }
    void note(const std::string &text) const {
        if (!quiet_) error(text);
    }

private:
    const char *program_;
    std::FILE *err_;
    bool quiet_;
};

}  // namespace tools
