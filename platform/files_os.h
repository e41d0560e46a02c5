// What the portable file code needs from each operating system.
#pragma once

#include <cstdint>
#include <cstdio>

#include "platform/files.h"

namespace platform {
namespace os {

// The C library's open and write; each system adds its own rename.
class StdioFileSystem : public FileSystem {
public:
    std::FILE *open(const std::string &path, const char *mode) override {
        return std::fopen(path.c_str(), mode);
    }
    bool write(std::FILE *file, const void *data, std::size_t size) override {
        return std::fwrite(data, 1, size, file) == size;
    }
};

// Length of an open file in bytes, -1 when it cannot be told.
std::int64_t fileLength(std::FILE *file);

// The stamp of an open file, as fileStamp() gives it for its name.
std::optional<FileStamp> fileStamp(std::FILE *file);

// Cuts an open file to length bytes.
bool truncateFile(std::FILE *file, std::int64_t length);

}  // namespace os
}  // namespace platform
