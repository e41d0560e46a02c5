#include "tools/common/plugin_files.h"

#include "platform/datetime.h"
#include "tools/common/input_file.h"

namespace tools {

std::string badQsoFileName(const HostDateTime &end) {
    return contract::badQsoFileName(platform::formatDateTime(&end, contract::kBadQsoDatePattern));
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
    const std::string time = platform::formatDateTime(&qso.time, contract::kBadQsoTimePattern);
    return contract::badQsoLineStart({qso.frequencyHz, qso.mode, time, qso.ownCall, qso.rstSent,
                                      qso.exchSent, qso.call, qso.rstReceived, qso.exchReceived});
}

}  // namespace tools
