#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace platform {

void *DynamicLibrary::open(const std::string &path, std::string &error) {
    void *handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char *message = ::dlerror();
        error = message != nullptr ? message : "cannot load " + path;
    }
    return handle;
}

void DynamicLibrary::close(void *handle) { ::dlclose(handle); }

void *DynamicLibrary::find(void *handle, const char *name) { return ::dlsym(handle, name); }

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
