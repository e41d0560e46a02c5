#include "contract/plugin_files.h"

namespace contract {

std::string badQsoFileName(const std::string &endDate) {
    return "BadQSO_StatsMorvantia_" + endDate + ".txt";
}

std::string badQsoLineStart(const BadQsoLineFields &qso) {
    std::string line = "QSO:  " + std::to_string(qso.frequencyHz / 1000);
    for (std::string_view field : {qso.mode, qso.time, qso.ownCall, qso.rstSent, qso.exchSent,
                                   qso.call, qso.rstReceived, qso.exchReceived}) {
        line += "  ";
        line += field;
    }
    return line;
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

}  // namespace contract
