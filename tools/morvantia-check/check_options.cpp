#include "tools/morvantia-check/check_options.h"

#include "tools/common/option_values.h"
#include "tools/common/text.h"

namespace check {
using tools::ValueKind;

const tools::OptionTable &checkOptionTable() {
    static const tools::OptionTable table("morvantia-check", {
        {"--out", nullptr, ValueKind::Folder, "DIR",
         "Folder for the results: results.txt, results.csv,\n"
         "results.html, and reports/CALL.txt for each entrant.\n"
         "Created when missing. Default: a new folder\n"
         "check-results (check-results-2, ... when taken).",
         "--out results logs/"},
        {"--window", nullptr, ValueKind::Text, "MIN",
         "Minutes the two logs' times of one QSO may differ, 0 to\n"
         "1440. Default: 3.",
         "--window 5 logs/"},
        {"--start", nullptr, ValueKind::Text, "TIME",
         "Contest start, as in morvantia-score: QSOs before it are\n"
         "listed in the entrant's report as outside the period and\n"
         "count for nobody. Default: none; the results say which\n"
         "period the logs cover.",
         "--start \"2024-02-03 16:00\" logs/"},
        {"--end", nullptr, ValueKind::Text, "TIME",
         "Contest end: QSOs after it are outside the period; a date\n"
         "alone means the end of that day. Default: none.",
         "--end \"2024-02-03 20:00\" logs/"},
        {"--no-clock-fix", nullptr, ValueKind::None, nullptr,
         "Check every log at the times it gives, even when its\n"
         "clock was found off (see Clocks below).",
         "--no-clock-fix logs/"},
        {"--json", nullptr, ValueKind::None, nullptr,
         "Print the whole outcome as JSON instead of the results\n"
         "table: every log with its scores, every QSO with its\n"
         "status and the other station's line.",
         "--json logs/ > check.json"},
        {"--cty", nullptr, ValueKind::File, "FILE",
         "Country file in the cty.dat format; it decides every\n"
         "station's country prefix for the plug-in.",
         "--cty cty.dat logs/"},
        {"--plugin", nullptr, ValueKind::File, "PATH",
         "The plug-in library to use. Default: the one beside this\n"
         "program, else the one of the release it came in\n"
         "(../lib/ when installed, x86\\ or x64\\ on Windows).",
         "--plugin ./libStatsMorvantia.so logs/"},
        {"--quiet", "-q", ValueKind::None, nullptr,
         "No progress and no notes; problems with the logs are\n"
         "still shown.",
         "--quiet logs/"},
        {"--help", "-h", ValueKind::None, nullptr, "This text.", "--help"},
        {"--version", nullptr, ValueKind::None, nullptr, "The program's version.", "--version"},
        {"--bash-completion", nullptr, ValueKind::None, nullptr,
         "Print a bash completion script for this program.",
         "--bash-completion > morvantia-check.bash"},
    });
    return table;
}

namespace {

// "-" is a log argument to the walk, refused here by name.
bool readLogArgument(const std::string &arg, bool optionsEnded, CheckOptions &options,
                     std::string &error) {
    if (arg == "-" && !optionsEnded) {
        error = "logs are read from files and folders, not from standard input";
        return false;
    }
    if (arg.empty()) {
        error = "an empty log name";
        return false;
    }
    options.inputs.push_back(arg);
    return true;
}

bool readWindow(const std::string &value, CheckOptions &options, std::string &error) {
    if (!tools::allDigits(value) || value.size() > 4 || std::stoi(value) > kMaxWindowMinutes) {
        error = "--window \"" + value + "\" is not a number of minutes from 0 to " +
                std::to_string(kMaxWindowMinutes);
        return false;
    }
    options.windowMinutes = std::stoi(value);
    return true;
}

// One option of morvantia-check with its value; what only this program
// takes is read here, the rest by readSharedOption. No option of this
// program means anything with an empty value.
bool applyOption(const std::string &arg, const std::string &value, CheckOptions &options,
                 std::string &error) {
    if (checkOptionTable().takesValue(arg) && value.empty()) {
        error = arg + " needs a value";
        return false;
    }
    if (arg == "--window") return readWindow(value, options, error);
    if (arg == "--start" || arg == "--end")
        return tools::readPeriodOption(arg, value, arg == "--start" ? options.start : options.end,
                                       error);
    if (arg == "--out") {
        options.outDir = value;
    } else if (arg == "--plugin") {
        options.pluginPath = value;
    } else if (arg == "--cty") {
        options.ctyPath = value;
    } else if (arg == "--no-clock-fix") {
        options.fixClocks = false;
    } else {
        return tools::readSharedOption(arg, options, error);
    }
    return true;
}

// What only the whole command line can tell.
bool checkCombination(const CheckOptions &options, std::string &error) {
    if (options.asksInformation()) return true;
    if (options.start && options.end && *options.end < *options.start) {
        error = "--end lies before --start";
        return false;
    }
    if (options.inputs.empty()) {
        error = "no logs given (log files, or a folder of logs)";
        return false;
    }
    return true;
}

}  // namespace

bool parseCheckOptions(const std::vector<std::string> &args, CheckOptions &options,
                       std::string &error) {
    return checkOptionTable().walk(
               args,
               [&options](const std::string &arg, bool afterDashDash, std::string &why) {
                   return readLogArgument(arg, afterDashDash, options, why);
               },
               [&options](const std::string &arg, const std::string &value, std::string &why) {
                   return applyOption(arg, value, options, why);
               },
               error) &&
           checkCombination(options, error);
}

std::string checkHelpText() {
    return std::string(R"(Usage: morvantia-check [OPTIONS] LOG... | DIR

Checks the logs of a MORVANTIA contest against each other and scores each
one with the scoring plug-in, without the QSOs the check removed. LOG is a
Cabrillo 2/3, ADIF or ADX log, one per entrant (ADIF and ADX with the
station's call in STATION_CALLSIGN or OPERATOR); DIR stands for every log
in that folder. A log that cannot be read is reported with its file and
line and left out; the check goes on without it.

A QSO of A with B (band, mode class CW, SSB or DIGI, time) is
  confirmed        when B's log holds a QSO with A on the same band and mode
                   class within the window; each QSO of B confirms one QSO
                   of A at most, nearest in time first;
  busted exchange  when confirmed, but the serial number or code A logged is
                   not what B sent;
  busted call      when B sent no log, but a station that did, one character
                   from B (changed, added or dropped), logged A on that band
                   and mode class within the window;
  not in log       when B sent a log without the QSO (unless B busted A's
                   call: then it is confirmed);
  unique           when B sent no log and no other log holds B;
  unchecked        when B sent no log but other logs hold B;
  dupe, bad        as the plug-in rules them (repeats; wrong band or mode,
                   no exchange or one it cannot take, no county).
Not in log, busted call and busted exchange QSOs are left out of the checked
score; unique and unchecked QSOs count.

Own calls: A above is the own call the QSO line gives (STATION_CALLSIGN in
ADIF), the call sent on the air in that QSO. A log is entered under its
CALLSIGN (ADIF: the first STATION_CALLSIGN); when its lines give other
calls, results.txt, results.html and the entrant's report say so, and each
QSO is checked under the call its line gives, so stations that logged that
call keep their QSOs. A call another log sends as its own stays that log's.
Reports quote every line with the own call it gives.
X-QSO lines count for nobody, but they confirm the other station's QSO as
a QSO line does.

Clocks: when most of a log's QSOs with stations that sent logs agree on one
time offset beyond the window (at least 5 QSOs, more than half, and more
than twice as many as match at the times given), its clock was off: the log
is checked with its times moved by that offset, and the results and its
report say so ("clock 4 minutes late"). Offsets of more than a day are not
looked for. --no-clock-fix turns this off.

Categories: CATEGORY-OPERATOR SINGLE-OP, MULTI-OP or CHECKLOG; CATEGORY-MODE
CW, SSB, DIGI or MIXED; CATEGORY-POWER HIGH, LOW or QRP; LOCATION YO or DX.
A log with another value is reported and ranked under (unknown category).
In results.csv a text that a spreadsheet would read as a formula starts
with an apostrophe.

Options:
)" + checkOptionTable().helpSection() + R"(
Output: the results table on standard output (or JSON with --json), the
files in --out, problems with the logs on standard error, and a progress
bar there when it is a terminal.
Logs left out, with the reason, are also listed at the end of results.txt
and results.html: a file that is no log, a subfolder or a link to nothing
in a folder given, an own call longer than 20 characters, a second log of
the same call (the first read is checked), a log whose score is more than
the plug-in's 32-bit score can hold. A file named twice is read once. Each
log's QSOs reach the plug-in in time order, so of two QSOs with a station
the later one is the repeat. Reports an earlier run left in --out/reports
are removed; other files there stay.
Exit status: 0 every log checked in full, 1 some log or QSO line left out
or a category the contest does not have (each one reported), 2 nothing could
be checked: options, the plug-in, no usable log, or a result file that could
not be written.
)");
}

}  // namespace check
