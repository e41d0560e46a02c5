#include "platform/files.h"

#include "platform/files_os.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<FileSystem *> replacement{nullptr};

FileSystem &current() {
    FileSystem *fileSystem = replacement.load();
    return fileSystem != nullptr ? *fileSystem : systemFileSystem();
}

}  // namespace

void useFileSystem(FileSystem *fileSystem) { replacement.store(fileSystem); }

std::FILE *openFile(const std::string &name, const char *mode) {
    return current().open(nativePath(name), mode);
}

bool writeBytes(std::FILE *file, const std::string &bytes) {
    return bytes.empty() || current().write(file, bytes.data(), bytes.size());
}

bool replaceFile(const std::string &source, const std::string &target) {
    return current().rename(nativePath(source), nativePath(target));
}

bool writeFileWhole(const std::string &name, const std::string &content) {
    const std::string temporary = name + ".tmp";
    std::FILE *file = openFile(temporary, "wb");
    if (file == nullptr) return false;
    bool written = writeBytes(file, content) && std::fflush(file) == 0;
    written = std::fclose(file) == 0 && written;
    if (written && replaceFile(temporary, name)) return true;
    removeFile(temporary);
    return false;
}

bool appendToFile(const std::string &name, const std::string &content,
                  const std::string &startOfNewFile, AppendStamps *stamps) {
    if (content.empty()) return true;
    std::FILE *file = openFile(name, "ab");
    if (file == nullptr) return false;
    // Unbuffered, so a refused write shows here and nothing is left in a
    // buffer to reach the file after it has been cut back.
    std::setvbuf(file, nullptr, _IONBF, 0);
    if (stamps != nullptr) stamps->before = os::fileStamp(file);
    const std::int64_t before = stamps != nullptr && stamps->before
                                    ? static_cast<std::int64_t>(stamps->before->size)
                                    : os::fileLength(file);
    bool written = before >= 0 && (before > 0 || writeBytes(file, startOfNewFile)) &&
                   writeBytes(file, content);
    if (!written && before >= 0) os::truncateFile(file, before);
    if (stamps != nullptr) stamps->after = os::fileStamp(file);
    written = std::fclose(file) == 0 && written;
    return written;
}

}  // namespace platform
