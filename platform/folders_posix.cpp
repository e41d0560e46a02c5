#include "platform/folders.h"
#include "platform/folders_os.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {

std::string currentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return "./";
        buffer.resize(buffer.size() * 2);
    }
    std::string folder(buffer.data());
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool changeFolder(const std::string &path, std::string &error) {
    if (::chdir(path.c_str()) == 0) return true;
    error = std::strerror(errno);
    return false;
}

bool isFolder(const std::string &path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

namespace os {

bool isFolderSeparator(char c) { return c == '/'; }

bool makeFolder(const std::string &path, std::string &error) {
    if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) return true;
    error = path + ": " + std::strerror(errno);
    return false;
}

}  // namespace os

std::string absolutePath(const std::string &path) {
    if (!path.empty() && path[0] == '/') return path;
    return currentFolder() + path;
}

std::string joinPath(const std::string &folder, const std::string &name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace platform
