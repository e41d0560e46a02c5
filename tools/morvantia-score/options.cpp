#include "tools/morvantia-score/options.h"

#include "tools/common/option_values.h"
#include "tools/common/text.h"

namespace score {

using namespace tools;

namespace {

// The station details the plug-in's Cabrillo export reads from its INI file.
const char *const kStationKeys[] = {
    "Name",         "Address",            "Address_City", "Address_Province",
    "Address_PostalCode", "Address_Country", "Operators", "Club",
    "Email",        "SoapBox",            "Location",
};

}  // namespace

const OptionTable &optionTable() {
    static const OptionTable table("morvantia-score", {
        {"--call", nullptr, ValueKind::Text, "CALL",
         "Your own call sign. Default: STATION_CALLSIGN (or\n"
         "OPERATOR) of the ADIF log, CALLSIGN: of a Cabrillo log.",
         "--call YO2MVT log.adi"},
        {"--prefix", nullptr, ValueKind::Text, "PREFIX",
         "Your own country prefix. Default: worked out from your\n"
         "call sign (YO for YO..YR calls).",
         "--prefix DL log.adi"},
        {"--code", nullptr, ValueKind::Text, "CODE",
         "Your own county (Romanian stations) or country code, the\n"
         "two letters you send after the serial number. Default:\n"
         "the code of the log's sent exchanges, when they all give\n"
         "the same two letters; otherwise the run stops and asks\n"
         "for --code.",
         "--code TM log.adi"},
        {"--start", nullptr, ValueKind::Text, "TIME",
         "Contest start: QSOs before it are left out, each with a\n"
         "note. Default: the earliest QSO (nothing left out).",
         "--start \"2024-02-03 16:00\" log.adi"},
        {"--end", nullptr, ValueKind::Text, "TIME",
         "Contest end: QSOs after it are left out, each with a\n"
         "note; a date alone means the end of that day. Its date\n"
         "names the bad-QSO file. Default: the latest QSO.",
         "--end \"2024-02-03 20:00\" log.adi"},
        {"--cty", nullptr, ValueKind::File, "FILE",
         "Country file in the cty.dat format; it decides every\n"
         "station's country prefix.",
         "--cty cty.dat log.adi"},
        {"--html", nullptr, ValueKind::None, nullptr,
         "Print the summary as an HTML page.",
         "--html log.adi > summary.html"},
        {"--json", nullptr, ValueKind::None, nullptr,
         "Print the figures of the summary as JSON, for scripts\n"
         "(the fields are listed below).",
         "--json log.adi"},
        {"--cabrillo", nullptr, ValueKind::None, nullptr,
         "Ask the plug-in for its Cabrillo export; the station\n"
         "details come from the plug-in's INI file in the working\n"
         "folder, the log's own station fields and --station. The\n"
         "Windows plug-in shows them in its dialog for a last look.\n"
         "LOCATION is YO for a Romanian station, else DX, unless\n"
         "--station Location= or the log's LOCATION says otherwise.\n"
         "CREATED-BY names the plug-in and this program.",
         "--cabrillo --out yo2mvt log.adi"},
        {"--station", nullptr, ValueKind::Text, "KEY=VALUE",
         "A station detail for the Cabrillo export. KEY is one of\n"
         "Name, Address, Address_City, Address_Province,\n"
         "Address_PostalCode, Address_Country, Operators, Club,\n"
         "Email, SoapBox, Location.",
         "--station \"Name=Ana Pop\" --cabrillo log.adi"},
        {"--out", nullptr, ValueKind::Folder, "DIR",
         "Working folder of the plug-in: its INI file\n"
         "(Plugins/Morvantia.ini), the bad-QSO file and the\n"
         "Cabrillo log go there. Created when missing. Default: a\n"
         "new folder LOGNAME-score (LOGNAME-score-2, ... when taken)\n"
         "in the current folder.",
         "--out results log.adi"},
        {"--plugin", nullptr, ValueKind::File, "PATH",
         "The plug-in library to use. Default: the one beside this\n"
         "program, else the one of the release it came in\n"
         "(../lib/ when installed, x86\\ or x64\\ on Windows).",
         "--plugin ./libStatsMorvantia.so log.adi"},
        {"--quiet", "-q", ValueKind::None, nullptr,
         "No report of where the files went, no notes; errors are\n"
         "still shown.",
         "--quiet log.adi"},
        {"--help", "-h", ValueKind::None, nullptr,
         "This text.",
         "--help"},
        {"--version", nullptr, ValueKind::None, nullptr,
         "The program's version.",
         "--version"},
        {"--bash-completion", nullptr, ValueKind::None, nullptr,
         "Print a bash completion script for this program.",
         "--bash-completion > morvantia-score.bash"},
    });
    return table;
}

namespace {

// "-" is standard input.
bool readLogArgument(const std::string &arg, Options &options, bool &logSeen,
                     std::string &error) {
    if (logSeen) {
        error = "only one log can be scored at a time (\"" + options.logPath + "\" and \"" +
                arg + "\")";
        return false;
    }
    options.logPath = arg;
    logSeen = true;
    return true;
}

bool readCall(const std::string &value, Options &options, std::string &error) {
    if (!isPlausibleCall(value)) {
        error = "--call \"" + value + "\" is not a call sign (letters, digits, /)";
        return false;
    }
    options.call = upper(value);
    return true;
}

bool readCode(const std::string &value, Options &options, std::string &error) {
    if (!isOwnCode(upper(value))) {
        error = "--code \"" + value +
                "\" is not a county or country code (two letters, such as BU)";
        return false;
    }
    options.code = upper(value);
    return true;
}

bool readOutFolder(const std::string &value, Options &options, std::string &error) {
    if (value.empty()) {
        error = "--out needs a folder";
        return false;
    }
    options.outDir = value;
    return true;
}

// KEY=VALUE, the key matched without regard to case and stored under the
// plug-in's own spelling of it.
bool readStationDetail(const std::string &value, Options &options, std::string &error) {
    const std::size_t eq = value.find('=');
    const std::string key = trim(value.substr(0, eq));
    const char *known = nullptr;
    for (const char *k : kStationKeys)
        if (equalsIgnoreCase(key, k)) known = k;
    if (eq == std::string::npos || known == nullptr) {
        std::string keys;
        for (const char *k : kStationKeys) keys += std::string(keys.empty() ? "" : ", ") + k;
        error = "--station needs KEY=VALUE with KEY one of " + keys;
        return false;
    }
    options.station.emplace_back(known, value.substr(eq + 1));
    return true;
}

// One option of morvantia-score with its value; what only this program
// takes is read here, the rest by readSharedOption. Every value may end up
// in the plug-in's INI file or a file name, so a line break never gets
// through.
bool applyOption(const std::string &arg, const std::string &value, Options &options,
                 std::string &error) {
    if (optionTable().takesValue(arg) && !isSafeIniValue(value)) {
        error = arg + ": the value holds a line break or another control character";
        return false;
    }
    if (arg == "--call") return readCall(value, options, error);
    if (arg == "--code") return readCode(value, options, error);
    if (arg == "--out") return readOutFolder(value, options, error);
    if (arg == "--station") return readStationDetail(value, options, error);
    if (arg == "--start" || arg == "--end")
        return readPeriodOption(arg, value, arg == "--start" ? options.start : options.end, error);
    if (arg == "--prefix") {
        options.prefix = value;
    } else if (arg == "--plugin") {
        options.pluginPath = value;
    } else if (arg == "--cty") {
        options.ctyPath = value;
    } else if (arg == "--html") {
        options.html = true;
    } else if (arg == "--cabrillo") {
        options.cabrillo = true;
    } else {
        return readSharedOption(arg, options, error);
    }
    return true;
}

// What only the whole command line can tell.
bool checkCombination(const Options &options, bool logSeen, std::string &error) {
    if (options.asksInformation()) return true;
    if (options.html && options.json) {
        error = "--html and --json cannot be used together";
        return false;
    }
    if (!logSeen) {
        error = "no log given (a file name, or - for standard input)";
        return false;
    }
    if (options.start && options.end && options.end < options.start) {
        error = "--end lies before --start";
        return false;
    }
    return true;
}

}  // namespace

bool parseOptions(const std::vector<std::string> &args, Options &options,
                  std::string &error) {
    bool logSeen = false;
    return optionTable().walk(
               args,
               [&](const std::string &arg, bool, std::string &why) {
                   return readLogArgument(arg, options, logSeen, why);
               },
               [&options](const std::string &arg, const std::string &value, std::string &why) {
                   return applyOption(arg, value, options, why);
               },
               error) &&
           checkCombination(options, logSeen, error);
}

std::string helpText() {
    return std::string(R"(Usage: morvantia-score [OPTIONS] LOG

Scores a MORVANTIA contest log with the scoring plug-in, called exactly as
the logging program calls it, and prints the plug-in's summary. LOG is an
ADIF (.adi/.adif), ADX or Cabrillo 2/3 (.cbr/.log) file, told apart by its
content; - reads the log from standard input.

Options:
)" + optionTable().helpSection() + R"(
What is read from the log:
  ADIF/ADX   CALL; QSO_DATE and TIME_ON; BAND, else FREQ (MHz); MODE and
             SUBMODE (SSB, USB, LSB -> SSB; PSK with PSK31/PSK63/PSK125 and
             the bare PSK31/PSK63/PSK125 -> BPSK31/BPSK63/BPSK125);
             RST_SENT, RST_RCVD; sent serial from STX, else the leading
             digits of STX_STRING, your code from the letters of STX_STRING;
             received serial from SRX, else the leading digits of
             SRX_STRING (padded to three digits), received code from the
             letters of SRX_STRING, else STATE for a Romanian station;
             DXCC (275 makes a station Romanian); STATION_CALLSIGN or
             OPERATOR; MY_NAME, MY_STREET, MY_CITY, MY_POSTAL_CODE and
             MY_COUNTRY for the Cabrillo export.
  Cabrillo   QSO: lines (frequency in kHz or a band, mode CW/PH/PK/DG/RY,
             PK and DG read as BPSK31, date, time, own call, report and
             exchange sent, worked call, report and exchange received, the
             exchange as "012 AB" or "012AB"); X-QSO: lines are not scored;
             CALLSIGN:, NAME:, ADDRESS...:, OPERATORS:, CLUB:, EMAIL:,
             SOAPBOX: for the station.
  A station is Romanian (prefix YO) for calls YO..YR, also as YO/DL1ABC or
  DL1ABC/YO; other prefixes are a best guess unless --cty is given.

QSOs the plug-in never sees: records that cannot be read, QSOs outside
--start/--end, and QSOs whose received exchange the plug-in's own entry
check refuses (the logging program would not have let them be logged: a
three-digit number and a two-letter code, as "012 AB" or "012AB"). Each is
named with its line on standard error.

JSON fields (--json): log, format, contest, contest_date, contestant; the
  summary's bands, total, dupes, bad_qsos (the plug-in's "Bad QSO": lines of
  its bad-QSO file other than dupes) and score; bad_qso_file, cabrillo_file;
  and these counts of QSO records, which add up:
    records_read + records_skipped        records in the log
    records_skipped                       records that could not be read
    records_read = qsos_outside_period + qsos_refused_at_entry + qsos_given
    qsos_given = qsos_refused + qsos_stored        (what AddData0 answered)
    qsos_stored = total.qsos + qsos_dupe + qsos_excluded
  where qsos_dupe are the stored dupes and qsos_excluded the stored QSOs
  that do not count (a Romanian station without a county).

Output: the summary on standard output; where the bad-QSO file and the
Cabrillo log went on standard error.
Exit status: 0 scored cleanly, 1 scored with records left out (each one
reported with its line and record number), 2 log or options unusable, or
a file of the run (bad-QSO file, settings, Cabrillo log) could not be
written, each named on standard error, or the log's score is more than the
plug-in's 32-bit score can hold (its wrapped score is never shown).
Exchanges are read in capitals, as the logging program's entry fields take
them.
)");
}

}  // namespace score
