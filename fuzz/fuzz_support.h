// What the fuzz targets share: reporting a broken promise (libFuzzer records
// the abort as a crash, with the input that caused it) and a private folder
// for code that reads and writes files in the current folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Prints what was expected and aborts.
[[noreturn]] void fail(const std::string &what);

inline void check(bool ok, const char *what) {
    if (!ok) fail(what);
}

// Checks that a text handed to a host is there and ends within limit bytes.
void checkText(const char *text, std::size_t limit, const char *what);

// A folder of its own under /dev/shm (or TMPDIR, when set), with a Plugins
// subfolder, removed at exit or, after a crash, by the next run. Made
// current only inside Session, so that libFuzzer's own files (corpus,
// artefacts) stay where they were asked for.
class WorkFolder {
public:
    // Creates the folder; call once, from LLVMFuzzerInitialize.
    static void create();

    // Empties the folder (keeping an empty Plugins) and makes it current
    // until the end of the scope.
    class Session {
    public:
        Session();
        ~Session();
        Session(const Session &) = delete;
        Session &operator=(const Session &) = delete;
    };
};

// libFuzzer writes a crash's input while the work folder is current: points
// -artifact_prefix (given or not) and -exact_artifact_path at the folder the
// program started in. For LLVMFuzzerInitialize.
void anchorArtifactPaths(int *argc, char ***argv);

}  // namespace fuzz
