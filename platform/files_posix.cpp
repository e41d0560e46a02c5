#include "platform/files.h"

#include "platform/files_os.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace platform {

std::string nativePath(const std::string &name) {
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

namespace {

class SystemFileSystem final : public os::StdioFileSystem {
public:
    bool rename(const std::string &source, const std::string &target) override {
        return std::rename(source.c_str(), target.c_str()) == 0;
    }
};

}  // namespace

FileSystem &systemFileSystem() {
    static SystemFileSystem fileSystem;
    return fileSystem;
}

namespace os {

std::int64_t fileLength(std::FILE *file) {
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) return -1;
    return info.st_size;
}

namespace {

std::optional<FileStamp> stampOf(const struct stat &info) {
    if (!S_ISREG(info.st_mode)) return std::nullopt;
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL +
                     info.st_mtim.tv_nsec;
    return stamp;
}

}  // namespace

std::optional<FileStamp> fileStamp(std::FILE *file) {
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) return std::nullopt;
    return stampOf(info);
}

bool truncateFile(std::FILE *file, std::int64_t length) {
    return ::ftruncate(::fileno(file), static_cast<off_t>(length)) == 0;
}

}  // namespace os

std::optional<FileStamp> fileStamp(const std::string &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return os::stampOf(info);
}

void removeFile(const std::string &name) {
    ::unlink(nativePath(name).c_str());
}

std::vector<std::string> findFiles(const std::string &pattern) {
    const std::string path = nativePath(pattern);
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string mask =
        slash == std::string::npos ? path : path.substr(slash + 1);

    std::vector<std::string> names;
    DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent *entry = ::readdir(dir)) {
        if (::fnmatch(mask.c_str(), entry->d_name, 0) != 0) continue;
        struct stat info {};
        const std::string full =
            (slash == std::string::npos ? std::string() : folder) + entry->d_name;
        if (::stat(full.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace platform
