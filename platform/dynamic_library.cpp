// What DynamicLibrary does the same on every system: ownership of the
// handle. Opening, closing and lookup are the system's.
#include "platform/dynamic_library.h"

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

void *DynamicLibrary::symbol(const char *name) const {
    return handle_ != nullptr ? find(handle_, name) : nullptr;
}

void DynamicLibrary::unload() {
    if (handle_ != nullptr) close(handle_);
    handle_ = nullptr;
}

}  // namespace platform
