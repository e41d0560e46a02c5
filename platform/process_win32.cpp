#include "platform/process.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

void useBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

int runCommand(const std::string &commandLine) {
    // cmd /c drops the first and the last quote of a line that starts with
    // one; an extra pair keeps the program's own quotes intact.
    const std::string wrapped = "\"" + commandLine + "\"";
    std::fflush(nullptr);
    return std::system(wrapped.c_str());
}

}  // namespace platform
