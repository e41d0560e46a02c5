// File names and file replacement.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Names in the plug-in are written the host's way ("Plugins\Morvantia.ini");
// on POSIX the backslash becomes a slash, on Windows the name is unchanged.
std::string nativePath(const std::string &name);

// The three file operations that can fail under a writer: every open,
// write and rename of the plug-in's files goes through the file system in
// use, so tests can put one in that fails the n-th of them, as a full disk,
// a read-only or missing folder or a refused rename would.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Paths are native. A failed open leaves errno set (ENOENT: no such file).
    virtual std::FILE *open(const std::string &path, const char *mode) = 0;
    // True when all size bytes were taken.
    virtual bool write(std::FILE *file, const void *data, std::size_t size) = 0;
    virtual bool rename(const std::string &source, const std::string &target) = 0;
};

// The operating system's own file operations.
FileSystem &systemFileSystem();

// Puts a file system in place of the system's; null restores the system's.
// For tests only, set while no other thread touches files.
void useFileSystem(FileSystem *fileSystem);

// fopen on nativePath(name). Files are always opened in binary mode by the
// callers, who write CR LF themselves, so the bytes are the same everywhere.
std::FILE *openFile(const std::string &name, const char *mode);

// fwrite that tells whether every byte was taken.
bool writeBytes(std::FILE *file, const std::string &bytes);

// Replaces target with source in one step (the old content stays intact if
// anything fails before the replacement). Both names are host-style.
bool replaceFile(const std::string &source, const std::string &target);

// Writes content as the whole new file: into name + ".tmp" first, swapped in
// when complete. On any failure the old file stays as it was, the temporary
// file is removed and the result is false.
bool writeFileWhole(const std::string &name, const std::string &content);

// Appends content to the file (created when missing). A file found empty
// (new, or emptied by someone else) gets startOfNewFile first. When the disk
// refuses part of it, the file is cut back to its former length, so it never
// ends in half a line, and the result is false.
// stamps, when given, receives the file's stamp as the append found it and
// as it left it, read from the open file (none when it could not be read).
struct AppendStamps;
bool appendToFile(const std::string &name, const std::string &content,
                  const std::string &startOfNewFile = std::string(),
                  AppendStamps *stamps = nullptr);

// Size and last-write time of a regular file, at the finest resolution the
// system keeps: enough to tell that a file was rewritten.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;

    bool operator==(const FileStamp &other) const {
        return size == other.size && modified == other.modified;
    }
    bool operator!=(const FileStamp &other) const { return !(*this == other); }
};
std::optional<FileStamp> fileStamp(const std::string &path);

struct AppendStamps {
    std::optional<FileStamp> before;
    std::optional<FileStamp> after;
};

// Removes a file; quietly does nothing if it is missing.
void removeFile(const std::string &name);

// Names of the regular files matching pattern ("folder/prefix*.ini": the part
// after the last separator may hold * and ?), in the order the file system
// lists them. Directories are never returned.
std::vector<std::string> findFiles(const std::string &pattern);

}  // namespace platform
