#include "platform/folders.h"
#include "platform/folders_os.h"

#include "platform/system_error_win32.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string lastError() { return systemErrorText(::GetLastError()); }

}  // namespace

std::string currentFolder() {
    const DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return ".\\";
    std::vector<char> buffer(needed + 1);
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()),
                                                buffer.data());
    std::string folder(buffer.data(), length);
    if (folder.empty() || !isSeparator(folder.back())) folder += '\\';
    return folder;
}

bool changeFolder(const std::string &path, std::string &error) {
    if (::SetCurrentDirectoryA(path.c_str())) return true;
    error = lastError();
    return false;
}

bool isFolder(const std::string &path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace os {

bool isFolderSeparator(char c) { return isSeparator(c); }

bool makeFolder(const std::string &path, std::string &error) {
    // A drive ("C:") is there or cannot be made.
    if (path.size() == 2 && path[1] == ':') return true;
    if (::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    error = path + ": " + lastError();
    return false;
}

}  // namespace os

std::string absolutePath(const std::string &path) {
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<char> buffer(needed + 1);
    const DWORD length = ::GetFullPathNameA(
        path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size()) return path;
    return std::string(buffer.data(), length);
}

std::string joinPath(const std::string &folder, const std::string &name) {
    if (folder.empty()) return name;
    if (isSeparator(folder.back())) return folder + name;
    return folder + "\\" + name;
}

}  // namespace platform
