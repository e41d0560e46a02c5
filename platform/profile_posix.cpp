// A private-profile implementation for POSIX that behaves like the Windows
// API the plug-in was written against: the file is parsed into sections of
// keys and rewritten whole on every write, with CR LF line ends and the
// blanks around "=" dropped.
#include "platform/files.h"
#include "platform/profile.h"

#include <strings.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform {
namespace {

struct Entry {
    std::string name;
    std::optional<std::string> value;  // lines without "=" keep no value
};

struct Section {
    std::string name;  // empty for lines before the first section
    std::vector<Entry> entries;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string &text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool sameName(const std::string &a, const std::string &b) {
    return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

std::vector<Section> load(const std::string &fileName, bool &exists) {
    std::vector<Section> sections;
    std::FILE *file = openFile(fileName, "rb");
    exists = file != nullptr;
    if (file == nullptr) return sections;
    std::string content;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.append(chunk, n);
    std::fclose(file);

    sections.push_back(Section{});
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = content.size();
        const std::string line = trim(content.substr(pos, end - pos));
        pos = end;
        while (pos < content.size() && (content[pos] == '\r' || content[pos] == '\n')) {
            ++pos;
            if (content[pos - 1] == '\n') break;
        }
        if (line.empty()) continue;
        if (line[0] == '[') {
            const std::size_t close = line.rfind(']');
            std::string name = close == std::string::npos || close == 0
                                   ? line.substr(1)
                                   : line.substr(1, close - 1);
            sections.push_back(Section{trim(name), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            sections.back().entries.push_back(Entry{line, std::nullopt});
        else
            sections.back().entries.push_back(
                Entry{trim(line.substr(0, equals)), trim(line.substr(equals + 1))});
    }
    if (sections.front().entries.empty()) sections.erase(sections.begin());
    return sections;
}

std::string stripQuotes(const std::string &value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string cut(const std::string &value, std::size_t bufferSize) {
    if (bufferSize == 0) return std::string();
    return value.size() < bufferSize ? value : value.substr(0, bufferSize - 1);
}

}  // namespace

std::string readProfileString(const std::string &section, const std::string &key,
                              const std::string &defaultValue,
                              const std::string &fileName,
                              std::size_t bufferSize) {
    std::string fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
    bool exists = false;
    std::vector<Section> sections = load(fileName, exists);
    const std::string wanted = trim(section);
    const std::string wantedKey = trim(key);
    for (Section &s : sections) {
        if (!sameName(s.name, wanted)) continue;
        for (const Entry &entry : s.entries)
            if (sameName(entry.name, wantedKey))
                return cut(stripQuotes(entry.value.value_or(std::string())),
                           bufferSize);
        break;  // only the first of duplicate sections is read
    }
    return cut(fallback, bufferSize);
}

bool writeProfileString(const std::string &section, const std::string &key,
                        const std::string &value, const std::string &fileName) {
    bool exists = false;
    std::vector<Section> sections = load(fileName, exists);
    const std::string wanted = trim(section);
    const std::string wantedKey = trim(key);
    Section *target = nullptr;
    for (Section &s : sections)
        if (sameName(s.name, wanted)) {
            target = &s;
            break;
        }
    if (target == nullptr) {
        sections.push_back(Section{wanted, {}});
        target = &sections.back();
    }
    Entry *entry = nullptr;
    for (Entry &e : target->entries)
        if (sameName(e.name, wantedKey)) {
            entry = &e;
            break;
        }
    if (entry == nullptr) {
        target->entries.push_back(Entry{wantedKey, std::nullopt});
        entry = &target->entries.back();
    }
    entry->value = trim(value);

    std::string content;
    for (const Section &s : sections) {
        if (!s.name.empty()) content += "[" + s.name + "]\r\n";
        for (const Entry &e : s.entries) {
            content += e.name;
            if (e.value) content += "=" + *e.value;
            content += "\r\n";
        }
    }

    // Write beside the file and swap it in, so a crash mid-write never
    // leaves a truncated settings file.
    const std::string temporary = fileName + ".tmp";
    std::FILE *file = openFile(temporary, "wb");
    if (file == nullptr) return false;
    const bool written =
        std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || !replaceFile(temporary, fileName)) {
        removeFile(temporary);
        return false;
    }
    return true;
}

}  // namespace platform
