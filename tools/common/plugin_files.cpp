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
    contract::forEachLine(content, [&lines](std::string_view line) { lines.emplace_back(line); });
    return true;
}

std::string badQsoLineStart(const host::Qso &qso) {
    const std::string time = platform::formatDateTime(&qso.time, contract::kBadQsoTimePattern);
    return contract::badQsoLineStart({qso.frequencyHz, qso.mode, time, qso.ownCall, qso.rstSent,
                                      qso.exchSent, qso.call, qso.rstReceived, qso.exchReceived});
}

}  // namespace tools
