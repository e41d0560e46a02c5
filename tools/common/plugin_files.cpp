#include "tools/common/plugin_files.h"

#include "platform/datetime.h"
#include "tools/common/input_file.h"

namespace tools {

std::string badQsoFileName(const HostDateTime &end) {
    return "BadQSO_StatsMorvantia_" + platform::formatDateTime(&end, "%d_%m_%Y") + ".txt";
}

bool readBadQsoLines(const std::string &fileName, std::vector<std::string> &lines) {
    std::string content;
    std::string reason;
    if (!readFile(fileName, content, reason)) return false;
    // Lines end with LF (CR LF as written); a last line without one counts.
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = content.size();
        std::size_t stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        lines.emplace_back(content, start, stop - start);
        start = last ? end : end + 1;
    }
    return true;
}

std::string badQsoLineStart(const host::Qso &qso) {
    const std::string sep = "  ";
    return "QSO:  " + std::to_string(qso.frequencyHz / 1000) + sep + qso.mode + sep +
           platform::formatDateTime(&qso.time, "%Y-%m-%d %H%M") + sep + qso.ownCall + sep +
           qso.rstSent + sep + qso.exchSent + sep + qso.call + sep + qso.rstReceived + sep +
           qso.exchReceived;
}

std::vector<std::string> unwrittenFiles(const std::string &summary) {
    const std::string lead = kUnwrittenFileLead;
    std::vector<std::string> names;
    for (std::size_t at = summary.find(lead); at != std::string::npos;
         at = summary.find(lead, at)) {
        at += lead.size();
        // The name ends with the line, or with the tag that follows it in HTML.
        const std::size_t end = summary.find_first_of("\r\n<", at);
        names.push_back(summary.substr(at, end == std::string::npos ? end : end - at));
    }
    return names;
}

}  // namespace tools
