#include "tools/common/contest_log.h"

#include "tools/common/adif_reader.h"
#include "tools/common/band_mode.h"
#include "tools/common/text.h"

#include <algorithm>
#include <tuple>

namespace tools {

const char *formatName(LogFormat format) {
    switch (format) {
    case LogFormat::Adif: return "ADIF";
    case LogFormat::Adx: return "ADX";
    case LogFormat::Cabrillo: return "Cabrillo";
    case LogFormat::Unknown: break;
    }
    return "unknown";
}

LogFormat detectFormat(const std::string &text) {
    std::size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    const std::string start = text.substr(pos, 64);
    if (startsWithIgnoreCase(start, "<?xml") || startsWithIgnoreCase(start, "<ADX"))
        return LogFormat::Adx;
    if (startsWithIgnoreCase(start, "START-OF-LOG:")) return LogFormat::Cabrillo;
    const bool adifTags = findIgnoreCase(text, "<EOR>") != std::string::npos ||
                          findIgnoreCase(text, "<EOH>") != std::string::npos ||
                          findIgnoreCase(text, "<CALL:") != std::string::npos;
    if (adifTags) return LogFormat::Adif;
    // A Cabrillo log that lost its first line still has its QSO lines.
    std::string line;
    while (nextLine(text, pos, line)) {
        std::size_t first = 0;
        while (first < line.size() && (line[first] == ' ' || line[first] == '\t')) ++first;
        if (startsWithIgnoreCase(line.substr(first, 4), "QSO:")) return LogFormat::Cabrillo;
    }
    return LogFormat::Unknown;
}

bool QsoTime::operator<(const QsoTime &o) const {
    return std::tie(year, month, day, hour, minute, second) <
           std::tie(o.year, o.month, o.day, o.hour, o.minute, o.second);
}

bool QsoTime::operator==(const QsoTime &o) const {
    return std::tie(year, month, day, hour, minute, second) ==
           std::tie(o.year, o.month, o.day, o.hour, o.minute, o.second);
}

bool isValidTime(const QsoTime &t) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1900 || t.year > 9999 || t.month < 1 || t.month > 12) return false;
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    const int monthDays = days[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
    return t.day >= 1 && t.day <= monthDays && t.hour >= 0 && t.hour < 24 &&
           t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60;
}

namespace {

int number(const std::string &text, std::size_t at, std::size_t length) {
    return std::stoi(text.substr(at, length));
}

}  // namespace

bool readAdifDate(const std::string &date, QsoTime &time) {
    const std::string d = trim(date);
    if (d.size() != 8 || !allDigits(d)) return false;
    QsoTime t = time;
    t.year = number(d, 0, 4);
    t.month = number(d, 4, 2);
    t.day = number(d, 6, 2);
    t.hour = t.minute = t.second = 0;
    if (!isValidTime(t)) return false;
    time.year = t.year;
    time.month = t.month;
    time.day = t.day;
    return true;
}

bool readAdifTimeOfDay(const std::string &text, QsoTime &time) {
    std::string t = trim(text);
    if (t.size() == 5 && t[2] == ':') t.erase(2, 1);  // 14:05, as some loggers write
    if ((t.size() != 4 && t.size() != 6) || !allDigits(t)) return false;
    const int hour = number(t, 0, 2);
    const int minute = number(t, 2, 2);
    const int second = t.size() == 6 ? number(t, 4, 2) : 0;
    if (hour > 23 || minute > 59 || second > 59) return false;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return true;
}

bool readCabrilloDate(const std::string &date, QsoTime &time) {
    const std::string d = trim(date);
    if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
    return readAdifDate(d.substr(0, 4) + d.substr(5, 2) + d.substr(8, 2), time);
}

namespace {

std::string joinExchange(const std::string &serial, const std::string &code) {
    if (serial.empty()) return code;
    if (code.empty()) return serial;
    return serial + " " + code;
}

// "012 AB", "012AB" and "12 ab" all become "012 AB"-style; anything else is
// kept as written for the plug-in to judge, in capitals: the logging
// program's entry fields take nothing else, so a log written in lower case
// means what the same log in capitals means.
std::string normalizeExchange(const std::string &text) {
    const std::string t = upper(trim(text));
    const std::string digits = leadingDigits(t);
    std::string rest = trim(t.substr(digits.size()));
    if (digits.empty() || (!rest.empty() && lettersOf(rest) != rest)) return t;
    return joinExchange(padSerial(digits), rest);
}

// A number field of ADIF (STX, SRX): digits only.
bool readSerialField(const AdifRecord &record, const char *name, std::string &serial,
                     std::string &error) {
    const std::string *value = record.find(name);
    if (value == nullptr || trim(*value).empty()) return true;
    const std::string t = trim(*value);
    if (!allDigits(t)) {
        error = std::string(name) + " \"" + t + "\" is not a number";
        return false;
    }
    serial = padSerial(t);
    return true;
}

std::string field(const AdifRecord &record, const char *name) {
    const std::string *value = record.find(name);
    return value == nullptr ? std::string() : trim(*value);
}

bool mapAdifRecord(const AdifRecord &r, const CountryResolver &countries, ContestQso &q,
                   bool &timeOff, std::string &error) {
    q.record = r.number;
    q.line = r.line;
    q.call = field(r, "CALL");
    if (q.call.empty()) {
        error = "no CALL";
        return false;
    }
    const std::string date = field(r, "QSO_DATE");
    std::string timeOn = field(r, "TIME_ON");
    // Some programs log only the end of a QSO; a minute apart at most.
    timeOff = timeOn.empty() && !field(r, "TIME_OFF").empty();
    if (timeOff) timeOn = field(r, "TIME_OFF");
    if (date.empty()) {
        error = "no QSO_DATE";
        return false;
    }
    if (!readAdifDate(date, q.time)) {
        error = "QSO_DATE \"" + date + "\" is not a date (YYYYMMDD)";
        return false;
    }
    if (timeOn.empty()) {
        error = "no TIME_ON";
        return false;
    }
    if (!readAdifTimeOfDay(timeOn, q.time)) {
        error = std::string(timeOff ? "TIME_OFF" : "TIME_ON") + " \"" + timeOn +
                "\" is not a time (HHMM or HHMMSS)";
        return false;
    }

    const std::string freq = field(r, "FREQ");
    unsigned long long hz = 0;
    if (!freq.empty()) {
        const std::optional<unsigned long long> parsed = megahertzToHz(freq);
        if (!parsed) {
            error = "FREQ \"" + freq + "\" is not a frequency in MHz";
            return false;
        }
        hz = *parsed;
        // Beyond what the host can pass the frequency stays unknown.
        if (fitsHostFrequency(hz)) q.frequencyHz = static_cast<unsigned int>(hz);
    }
    const std::string band = field(r, "BAND");
    if (!band.empty())
        q.band = contestBand(band);
    else if (!freq.empty())
        q.band = bandOfFrequency(hz);
    else {
        error = "no BAND or FREQ";
        return false;
    }

    const std::string mode = field(r, "MODE");
    if (mode.empty()) {
        error = "no MODE";
        return false;
    }
    q.mode = contestModeFromAdif(mode, field(r, "SUBMODE"));
    q.rstSent = field(r, "RST_SENT");
    q.rstReceived = field(r, "RST_RCVD");

    std::optional<int> dxcc;
    const std::string dxccText = field(r, "DXCC");
    if (allDigits(dxccText) && dxccText.size() < 6) dxcc = std::stoi(dxccText);
    q.countryPrefix = countries.prefixFor(q.call, dxcc);

    if (!readSerialField(r, "STX", q.sentNumber, error)) return false;
    const std::string stxString = field(r, "STX_STRING");
    if (q.sentNumber.empty()) q.sentNumber = padSerial(leadingDigits(stxString));
    q.sentCode = upper(lettersOf(stxString));

    std::string serial;
    if (!readSerialField(r, "SRX", serial, error)) return false;
    const std::string srxString = field(r, "SRX_STRING");
    if (serial.empty()) serial = padSerial(leadingDigits(srxString));
    // In capitals, as the logging program's entry fields take it.
    std::string code = upper(lettersOf(srxString));
    if (code.empty() && q.countryPrefix == "YO") code = upper(field(r, "STATE"));
    q.receivedExchange = joinExchange(serial, code);

    q.ownCall = field(r, "STATION_CALLSIGN");
    return true;
}

void addStationDetail(StationDetails &station, const std::string &key,
                      const std::string &value) {
    if (value.empty()) return;
    for (auto &entry : station)
        if (entry.first == key) return;
    station.emplace_back(key, value);
}

void readAdifLog(const AdifDocument &doc, const CountryResolver &countries,
                 ContestLog &log) {
    log.problems = doc.problems;
    for (const AdifRecord &record : doc.records) {
        ContestQso qso;
        std::string error;
        bool timeOff = false;
        if (!mapAdifRecord(record, countries, qso, timeOff, error)) {
            log.problems.push_back({record.line, record.number, error});
            continue;
        }
        log.timeOffUsed += timeOff;
        // The operator stands for the station when no record names it.
        if (log.ownCall.empty())
            log.ownCall = !qso.ownCall.empty() ? qso.ownCall : field(record, "OPERATOR");
        addStationDetail(log.station, "Operators", field(record, "OPERATOR"));
        addStationDetail(log.station, "Name", field(record, "MY_NAME"));
        addStationDetail(log.station, "Address", field(record, "MY_STREET"));
        addStationDetail(log.station, "Address_City", field(record, "MY_CITY"));
        addStationDetail(log.station, "Address_PostalCode", field(record, "MY_POSTAL_CODE"));
        addStationDetail(log.station, "Address_Country", field(record, "MY_COUNTRY"));
        log.qsos.push_back(std::move(qso));
    }
}

// Cabrillo -------------------------------------------------------------------

// A worked call has a digit after a letter (YO5ABC, 4X1AB); exchanges
// (599, 5NN, 012AB, AB) never do.
bool looksLikeCall(const std::string &token) {
    if (token.size() < 3) return false;
    bool letterSeen = false;
    for (char c : token) {
        if (isAsciiLetter(c)) letterSeen = true;
        else if (isAsciiDigit(c) && letterSeen) return true;
        else if (!isAsciiDigit(c) && c != '/') return false;
    }
    return false;
}

// 59, 599, 5NN: a signal report, not a serial number with a code.
bool looksLikeReport(const std::string &token) {
    if (token.size() < 2 || token.size() > 3 || token[0] < '1' || token[0] > '5') return false;
    for (std::size_t i = 1; i < token.size(); ++i)
        if (!isAsciiDigit(token[i]) && token[i] != 'N' && token[i] != 'n') return false;
    return true;
}

// The report and the exchange of one side of a QSO line. The report may be
// missing: "002 TM" is a serial and a code, "599 002TM" a report and an
// exchange, "599 002 TM" both in full.
void splitReport(const std::vector<std::string> &tokens, std::string &report,
                 std::string &exchange) {
    report.clear();
    exchange.clear();
    std::size_t first = 0;
    if (tokens.size() == 1 && looksLikeReport(tokens[0])) first = 1;
    if (tokens.size() == 2 && lettersOf(tokens[1]) != tokens[1]) first = 1;
    if (tokens.size() >= 3) first = 1;
    if (first == 1) report = tokens[0];
    for (std::size_t i = first; i < tokens.size(); ++i)
        exchange += (i > first ? " " : "") + tokens[i];
}

bool mapCabrilloQso(const std::string &value, int line, int number,
                    const CountryResolver &countries, ContestQso &q, std::string &error) {
    q.line = line;
    q.record = number;
    const std::vector<std::string> t = words(value);
    if (t.size() < 6) {
        error = "a QSO line needs frequency, mode, date, time, own call and worked call";
        return false;
    }
    const std::optional<CabrilloFrequency> frequency = readCabrilloFrequency(t[0]);
    if (!frequency) {
        error = "\"" + t[0] + "\" is not a frequency in kHz or a band";
        return false;
    }
    if (frequency->band.empty() && frequency->hz == 0) {
        error = "frequency 0 names no band";
        return false;
    }
    q.band = frequency->band;
    if (fitsHostFrequency(frequency->hz)) q.frequencyHz = static_cast<unsigned int>(frequency->hz);
    q.mode = contestModeFromCabrillo(t[1]);
    if (!readCabrilloDate(t[2], q.time)) {
        error = "\"" + t[2] + "\" is not a date (YYYY-MM-DD)";
        return false;
    }
    if (!readAdifTimeOfDay(t[3], q.time) || t[3].size() == 6) {
        error = "\"" + t[3] + "\" is not a time (HHMM)";
        return false;
    }
    q.ownCall = t[4];

    std::size_t callAt = 5;
    while (callAt < t.size() && !looksLikeCall(t[callAt])) ++callAt;
    if (callAt >= t.size()) {
        error = "no worked call sign after the sent exchange";
        return false;
    }
    q.call = t[callAt];

    std::string sentExchange;
    splitReport(std::vector<std::string>(t.begin() + 5, t.begin() + callAt), q.rstSent,
                sentExchange);
    std::vector<std::string> received(t.begin() + callAt + 1, t.end());
    // A last lone 0 or 1 after a full exchange is the transmitter number.
    if (received.size() >= 3 && (received.back() == "0" || received.back() == "1"))
        received.pop_back();
    std::string receivedExchange;
    splitReport(received, q.rstReceived, receivedExchange);

    const std::string sent = normalizeExchange(sentExchange);
    q.sentNumber = padSerial(leadingDigits(sent));
    q.sentCode = lettersOf(sent);
    q.receivedExchange = normalizeExchange(receivedExchange);
    q.countryPrefix = countries.prefixFor(q.call);
    return true;
}

// Cabrillo header tags that describe the station, with the INI keys the
// plug-in's export reads them from.
struct StationTag {
    const char *tag;
    const char *key;
};
const StationTag kStationTags[] = {
    {"NAME", "Name"},
    {"ADDRESS", "Address"},
    {"ADDRESS-CITY", "Address_City"},
    {"ADDRESS-STATE-PROVINCE", "Address_Province"},
    {"ADDRESS-POSTALCODE", "Address_PostalCode"},
    {"ADDRESS-COUNTRY", "Address_Country"},
    {"OPERATORS", "Operators"},
    {"CLUB", "Club"},
    {"EMAIL", "Email"},
    {"E-MAIL", "Email"},
    {"LOCATION", "Location"},
};

void readCabrilloLog(const std::string &text, const CountryResolver &countries,
                     ContestLog &log) {
    std::string soapbox;
    int number = 0;
    int lineNumber = 0;
    std::size_t pos = 0;
    std::string line;
    while (nextLine(text, pos, line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        line = trim(line);
        if (line.empty()) continue;
        const std::size_t colon = line.find(':');
        const std::string tag = upper(trim(line.substr(0, colon)));
        const std::string value =
            colon == std::string::npos ? std::string() : trim(line.substr(colon + 1));
        if (colon == std::string::npos) {
            // Only a line that was meant to be a QSO matters.
            if (startsWithIgnoreCase(line, "QSO"))
                log.problems.push_back({lineNumber, ++number, "QSO line without \":\""});
            continue;
        }
        if (tag == "END-OF-LOG") break;
        if (tag == "QSO") {
            ContestQso qso;
            std::string error;
            if (!mapCabrilloQso(value, lineNumber, ++number, countries, qso, error)) {
                log.problems.push_back({lineNumber, number, error});
                continue;
            }
            log.qsos.push_back(std::move(qso));
        } else if (tag == "X-QSO") {
            // Not a record of the log: one that cannot be read is no
            // evidence either, and nothing the entrant claims is lost.
            ContestQso qso;
            std::string error;
            if (mapCabrilloQso(value, lineNumber, 0, countries, qso, error))
                log.xQsos.push_back(std::move(qso));
        } else if (tag == "CALLSIGN") {
            if (log.ownCall.empty()) log.ownCall = value;
        } else if (tag == "SOAPBOX") {
            // The plug-in's INI keeps line breaks as <CR><LF>.
            if (!value.empty()) soapbox += (soapbox.empty() ? "" : "<CR><LF>") + value;
        } else {
            for (const StationTag &station : kStationTags)
                if (tag == station.tag) {
                    // Cabrillo repeats ADDRESS for each line of the address.
                    bool found = false;
                    for (auto &entry : log.station)
                        if (entry.first == station.key) {
                            if (tag == "ADDRESS" && !value.empty()) entry.second += ", " + value;
                            found = true;
                        }
                    if (!found) addStationDetail(log.station, station.key, value);
                }
        }
    }
    addStationDetail(log.station, "SoapBox", soapbox);
    if (log.ownCall.empty())
        for (const ContestQso &qso : log.qsos)
            if (!qso.ownCall.empty()) {
                log.ownCall = qso.ownCall;
                break;
            }
}

void findOwnCode(ContestLog &log) {
    std::vector<std::string> codes;
    for (const ContestQso &qso : log.qsos) {
        const std::string code = upper(qso.sentCode);
        if (!code.empty() && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    if (codes.size() == 1 && isOwnCode(codes[0])) {
        log.ownCode = codes[0];
    } else if (codes.empty()) {
        log.ownCodeProblem = "the sent exchanges hold no code";
    } else if (codes.size() == 1) {
        log.ownCodeProblem = "the sent exchanges give \"" + codes[0] + "\", not a code of two letters";
    } else {
        std::string list;
        for (std::size_t i = 0; i < codes.size() && i < 4; ++i)
            list += (i > 0 ? ", " : "") + codes[i];
        if (codes.size() > 4) list += ", ...";
        log.ownCodeProblem = "the sent exchanges give " + std::to_string(codes.size()) +
                             " different codes (" + list + ")";
    }
}

}  // namespace

bool isOwnCode(const std::string &code) {
    return code.size() == 2 && code[0] >= 'A' && code[0] <= 'Z' && code[1] >= 'A' &&
           code[1] <= 'Z';
}

ContestLog readLog(const std::string &text, const CountryResolver &countries) {
    ContestLog log;
    log.format = detectFormat(text);
    switch (log.format) {
    case LogFormat::Adif: readAdifLog(readAdif(text), countries, log); break;
    case LogFormat::Adx: readAdifLog(readAdx(text), countries, log); break;
    case LogFormat::Cabrillo: readCabrilloLog(text, countries, log); break;
    case LogFormat::Unknown: break;
    }
    findOwnCode(log);
    std::stable_sort(log.problems.begin(), log.problems.end(),
                     [](const ReadProblem &a, const ReadProblem &b) {
                         return a.record != b.record ? a.record < b.record : a.line < b.line;
                     });
    return log;
}

}  // namespace tools
