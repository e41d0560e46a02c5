#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string &path) {
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char *message = ::dlerror();
        error_ = message != nullptr ? message : "cannot load " + path;
    }
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
    return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}

void DynamicLibrary::unload() {
    if (handle_ != nullptr) ::dlclose(handle_);
    handle_ = nullptr;
}

const char *pluginFileName() { return "libStatsMorvantia.so"; }

std::string executableFolder() {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return "./";
    std::string path(buffer.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

}  // namespace platform
