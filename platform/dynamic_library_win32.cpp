#include "platform/dynamic_library.h"

#include "platform/system_error_win32.h"

#include <windows.h>

#include <vector>

namespace platform {

void *DynamicLibrary::open(const std::string &path, std::string &error) {
    HMODULE handle = ::LoadLibraryA(path.c_str());
    if (handle == nullptr) error = "cannot load " + path + ": " + systemErrorText(::GetLastError());
    return handle;
}

void DynamicLibrary::close(void *handle) { ::FreeLibrary(static_cast<HMODULE>(handle)); }

void *DynamicLibrary::find(void *handle, const char *name) {
    return reinterpret_cast<void *>(::GetProcAddress(static_cast<HMODULE>(handle), name));
}

const char *pluginFileName() { return "StatsMorvantia.dll"; }

std::string executableFolder() {
    // GetModuleFileNameA cuts long paths silently; grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(),
                                             static_cast<DWORD>(buffer.size()));
        if (n == 0) return ".\\";
        if (n < buffer.size()) {
            const std::string path(buffer.data(), n);
            const std::size_t separator = path.find_last_of("\\/");
            return separator == std::string::npos ? ".\\" : path.substr(0, separator + 1);
        }
        if (buffer.size() >= 32768) return ".\\";
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
