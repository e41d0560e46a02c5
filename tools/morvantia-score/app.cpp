#include "tools/morvantia-score/app.h"

#include "morvantia_version.h"
#include "platform/dynamic_library.h"
#include "platform/folders.h"
#include "tools/common/contest_log.h"
#include "tools/common/country_prefix.h"
#include "tools/common/exit_status.h"
#include "tools/common/input_file.h"
#include "tools/common/json_layout.h"
#include "tools/common/messages.h"
#include "tools/common/option_values.h"
#include "tools/common/plugin_files.h"
#include "tools/common/summary_figures.h"
#include "tools/common/text.h"
#include "tools/morvantia-score/options.h"
#include "tools/morvantia-score/plugin_run.h"

#include <algorithm>
#include <optional>

namespace score {

using namespace tools;

namespace {

const char *const kProgram = "morvantia-score";

bool readInput(const std::string &path, std::FILE *in, std::string &text, std::string &error) {
    if (path == "-") {
        if (readStream(in, text)) return true;
        error = "cannot read standard input";
        return false;
    }
    if (platform::isFolder(path)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    std::string reason;
    if (readFile(path, text, reason)) return true;
    error = "cannot read " + path + ": " + reason;
    return false;
}

std::string showTime(const QsoTime &t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

// Where a record is, for messages: "log.adi:12: record 3".
std::string place(const std::string &logName, const ReadProblem &p) {
    std::string where = logName;
    if (p.line > 0) where += ":" + std::to_string(p.line);
    if (p.record > 0) where += ": record " + std::to_string(p.record);
    return where;
}

// The QSOs inside the contest period that the user named; the others are
// listed in leftOut.
std::vector<ContestQso> withinPeriod(const std::vector<ContestQso> &qsos, const Options &options,
                                     std::vector<ReadProblem> &leftOut) {
    std::vector<ContestQso> kept;
    kept.reserve(qsos.size());
    for (const ContestQso &q : qsos) {
        if (options.start && q.time < *options.start)
            leftOut.push_back({q.line, q.record,
                               "QSO at " + showTime(q.time) + " lies before --start " +
                                   showTime(*options.start)});
        else if (options.end && *options.end < q.time)
            leftOut.push_back({q.line, q.record,
                               "QSO at " + showTime(q.time) + " lies after --end " +
                                   showTime(*options.end)});
        else
            kept.push_back(q);
    }
    return kept;
}

// The plug-in reads INI values into 100-byte buffers: longer station
// details reach its Cabrillo export cut.
constexpr std::size_t kIniValueKept = 99;

// A folder of its own for each run that names none, so no run mixes its
// files with those of an earlier one.
std::optional<std::string> freshFolder(const std::string &stem) {
    const std::string base = (stem.empty() ? std::string("log") : stem) + "-score";
    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
        if (!platform::isFolder(name) && !platform::fileStamp(name)) return name;
    }
    return std::nullopt;
}

// QSO counts of a run, each QSO record in exactly one place.
struct RunCounts {
    std::size_t outsidePeriod = 0;
    std::size_t given = 0;
};

Json rowJson(const RowFigures &r) {
    return Json{{"qsos", r.qsos},         {"points", r.points}, {"counties", r.counties},
                {"countries", r.countries}, {"digi", r.digi},     {"cw", r.cw},
                {"ssb", r.ssb}};
}

Json pathOrNull(const std::string &path) { return path.empty() ? Json() : Json(path); }

void writeJson(std::FILE *out, const std::string &logName, const ContestLog &log,
               const RunOutcome &outcome, const SummaryFigures &f, const RunCounts &counts,
               bool cabrilloAsked) {
    Json bands = Json::array();
    for (const RowFigures &band : f.bands) {
        Json row = {{"band", band.band}};
        row.update(rowJson(band));
        bands.push_back(std::move(row));
    }
    const Json document = {
        {"log", logName},
        {"format", formatName(log.format)},
        {"contest", outcome.setName},
        {"contest_date", f.contestDate},
        {"contestant", f.contestant},
        {"records_read", log.qsos.size()},
        {"records_skipped", log.problems.size()},
        {"qsos_outside_period", counts.outsidePeriod},
        {"qsos_refused_at_entry", outcome.refusedAtEntry.size()},
        {"qsos_given", counts.given},
        {"qsos_refused", outcome.refused},
        {"qsos_stored", outcome.stored},
        {"qsos_dupe", f.dupes},
        {"qsos_excluded", outcome.stored - f.total.qsos - f.dupes},
        {"bands", std::move(bands)},
        {"total", rowJson(f.total)},
        {"dupes", f.dupes},
        {"bad_qsos", f.badQsos},
        {"score", outcome.score},
        {"bad_qso_file", pathOrNull(outcome.badQsoFile)},
        {"cabrillo_file", cabrilloAsked ? pathOrNull(outcome.cabrilloFile) : Json()},
    };
    const std::string json = blockObject(document);
    std::fwrite(json.data(), 1, json.size(), out);
}

bool loadCountries(const Options &options, std::FILE *in, const Messages &messages,
                   CountryResolver &countries) {
    if (!options.ctyPath) return true;
    std::string text;
    std::string error;
    if (!readInput(*options.ctyPath, in, text, error)) {
        messages.error(error);
        return false;
    }
    std::optional<CountryFile> file = CountryFile::parse(text, error);
    if (!file) {
        messages.error(*options.ctyPath + ": " + error);
        return false;
    }
    countries = CountryResolver(std::move(*file));
    return true;
}

// Reads the log and names every record left out; false when nothing of it
// can be scored.
bool loadLog(const Options &options, std::FILE *in, const CountryResolver &countries,
             const std::string &logName, const Messages &messages, ContestLog &log) {
    std::string text;
    std::string error;
    if (!readInput(options.logPath, in, text, error)) {
        messages.error(error);
        return false;
    }
    log = readLog(text, countries);
    if (log.format == LogFormat::Unknown) {
        messages.error(logName + ": not an ADIF, ADX or Cabrillo log");
        return false;
    }
    for (const ReadProblem &p : log.problems)
        messages.error(place(logName, p) + ": " + p.message + "; left out");
    if (log.timeOffUsed > 0)
        messages.note(logName + ": " + std::to_string(log.timeOffUsed) +
                      " records have no TIME_ON; their TIME_OFF was taken as the QSO's time");
    if (log.qsos.empty()) {
        messages.error(logName + ": no QSO could be read");
        return false;
    }
    return true;
}

// The own call, prefix and code, from the options or else the log.
bool ownStation(const Options &options, const ContestLog &log, const CountryResolver &countries,
                const std::string &logName, const Messages &messages, RunRequest &request) {
    request.ownCall = options.call ? *options.call : log.ownCall;
    if (!request.ownCall.empty() && !isPlausibleCall(request.ownCall)) {
        messages.error(logName + ": own call sign \"" + request.ownCall +
                       "\" is not a call sign (letters, digits, /); give --call");
        return false;
    }
    if (request.ownCall.empty()) messages.note("no own call sign in the log; give --call");
    request.ownPrefix = options.prefix ? *options.prefix : countries.prefixFor(request.ownCall);
    if (options.code) {
        request.ownCode = options.code;
    } else if (!log.ownCode.empty()) {
        request.ownCode = log.ownCode;
    } else {
        // The code goes into every exported QSO line: never a guess.
        messages.error(logName + ": no own code: " + log.ownCodeProblem +
                       "; give --code with your county or country code (two letters, "
                       "such as BU)");
        return false;
    }
    return true;
}

// The contest period: as given, else from the first to the last QSO.
bool contestPeriod(const Options &options, const ContestLog &log, const Messages &messages,
                   RunRequest &request) {
    const auto [earliest, latest] = std::minmax_element(
        log.qsos.begin(), log.qsos.end(),
        [](const ContestQso &a, const ContestQso &b) { return a.time < b.time; });
    request.start = options.start ? *options.start : earliest->time;
    request.end = options.end ? *options.end : latest->time;
    if (request.end < request.start) {
        messages.error(options.end ? "--end lies before the contest start"
                                   : "--start lies after the last QSO");
        return false;
    }
    return true;
}

// The station details for the export: the log's, each replaced by
// --station, and the location this program writes itself.
void stationDetails(const Options &options, const ContestLog &log, const Messages &messages,
                    RunRequest &request) {
    request.station = log.station;
    for (const auto &detail : options.station) {
        // A named pair, not a structured binding: lambdas may not capture those.
        auto it = std::find_if(request.station.begin(), request.station.end(),
                               [&](const auto &entry) { return entry.first == detail.first; });
        if (it != request.station.end())
            it->second = detail.second;
        else
            request.station.push_back(detail);
    }
    // The plug-in has no location setting: a location given goes into the
    // exported log by this program; else the station's country decides it,
    // as the contest's categories do (YO for Romanian stations).
    request.location = request.ownPrefix == "YO" ? "YO" : "DX";
    for (const auto &[key, value] : request.station)
        if (key == "Location" && isSafeIniValue(value) && !trim(value).empty())
            request.location = upper(trim(value));
    request.station.erase(std::remove_if(request.station.begin(), request.station.end(),
                                         [](const auto &e) {
                                             return e.first == "Location" || !isSafeIniValue(e.second);
                                         }),
                          request.station.end());
    if (options.cabrillo)
        for (const auto &[key, value] : request.station)
            if (value.size() > kIniValueKept)
                messages.note("station detail " + key + " has " + std::to_string(value.size()) +
                              " characters; the plug-in keeps only the first " +
                              std::to_string(kIniValueKept) + ": \"" +
                              value.substr(kIniValueKept - 20, 20) + "\" is where it ends");
}

// Both paths are taken relative to where the user stands, before the run
// moves into the working folder.
bool runPaths(const Options &options, const Messages &messages, RunRequest &request) {
    request.pluginPath = options.pluginPath ? platform::absolutePath(*options.pluginPath)
                                            : platform::defaultPluginPath();
    if (options.outDir) {
        request.workFolder = platform::absolutePath(*options.outDir);
    } else {
        const std::optional<std::string> folder =
            freshFolder(options.logPath == "-" ? std::string("stdin") : logStem(options.logPath));
        if (!folder) {
            messages.error("no free name for a working folder; give --out");
            return false;
        }
        request.workFolder = platform::absolutePath(*folder);
    }
    if (options.logPath != "-") request.logPath = platform::absolutePath(options.logPath);
    return true;
}

// The summary, or its figures as JSON, on standard output.
bool printOutcome(const Options &options, const std::string &logName, const ContestLog &log,
                  const RunOutcome &outcome, const RunCounts &counts, const Messages &messages,
                  std::FILE *out) {
    const std::optional<SummaryFigures> figures = readPlainSummary(outcome.summary);
    // The plug-in counts its score in 32 bits; a log whose score is more
    // than that holds gets a wrapped one, which must never be shown as its
    // score, in any form of the summary.
    if (const std::optional<long long> full = fullScore(outcome.summary);
        full && *full != outcome.score) {
        messages.error(logName + ": the score, " + std::to_string(*full) +
                       ", is more than the plug-in can hold (2147483647); it would give " +
                       std::to_string(outcome.score));
        return false;
    }
    if (options.json) {
        if (!figures) {
            messages.error("the plug-in's summary does not have the expected layout");
            return false;
        }
        writeJson(out, logName, log, outcome, *figures, counts, options.cabrillo);
    } else {
        std::fwrite(outcome.summary.data(), 1, outcome.summary.size(), out);
    }
    std::fflush(out);
    return true;
}

// What was left out and which files the run left; the exit status.
int finish(const Options &options, const std::string &logName, const ContestLog &log,
           const std::vector<ReadProblem> &outsidePeriod, const RunRequest &request,
           const RunOutcome &outcome, const Messages &messages) {
    for (const ReadProblem &p : outcome.refusedAtEntry)
        messages.error(place(logName, p) + ": " + p.message + "; left out");
    const std::size_t leftOut =
        log.problems.size() + outsidePeriod.size() + outcome.refusedAtEntry.size();
    if (leftOut > 0)
        messages.note(std::to_string(leftOut) + " of " +
                      std::to_string(log.problems.size() + log.qsos.size()) +
                      " records left out, see above");
    std::string report = outcome.badQsoFile.empty() ? "no bad-QSO file was written"
                                                    : "bad-QSO file: " + outcome.badQsoFile;
    if (options.cabrillo)
        report += outcome.cabrilloFile.empty() ? "; no Cabrillo log was written"
                                               : "; Cabrillo log: " + outcome.cabrilloFile;
    messages.note(report);

    bool complete = true;
    for (const std::string &name : unwrittenFiles(outcome.summary)) {
        messages.error("cannot write " + platform::joinPath(request.workFolder, name) +
                       ": the plug-in's files are incomplete");
        complete = false;
    }
    if (options.cabrillo && outcome.cabrilloFile.empty()) {
        messages.error("the Cabrillo log could not be written in " + request.workFolder);
        complete = false;
    }
    if (!complete) return kExitUnusable;
    return leftOut == 0 ? kExitClean : kExitSkipped;
}

int run(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err) {
    Options options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        Messages(kProgram, err, false).error(error + " (see --help)");
        return kExitUnusable;
    }
    if (printInformation({options.help, options.bashCompletion, options.version}, helpText(),
                         optionTable(), out))
        return kExitClean;
    const Messages messages(kProgram, err, options.quiet);
    const std::string logName = options.logPath == "-" ? "<stdin>" : options.logPath;

    CountryResolver countries;
    ContestLog log;
    RunRequest request;
    if (!loadCountries(options, in, messages, countries) ||
        !loadLog(options, in, countries, logName, messages, log) ||
        !ownStation(options, log, countries, logName, messages, request))
        return kExitUnusable;

    std::vector<ReadProblem> outsidePeriod;
    const std::vector<ContestQso> qsos = withinPeriod(log.qsos, options, outsidePeriod);
    if (qsos.empty()) {
        messages.error(logName + ": no QSO lies within the contest period");
        return kExitUnusable;
    }
    for (const ReadProblem &p : outsidePeriod)
        messages.error(place(logName, p) + ": " + p.message + "; left out");
    if (!contestPeriod(options, log, messages, request)) return kExitUnusable;
    request.html = options.html;
    request.cabrillo = options.cabrillo;
    stationDetails(options, log, messages, request);
    if (!runPaths(options, messages, request)) return kExitUnusable;

    RunOutcome outcome;
    if (!runPlugin(request, qsos, outcome, error)) {
        messages.error(error);
        return kExitUnusable;
    }
    const RunCounts counts{outsidePeriod.size(), qsos.size() - outcome.refusedAtEntry.size()};
    if (!printOutcome(options, logName, log, outcome, counts, messages, out)) return kExitUnusable;
    return finish(options, logName, log, outsidePeriod, request, outcome, messages);
}

}  // namespace

std::string logStem(const std::string &path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

int runApp(const std::vector<std::string> &args, std::FILE *in, std::FILE *out,
           std::FILE *err) {
    return runReportingFaults(kProgram, err, [&] { return run(args, in, out, err); });
}

}  // namespace score
