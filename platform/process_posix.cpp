#include "platform/process.h"

#include <sys/wait.h>

#include <cstdlib>

namespace platform {

void useBinaryStandardStreams() {}

int runCommand(const std::string &commandLine) {
    const int status = std::system(commandLine.c_str());
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace platform
