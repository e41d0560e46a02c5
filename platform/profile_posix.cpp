// A private-profile implementation for POSIX that behaves like the Windows
// API the plug-in was written against, down to its corners (checked against
// the real API under Wine with the same case table): the file is parsed into
// sections of keys and rewritten whole on every write that changes a value,
// with CR LF line ends, blank lines dropped and the blanks around "=" gone.
#include "platform/files.h"
#include "platform/profile.h"

#include <strings.h>

#include <cerrno>
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

struct Profile {
    bool utf8Mark = false;  // the file starts with a UTF-8 byte-order mark
    std::vector<Section> sections;
};

const char kUtf8Mark[] = "\xEF\xBB\xBF";

// The API's blanks: white space and the old end-of-file mark, Ctrl-Z.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string trimLeft(const std::string &text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) ++begin;
    return text.substr(begin);
}

std::string trim(const std::string &text) {
    std::string result = trimLeft(text);
    while (!result.empty() && isBlank(result.back())) result.pop_back();
    return result;
}

bool sameName(const std::string &a, const std::string &b) {
    return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Reads the file; false when it exists but cannot be read, so that a write
// never replaces settings it could not see. A missing file is empty.
bool load(const std::string &fileName, Profile &profile) {
    std::vector<Section> &sections = profile.sections;
    std::FILE *file = openFile(fileName, "rb");
    if (file == nullptr) return errno == ENOENT;
    std::string content;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.append(chunk, n);
    const bool readFine = std::ferror(file) == 0;
    std::fclose(file);
    if (!readFine) return false;
    if (content.compare(0, 3, kUtf8Mark) == 0) {
        profile.utf8Mark = true;
        content.erase(0, 3);
    }

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
        // A header runs to its last "]"; text after it is dropped. A "[" line
        // without any "]" is no header but an ordinary line of the section.
        const std::size_t close = line[0] == '[' ? line.rfind(']') : std::string::npos;
        if (close != std::string::npos) {
            sections.push_back(Section{trim(line.substr(1, close - 1)), {}});
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
    return true;
}

// What arrives in a buffer of bufferSize bytes: one pair of surrounding
// quotes is removed and the text cut to bufferSize - 1 characters. The API
// drops the closing quote from the copied text by position, so a quoted
// value that just fills the buffer loses its last character instead.
std::string copyToBuffer(const std::string &value, std::size_t bufferSize) {
    if (bufferSize == 0) return std::string();
    std::string text = value;
    bool quoted = false;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        quoted = true;
        text.erase(0, 1);
    }
    const std::size_t fullLength = text.size();
    if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    if (quoted && bufferSize >= fullLength && !text.empty()) text.pop_back();
    return text;
}

bool save(const Profile &profile, const std::string &fileName) {
    std::string content = profile.utf8Mark ? kUtf8Mark : "";
    for (const Section &s : profile.sections) {
        if (!s.name.empty()) content += "[" + s.name + "]\r\n";
        for (const Entry &e : s.entries) {
            content += e.name;
            if (e.value) content += "=" + *e.value;
            content += "\r\n";
        }
    }

    // Never a truncated settings file, whatever stops the write.
    return writeFileWhole(fileName, content);
}

}  // namespace

std::string readProfileString(const std::string &section, const std::string &key,
                              const std::string &defaultValue,
                              const std::string &fileName,
                              std::size_t bufferSize) {
    // Only spaces, not other blanks, are dropped from the end of a default.
    std::string fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
    Profile profile;
    load(fileName, profile);  // an unreadable file reads as empty
    const std::string wanted = trim(section);
    const std::string wantedKey = trim(key);
    for (const Section &s : profile.sections) {
        if (!sameName(s.name, wanted)) continue;
        for (const Entry &entry : s.entries) {
            if (!sameName(entry.name, wantedKey)) continue;
            // A line without "=" names a key but holds no value.
            if (entry.value) return copyToBuffer(*entry.value, bufferSize);
            break;
        }
        break;  // only the first of duplicate sections is read
    }
    return copyToBuffer(fallback, bufferSize);
}

bool writeProfileString(const std::string &section, const std::string &key,
                        const std::string &value, const std::string &fileName) {
    Profile profile;
    if (!load(fileName, profile)) return false;
    const std::string wanted = trim(section);
    const std::string wantedKey = trim(key);
    // Leading blanks never reach the file; trailing ones of the value do.
    const std::string newValue = trimLeft(singleLineValue(value));
    Section *target = nullptr;
    for (Section &s : profile.sections)
        if (sameName(s.name, wanted)) {
            target = &s;
            break;
        }
    if (target == nullptr) {
        profile.sections.push_back(Section{trimLeft(section), {}});
        target = &profile.sections.back();
    }
    Entry *entry = nullptr;
    for (Entry &e : target->entries)
        if (sameName(e.name, wantedKey)) {
            entry = &e;
            break;
        }
    if (entry == nullptr) {
        target->entries.push_back(Entry{trimLeft(key), std::nullopt});
        entry = &target->entries.back();
    } else if (entry->value && *entry->value == newValue) {
        return true;  // unchanged: the file is left exactly as it is
    }
    entry->value = newValue;
    return save(profile, fileName);
}

}  // namespace platform
