// What DynamicLibrary does the same on every system: ownership of the
// handle. Opening, closing and lookup are the system's.
#include "platform/dynamic_library.h"

#include <cstdio>
#include <utility>

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string &path) {
    // In the body: error_ must be built before open() may write to it.
    handle_ = open(path, error_);
}

DynamicLibrary::~DynamicLibrary() { unload(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary &&other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

DynamicLibrary &DynamicLibrary::operator=(DynamicLibrary &&other) noexcept {
    if (this != &other) {
        unload();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

std::string defaultPluginPath() {
    const std::string folder = executableFolder();
#ifdef _WIN32
    const std::string release = folder + (sizeof(void *) == 8 ? "x64\\" : "x86\\");
#else
    const std::string release = folder + "../lib/";
#endif
    for (const std::string &path : {folder + pluginFileName(), release + pluginFileName()})
        if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
            std::fclose(file);
            return path;
        }
    return folder + pluginFileName();
}

void *DynamicLibrary::symbol(const char *name) const {
    return handle_ != nullptr ? find(handle_, name) : nullptr;
}

void DynamicLibrary::unload() {
    if (handle_ != nullptr) close(handle_);
    handle_ = nullptr;
}

}  // namespace platform
