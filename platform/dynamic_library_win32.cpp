#include "platform/dynamic_library.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace platform {
namespace {

std::string systemMessage(DWORD code) {
    char *text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
            FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length)
                                                         : std::string();
    if (text != nullptr) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' '))
        message.pop_back();
    return message + " (error " + std::to_string(code) + ")";
}

}  // namespace

DynamicLibrary::DynamicLibrary(const std::string &path) {
    handle_ = ::LoadLibraryA(path.c_str());
    if (handle_ == nullptr) error_ = "cannot load " + path + ": " + systemMessage(::GetLastError());
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
    if (handle_ == nullptr) return nullptr;
    return reinterpret_cast<void *>(
        ::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::unload() {
    if (handle_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
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
