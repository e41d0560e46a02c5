#include "tools/common/option_values.h"

#include "morvantia_version.h"

#include "tools/common/contest_log.h"
#include "tools/common/text.h"

namespace tools {

bool isSafeIniValue(const std::string &value) {
    for (char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

bool isPlausibleCall(const std::string &call) {
    if (call.empty()) return false;
    for (char c : call)
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '/') return false;
    return true;
}

bool readDateTimeOption(const std::string &text, QsoTime &time, bool *timeGiven) {
    std::string t = trim(text);
    std::string datePart = t.substr(0, t.find_first_of(" T"));
    std::string timePart =
        datePart.size() < t.size() ? trim(t.substr(datePart.size() + 1)) : std::string();
    QsoTime result;
    const bool dateOk = datePart.size() == 10 ? readCabrilloDate(datePart, result)
                                              : readAdifDate(datePart, result);
    if (!dateOk) return false;
    if (!timePart.empty()) {
        std::string digits;
        for (char c : timePart)
            if (c != ':') digits += c;
        if (!readAdifTimeOfDay(digits, result)) return false;
    }
    time = result;
    if (timeGiven != nullptr) *timeGiven = !timePart.empty();
    return true;
}

bool readPeriodOption(const std::string &option, const std::string &value,
                      std::optional<QsoTime> &time, std::string &error) {
    QsoTime read;
    bool timeGiven = false;
    if (!readDateTimeOption(value, read, &timeGiven)) {
        error = option + " \"" + value + "\" is not a date and time such as \"2024-02-03 16:00\"";
        return false;
    }
    if (option == "--end" && !timeGiven) {
        read.hour = 23;
        read.minute = 59;
        read.second = 59;
    }
    time = read;
    return true;
}

bool readSharedOption(const std::string &arg, SharedOptions &shared, std::string &error) {
    if (arg == "--json") {
        shared.json = true;
    } else if (arg == "--quiet" || arg == "-q") {
        shared.quiet = true;
    } else if (arg == "--help" || arg == "-h") {
        shared.help = true;
    } else if (arg == "--version") {
        shared.version = true;
    } else if (arg == "--bash-completion") {
        shared.bashCompletion = true;
    } else {
        error = "unknown option " + arg;
        return false;
    }
    return true;
}

bool printInformation(const InformationAsked &asked, const std::string &help,
                      const OptionTable &table, std::FILE *out) {
    std::string text;
    if (asked.help)
        text = help;
    else if (asked.bashCompletion)
        text = table.bashCompletion();
    else if (asked.version)
        text = table.program() + " " + MORVANTIA_VERSION + "\n";
    else
        return false;
    std::fwrite(text.data(), 1, text.size(), out);
    return true;
}

}  // namespace tools
