#include "platform/process.h"
#include "tools/morvantia-score/app.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    platform::useBinaryStandardStreams();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return score::runApp(args, stdin, stdout, stderr);
}
