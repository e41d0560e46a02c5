// A log read from ADIF, ADX or Cabrillo, in the terms the plug-in is called
// with: one entry per QSO with the arguments of AddData0, plus what the log
// says about the operator's own station.
#pragma once

#include "tools/common/country_prefix.h"
#include "tools/common/read_problem.h"

#include <string>
#include <utility>
#include <vector>

namespace tools {

enum class LogFormat { Unknown, Adif, Adx, Cabrillo };
const char *formatName(LogFormat format);

// Tells the format from the content, whatever the file is called.
LogFormat detectFormat(const std::string &text);

struct QsoTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    bool operator<(const QsoTime &o) const;
    bool operator==(const QsoTime &o) const;
};

// Checks the calendar: month 1..12, a day the month has, 00:00:00..23:59:59,
// years 1900..9999.
bool isValidTime(const QsoTime &time);

// "20240203" and "1405" or "140530" (ADIF); "2024-02-03" and "1405" (Cabrillo).
bool readAdifDate(const std::string &date, QsoTime &time);
bool readAdifTimeOfDay(const std::string &text, QsoTime &time);
bool readCabrilloDate(const std::string &date, QsoTime &time);

struct ContestQso {
    int line = 0;
    int record = 0;
    std::string call;
    QsoTime time;
    unsigned int frequencyHz = 0;
    std::string band;
    std::string mode;
    std::string rstSent;
    std::string rstReceived;
    std::string sentNumber;        // the serial number sent (AddData0 argument 12)
    std::string receivedExchange;  // "012 AB" (argument 13); empty when not logged
    std::string countryPrefix;     // argument 23
    std::string sentCode;          // the own code as sent, if the log has it
    std::string ownCall;           // the station's call in this QSO, as logged: the
                                   // Cabrillo line's, or ADIF's STATION_CALLSIGN
};

// Station details of the log, under the names of the plug-in's INI keys
// ("Name", "Operators", ...), for the Cabrillo export.
using StationDetails = std::vector<std::pair<std::string, std::string>>;

struct ContestLog {
    LogFormat format = LogFormat::Unknown;
    std::vector<ContestQso> qsos;        // in log order
    // Cabrillo X-QSO lines, in log order: QSOs the entrant does not claim,
    // which the scoring leaves alone.
    std::vector<ContestQso> xQsos;
    std::vector<ReadProblem> problems;   // one per record left out
    std::string ownCall;                 // from the header or the first QSO that names it
    // The own code: the one code, two capital letters, that every sent
    // exchange naming a code gives; else empty, and ownCodeProblem says why.
    std::string ownCode;
    std::string ownCodeProblem;
    StationDetails station;
    int timeOffUsed = 0;  // ADIF records timed by TIME_OFF, lacking TIME_ON
};

// A county or country code as the plug-in takes it: two capital letters.
bool isOwnCode(const std::string &code);

// Reads a whole log. Records that cannot be read, or lack the call, date,
// time, band or frequency, or mode, are left out and reported in problems;
// everything the contest rules judge (exchange, band, mode) is left to the
// plug-in.
ContestLog readLog(const std::string &text, const CountryResolver &countries);

}  // namespace tools
