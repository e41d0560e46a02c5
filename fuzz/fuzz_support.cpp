#include "fuzz/fuzz_support.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

// AddressSanitizer keeps 256 MB of freed memory out of use by default: with
// the entry points' long texts a run grew to 800 MB in ten minutes, towards
// libFuzzer's memory limit, and each input ran slower. A use after free
// within one input is still caught with a quarter of it.
extern "C" const char *__asan_default_options() { return "quarantine_size_mb=64"; }

namespace fuzz {
namespace {

std::string startFolder;
std::string workFolder;

void removeWorkFolder() {
    std::error_code error;
    if (!startFolder.empty()) fs::current_path(startFolder, error);
    if (!workFolder.empty()) fs::remove_all(workFolder, error);
}

// An absolute path for a libFuzzer path flag's value.
std::string anchored(const std::string &value) {
    if (value.empty() || value[0] == '/') return value;
    return startFolder + "/" + value;
}

// Every input empties and fills the folder: in memory where the system has
// such a folder and TMPDIR chooses none, a disk would slow each run tenfold.
fs::path temporaryFolder() {
    std::error_code error;
    if (std::getenv("TMPDIR") == nullptr && fs::is_directory("/dev/shm", error))
        return "/dev/shm";
    return fs::temp_directory_path();
}

}  // namespace

void fail(const std::string &what) {
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n", what.c_str());
    std::abort();
}

void checkText(const char *text, std::size_t limit, const char *what) {
    if (text == nullptr) fail(std::string(what) + ": null text");
    if (::strnlen(text, limit) == limit)
        fail(std::string(what) + ": no terminating NUL within " + std::to_string(limit) +
             " bytes");
}

void WorkFolder::create() {
    startFolder = fs::current_path().string();
    const fs::path parent = temporaryFolder();
    const std::string prefix = "morvantia-fuzz-";
    // A run that crashed exits without cleaning up: its folder, named by its
    // process, goes when the next run starts.
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(parent, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const long pid = std::atol(name.c_str() + prefix.size());
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove_all(entry.path(), error);
    }
    workFolder = (parent / (prefix + std::to_string(::getpid()))).string();
    fs::remove_all(workFolder, error);
    if (!fs::create_directories(fs::path(workFolder) / "Plugins", error))
        fail("cannot create the working folder " + workFolder);
    std::atexit(removeWorkFolder);
}

WorkFolder::Session::Session() {
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(workFolder, error))
        fs::remove_all(entry.path(), error);
    fs::create_directory(fs::path(workFolder) / "Plugins", error);
    fs::current_path(workFolder);
}

WorkFolder::Session::~Session() { fs::current_path(startFolder); }

void anchorArtifactPaths(int *argc, char ***argv) {
    if (startFolder.empty()) startFolder = fs::current_path().string();
    static std::vector<std::string> args;
    static std::vector<char *> pointers;
    bool hasPrefix = false;
    for (int i = 0; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        for (const char *flag : {"-artifact_prefix=", "-exact_artifact_path="}) {
            const std::size_t n = std::strlen(flag);
            if (arg.compare(0, n, flag) == 0) {
                arg = flag + anchored(arg.substr(n));
                hasPrefix = hasPrefix || flag[1] == 'a';
            }
        }
        args.push_back(arg);
    }
    if (!hasPrefix) args.push_back("-artifact_prefix=" + startFolder + "/");
    for (std::string &arg : args) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(args.size());
    *argv = pointers.data();
}

}  // namespace fuzz
