#include "engine/bad_qso_file.h"

#include "platform/files.h"

#include <cstdio>
#include <memory>

namespace engine {
namespace bad_qso_file {
namespace {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string joinLines(const std::string *header, const std::vector<std::string> &lines) {
    std::string text;
    if (header != nullptr) text += *header + "\r\n";
    for (const std::string &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace

bool readAll(const std::string &fileName, std::string &content) {
    File file(platform::openFile(fileName, "rb"));
    if (!file) return false;
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        content.append(chunk, n);
    return true;
}

bool isDupeLine(std::string_view line) {
    const std::string_view dupe = kDupeMessage;
    return line.size() >= dupe.size() && line.substr(line.size() - dupe.size()) == dupe;
}

bool create(const std::string &fileName, const std::string &header) {
    return platform::writeFileWhole(fileName, joinLines(&header, {}));
}

bool append(const std::string &fileName, const std::vector<std::string> &lines,
            const std::string &header, platform::AppendStamps *stamps) {
    return platform::appendToFile(fileName, joinLines(nullptr, lines),
                                  header.empty() ? header : header + "\r\n", stamps);
}

bool readLines(const std::string &fileName, std::vector<std::string> &lines) {
    std::string content;
    if (!readAll(fileName, content)) return false;
    forEachLine(content, [&lines](std::string_view line) { lines.emplace_back(line); });
    return true;
}

int countProblemLines(const std::vector<std::string> &lines) {
    int count = 0;
    for (const std::string &line : lines)
        if (!isDupeLine(line)) ++count;
    return count;
}

int countProblemLines(const std::string &fileName) {
    std::vector<std::string> lines;
    if (!readLines(fileName, lines) || lines.empty()) return 0;
    // The first line is the header.
    lines.erase(lines.begin());
    return countProblemLines(lines);
}

bool rewrite(const std::string &fileName, const std::string &header,
             const std::vector<std::string> &lines) {
    return platform::writeFileWhole(fileName, joinLines(&header, lines));
}


}  // namespace bad_qso_file
}  // namespace engine
