#include "tools/common/option_values.h"

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

}  // namespace tools
