// The INI reader and writer on any file content: reads of a few keys, one
// write, the same reads again. Besides the sanitizers' findings:
// - a read never returns more than its buffer holds;
// - a write into an existing folder succeeds;
// - with a plain section and key (see plainName), a plain value (see
//   plainValue) reads back as written, cut to one line;
// - every other key reads as it did before the write (see hasNamelessHeader);
// - writing the same again leaves the file as the first write left it, when
//   section and key have no blanks around them (which only the first write
//   keeps).
#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <strings.h>
#include <string>
#include <vector>

namespace {

const char *const kFile = "Plugins\\fuzz.ini";
const char *const kDefault = "\x01none";
const char *const kUtf8Mark = "\xEF\xBB\xBF";
// Larger than any value the input can hold: nothing is cut.
constexpr std::size_t kWholeValue = 4096;

// What the reader takes for blanks around names and values.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string trim(const std::string &text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool hasLineBreakOrNul(const std::string &text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// A name that stands in the file as one line of its own kind: no line break
// or NUL, a key without "=" that cannot pass for a section header, a
// section that is not the nameless one above the first header.
bool plainName(const std::string &name, bool key) {
    if (hasLineBreakOrNul(name)) return false;
    if (key) return name.find('=') == std::string::npos && trim(name).rfind('[', 0) != 0;
    return !trim(name).empty();
}

// A value that reads back as written: no blanks around it (they are
// dropped) and no pair of surrounding quotes (they are removed).
bool plainValue(const std::string &value) {
    if (!value.empty() && (isBlank(value.front()) || isBlank(value.back()))) return false;
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !quoted;
}

bool sameName(const std::string &a, const std::string &b) {
    const std::string x = trim(a), y = trim(b);
    return x.size() == y.size() && ::strcasecmp(x.c_str(), y.c_str()) == 0;
}

std::string fileContent() {
    std::string content;
    if (std::FILE *file = platform::openFile(kFile, "rb")) {
        char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, n);
        std::fclose(file);
    }
    return content;
}

// Whether the file has a header without a name ("[]"). The rewrite leaves
// such a header out, as the API does under Wine, so the keys below it join the
// section above: a corner of the file format that the plug-in, writing only
// to [Settings], never meets.
bool hasNamelessHeader(const std::string &content) {
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = content.size();
        const std::string line = trim(content.substr(pos, end - pos));
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line[0] == '[' && close != std::string::npos &&
            trim(line.substr(1, close - 1)).empty())
            return true;
        pos = end + 1;
    }
    return false;
}

struct Probe {
    std::string section, key, before;
};

std::string read(const std::string &section, const std::string &key) {
    return platform::readProfileString(section, key, kDefault, kFile, kWholeValue);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzz::WorkFolder::create();
    fuzz::anchorArtifactPaths(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(24);
    const std::string key = in.ConsumeRandomLengthString(24);
    const std::string value = in.ConsumeRandomLengthString(300);
    std::vector<Probe> probes(in.ConsumeIntegralInRange<std::size_t>(0, 4));
    for (Probe &p : probes) {
        p.section = in.ConsumeRandomLengthString(16);
        p.key = in.ConsumeRandomLengthString(16);
    }
    const std::size_t bufferSize = in.ConsumeIntegralInRange<std::size_t>(0, 120);
    std::string before = in.ConsumeRemainingBytesAsString();
    // A byte-order mark is one only at the very start. Behind blanks or blank
    // lines it starts the first name, which a rewrite puts at the very start,
    // where it reads as the mark. No editor writes such a file.
    for (std::size_t at = before.find(kUtf8Mark, 1); at != std::string::npos;
         at = before.find(kUtf8Mark, at))
        before.erase(at, 3);

    fuzz::WorkFolder::Session session;
    if (std::FILE *file = platform::openFile(kFile, "wb")) {
        std::fwrite(before.data(), 1, before.size(), file);
        std::fclose(file);
    }
    for (Probe &p : probes) {
        p.before = read(p.section, p.key);
        const std::string cut =
            platform::readProfileString(p.section, p.key, kDefault, kFile, bufferSize);
        fuzz::check(cut.size() <= (bufferSize == 0 ? 0 : bufferSize - 1),
                    "a read returned more than its buffer holds");
    }

    fuzz::check(platform::writeProfileString(section, key, value, kFile),
                "a write into an existing folder failed");
    const bool plain = plainName(section, false) && plainName(key, true);
    if (!plain) return 0;
    const std::string written = platform::singleLineValue(value);
    if (plainValue(written))
        fuzz::check(read(section, key) == written, "the value written does not read back");
    if (hasNamelessHeader(before)) probes.clear();
    for (const Probe &p : probes) {
        if (hasLineBreakOrNul(p.section) || hasLineBreakOrNul(p.key)) continue;
        if (sameName(p.section, section) && sameName(p.key, key)) continue;
        if (read(p.section, p.key) != p.before)
            fuzz::fail("writing [" + section + "] " + key + " changed [" + p.section + "] " +
                       p.key + " from \"" + p.before + "\" to \"" + read(p.section, p.key) +
                       "\"");
    }
    if (section != trim(section) || key != trim(key)) return 0;
    const std::string afterFirst = fileContent();
    fuzz::check(platform::writeProfileString(section, key, value, kFile),
                "a second write failed");
    fuzz::check(fileContent() == afterFirst, "writing the same again changed the file");
    return 0;
}
