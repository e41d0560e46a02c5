// Loading a library at run time and resolving its symbols, for hosts of the
// plug-in (tests, morvantia-score).
#pragma once

#include <string>

namespace platform {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    explicit DynamicLibrary(const std::string &path);
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary &&other) noexcept;
    DynamicLibrary &operator=(DynamicLibrary &&other) noexcept;
    DynamicLibrary(const DynamicLibrary &) = delete;
    DynamicLibrary &operator=(const DynamicLibrary &) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    // Why loading failed, in the system's words.
    const std::string &error() const { return error_; }
    // The symbol's address, or null.
    void *symbol(const char *name) const;
    void unload();

private:
    // The system's part: null and a message when the library cannot load.
    static void *open(const std::string &path, std::string &error);
    static void close(void *handle);
    static void *find(void *handle, const char *name);

    void *handle_ = nullptr;
    std::string error_;
};

// File name of the plug-in library on this system.
const char *pluginFileName();

// Folder of the running executable, with a trailing separator.
std::string executableFolder();

// The plug-in our programs load when none is named: beside the program,
// else where a release puts it (lib/ beside bin/ when installed on POSIX,
// x86\ or x64\ of the program's own bitness in the Windows archive). When
// none of them exists, the first, so that a message names it.
std::string defaultPluginPath();

}  // namespace platform
