#include "platform/process.h"
#include "tools/morvantia-check/check_app.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define MORVANTIA_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define MORVANTIA_ISATTY(f) isatty(fileno(f))
#endif

int main(int argc, char **argv) {
    platform::useBinaryStandardStreams();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return check::runCheckApp(args, stdout, stderr, MORVANTIA_ISATTY(stderr) != 0);
}
