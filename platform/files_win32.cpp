#include "platform/files.h"

#include "platform/files_os.h"

#include <io.h>
#include <windows.h>

#include <cctype>
#include <cstdio>

namespace platform {
namespace {

char foldCase(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The file system's own wildcard rule for the long name: '*' any run of
// characters, '?' exactly one, letters ignoring case.
bool matchesMask(const char *mask, const char *name) {
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*name != '\0') {
        if (*mask == '*') {
            star = mask++;
            resume = name;
        } else if (*mask != '\0' && (*mask == '?' || foldCase(*mask) == foldCase(*name))) {
            ++mask;
            ++name;
        } else if (star != nullptr) {
            mask = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*mask == '*') ++mask;
    return *mask == '\0';
}

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
    }
    FindHandle(const FindHandle &) = delete;
    FindHandle &operator=(const FindHandle &) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::string nativePath(const std::string &name) { return name; }

namespace {

class SystemFileSystem final : public os::StdioFileSystem {
public:
    bool rename(const std::string &source, const std::string &target) override {
        // Write-through: the rename is on disk when this returns, so a crash
        // right after never finds the old file gone and the new one missing.
        return ::MoveFileExA(source.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
};

}  // namespace

FileSystem &systemFileSystem() {
    static SystemFileSystem fileSystem;
    return fileSystem;
}

namespace os {

std::int64_t fileLength(std::FILE *file) { return ::_filelengthi64(::_fileno(file)); }

namespace {

// A file's stamp from what the system tells of it; none for a folder.
std::optional<FileStamp> stampOf(DWORD attributes, DWORD sizeHigh, DWORD sizeLow,
                                 const FILETIME &written) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    FileStamp stamp;
    stamp.size = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    stamp.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
    return stamp;
}

}  // namespace

std::optional<FileStamp> fileStamp(std::FILE *file) {
    BY_HANDLE_FILE_INFORMATION info{};
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    return stampOf(info.dwFileAttributes, info.nFileSizeHigh, info.nFileSizeLow,
                   info.ftLastWriteTime);
}

bool truncateFile(std::FILE *file, std::int64_t length) {
    return ::_chsize_s(::_fileno(file), length) == 0;
}

}  // namespace os

std::optional<FileStamp> fileStamp(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return os::stampOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                       data.ftLastWriteTime);
}

void removeFile(const std::string &name) { ::DeleteFileA(name.c_str()); }

std::vector<std::string> findFiles(const std::string &pattern) {
    std::vector<std::string> names;
    const std::size_t separator = pattern.find_last_of("\\/");
    std::string mask =
        separator == std::string::npos ? pattern : pattern.substr(separator + 1);
    // "*.*" means every name, with or without a dot.
    if (mask == "*.*") mask = "*";

    WIN32_FIND_DATAA data;
    FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) return names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        // FindFirstFileA also matches the 8.3 short name: "*.ini" finds
        // "notes.ini.bak" through "NOTES~1.INI". Only the real name counts.
        if (!matchesMask(mask.c_str(), data.cFileName)) continue;
        names.emplace_back(data.cFileName);
    } while (::FindNextFileA(find.get(), &data));
    return names;
}

}  // namespace platform
