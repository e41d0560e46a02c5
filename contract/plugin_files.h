// What the plug-in writes into its files and the programs read back: the
// bad-QSO file's name and the start of its lines, the dupe message, and the
// summary's note of a file that could not be written. Writer and readers
// share these so the two sides cannot drift apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace contract {

// The contest's end date as it goes into the bad-QSO file's name (a
// strftime pattern, applied to the host's date-time).
constexpr const char *kBadQsoDatePattern = "%d_%m_%Y";

// The bad-QSO file's name for an end date formatted with kBadQsoDatePattern:
// "BadQSO_StatsMorvantia_03_02_2024.txt".
std::string badQsoFileName(const std::string &endDate);

// A QSO as it starts its line in the bad-QSO file; time is formatted with
// kBadQsoTimePattern.
constexpr const char *kBadQsoTimePattern = "%Y-%m-%d %H%M";
struct BadQsoLineFields {
    unsigned int frequencyHz = 0;
    std::string_view mode;
    std::string_view time;
    std::string_view ownCall;
    std::string_view rstSent;
    std::string_view exchSent;
    std::string_view call;
    std::string_view rstReceived;
    std::string_view exchReceived;
};

// The line up to its message:
// "QSO:  3550  CW  2024-02-03 1600  YO2MVT  599  001  YO4IBJ  599  159 DJ".
std::string badQsoLineStart(const BadQsoLineFields &qso);

// The end of a dupe line: one per earlier QSO that the dupe repeats.
constexpr const char *kDupeMessage = "   DUPE !!!";

// Calls f(line) for each line of a file's content, without its line end:
// lines end with LF (CR LF as the plug-in writes them), and a last line
// without one counts.
template <class F>
void forEachLine(std::string_view content, F &&f) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = content.size();
        std::size_t stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        f(content.substr(start, stop - start));
        start = last ? end : end + 1;
    }
}

// What the summary and the Cabrillo export say before each file they could
// not write.
constexpr const char *kUnwrittenFileLead = "File could not be written: ";

// The files the summary names as not written (a full disk, a read-only
// folder, a refused rename), in its order, from its plain or HTML text.
std::vector<std::string> unwrittenFiles(const std::string &summary);

}  // namespace contract
