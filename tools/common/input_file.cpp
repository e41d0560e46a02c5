#include "tools/common/input_file.h"

#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace tools {

bool readStream(std::FILE *stream, std::string &text) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
    return std::ferror(stream) == 0;
}

bool readFile(const std::string &path, std::string &text, std::string &reason) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(platform::openFile(path, "rb"),
                                                                &std::fclose);
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    if (readStream(file.get(), text)) return true;
    reason = "read error";
    return false;
}

}  // namespace tools
