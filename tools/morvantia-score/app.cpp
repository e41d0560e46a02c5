#include "tools/morvantia-score/app.h"

#include "platform/dynamic_library.h"
#include "morvantia_version.h"
#include "platform/folders.h"
#include "tools/morvantia-score/contest_log.h"
#include "tools/morvantia-score/country_prefix.h"
#include "tools/morvantia-score/options.h"
#include "tools/morvantia-score/plugin_run.h"
#include "tools/morvantia-score/summary_figures.h"
#include "tools/morvantia-score/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>


namespace score {
namespace {

const char *const kProgram = "morvantia-score";

class Messages {
public:
    Messages(std::FILE *err, bool quiet) : err_(err), quiet_(quiet) {}
    void error(const std::string &text) const { line(text); }
    void note(const std::string &text) const {
        if (!quiet_) line(text);
    }

private:
    void line(const std::string &text) const {
        std::fprintf(err_, "%s: %s\n", kProgram, text.c_str());
    }
    std::FILE *err_;
    bool quiet_;
};

bool readAll(std::FILE *file, std::string &text) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    return std::ferror(file) == 0;
}

bool readInput(const std::string &path, std::FILE *in, std::string &text, std::string &error) {
    if (path == "-") {
        if (readAll(in, text)) return true;
        error = "cannot read standard input";
        return false;
    }
    if (platform::isFolder(path)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool ok = readAll(file, text);
    std::fclose(file);
    if (!ok) error = "cannot read " + path + ": read error";
    return ok;
}

// The files the plug-in names below its score as not written: a full disk,
// a read-only folder or a refused rename while it wrote them.
std::vector<std::string> unwrittenFiles(const std::string &summary) {
    const std::string lead = "File could not be written: ";
    std::vector<std::string> names;
    for (std::size_t at = summary.find(lead); at != std::string::npos;
         at = summary.find(lead, at)) {
        at += lead.size();
        const std::size_t end = summary.find_first_of("\r\n<", at);
        names.push_back(summary.substr(at, end == std::string::npos ? end : end - at));
    }
    return names;
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

void writeJson(std::FILE *out, const std::string &logName, const ContestLog &log,
               const RunOutcome &outcome, const SummaryFigures &f, const RunCounts &counts,
               bool cabrilloAsked) {
    auto row = [](const RowFigures &r) {
        return "\"qsos\": " + std::to_string(r.qsos) + ", \"points\": " + std::to_string(r.points) +
               ", \"counties\": " + std::to_string(r.counties) +
               ", \"countries\": " + std::to_string(r.countries) +
               ", \"digi\": " + std::to_string(r.digi) + ", \"cw\": " + std::to_string(r.cw) +
               ", \"ssb\": " + std::to_string(r.ssb);
    };
    std::string json = "{\n";
    json += "  \"log\": " + jsonString(logName) + ",\n";
    json += "  \"format\": " + jsonString(formatName(log.format)) + ",\n";
    json += "  \"contest\": " + jsonString(outcome.setName) + ",\n";
    json += "  \"contest_date\": " + jsonString(f.contestDate) + ",\n";
    json += "  \"contestant\": " + jsonString(f.contestant) + ",\n";
    json += "  \"records_read\": " + std::to_string(log.qsos.size()) + ",\n";
    json += "  \"records_skipped\": " + std::to_string(log.problems.size()) + ",\n";
    json += "  \"qsos_outside_period\": " + std::to_string(counts.outsidePeriod) + ",\n";
    json += "  \"qsos_refused_at_entry\": " + std::to_string(outcome.refusedAtEntry.size()) + ",\n";
    json += "  \"qsos_given\": " + std::to_string(counts.given) + ",\n";
    json += "  \"qsos_refused\": " + std::to_string(outcome.refused) + ",\n";
    json += "  \"qsos_stored\": " + std::to_string(outcome.stored) + ",\n";
    json += "  \"qsos_dupe\": " + std::to_string(f.dupes) + ",\n";
    json += "  \"qsos_excluded\": " +
            std::to_string(outcome.stored - f.total.qsos - f.dupes) + ",\n";
    json += "  \"bands\": [";
    for (std::size_t i = 0; i < f.bands.size(); ++i)
        json += std::string(i == 0 ? "\n" : ",\n") + "    {\"band\": " + jsonString(f.bands[i].band) +
                ", " + row(f.bands[i]) + "}";
    json += f.bands.empty() ? "],\n" : "\n  ],\n";
    json += "  \"total\": {" + row(f.total) + "},\n";
    json += "  \"dupes\": " + std::to_string(f.dupes) + ",\n";
    json += "  \"bad_qsos\": " + std::to_string(f.badQsos) + ",\n";
    json += "  \"score\": " + std::to_string(outcome.score) + ",\n";
    json += "  \"bad_qso_file\": " +
            (outcome.badQsoFile.empty() ? std::string("null") : jsonString(outcome.badQsoFile)) +
            ",\n";
    json += "  \"cabrillo_file\": " +
            (outcome.cabrilloFile.empty() || !cabrilloAsked ? std::string("null")
                                                            : jsonString(outcome.cabrilloFile)) +
            "\n";
    json += "}\n";
    std::fwrite(json.data(), 1, json.size(), out);
}

int run(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err) {
    Options options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        Messages(err, false).error(error + " (see --help)");
        return kExitUnusable;
    }
    if (options.help) {
        const std::string help = helpText();
        std::fwrite(help.data(), 1, help.size(), out);
        return kExitClean;
    }
    if (options.bashCompletion) {
        const std::string script = optionTable().bashCompletion();
        std::fwrite(script.data(), 1, script.size(), out);
        return kExitClean;
    }
    if (options.version) {
        std::fprintf(out, "%s %s\n", kProgram, MORVANTIA_VERSION);
        return kExitClean;
    }
    const Messages messages(err, options.quiet);
    const std::string logName = options.logPath == "-" ? "<stdin>" : options.logPath;

    CountryResolver countries;
    if (options.ctyPath) {
        std::string text;
        if (!readInput(*options.ctyPath, in, text, error)) {
            messages.error(error);
            return kExitUnusable;
        }
        std::optional<CountryFile> file = CountryFile::parse(text, error);
        if (!file) {
            messages.error(*options.ctyPath + ": " + error);
            return kExitUnusable;
        }
        countries = CountryResolver(std::move(*file));
    }

    std::string text;
    if (!readInput(options.logPath, in, text, error)) {
        messages.error(error);
        return kExitUnusable;
    }
    const ContestLog log = readLog(text, countries);
    if (log.format == LogFormat::Unknown) {
        messages.error(logName + ": not an ADIF, ADX or Cabrillo log");
        return kExitUnusable;
    }
    for (const ReadProblem &p : log.problems)
        messages.error(place(logName, p) + ": " + p.message + "; left out");
    if (log.timeOffUsed > 0)
        messages.note(logName + ": " + std::to_string(log.timeOffUsed) +
                      " records have no TIME_ON; their TIME_OFF was taken as the QSO's time");
    if (log.qsos.empty()) {
        messages.error(logName + ": no QSO could be read");
        return kExitUnusable;
    }

    RunRequest request;
    request.ownCall = options.call ? *options.call : log.ownCall;
    if (!request.ownCall.empty() && !isPlausibleCall(request.ownCall)) {
        messages.error(logName + ": own call sign \"" + request.ownCall +
                       "\" is not a call sign (letters, digits, /); give --call");
        return kExitUnusable;
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
        return kExitUnusable;
    }

    std::vector<ReadProblem> outsidePeriod;
    const std::vector<ContestQso> qsos = withinPeriod(log.qsos, options, outsidePeriod);
    if (qsos.empty()) {
        messages.error(logName + ": no QSO lies within the contest period");
        return kExitUnusable;
    }
    for (const ReadProblem &p : outsidePeriod)
        messages.error(place(logName, p) + ": " + p.message + "; left out");

    const auto earliest = std::min_element(
        log.qsos.begin(), log.qsos.end(),
        [](const ContestQso &a, const ContestQso &b) { return a.time < b.time; });
    const auto latest = std::max_element(
        log.qsos.begin(), log.qsos.end(),
        [](const ContestQso &a, const ContestQso &b) { return a.time < b.time; });
    request.start = options.start ? *options.start : earliest->time;
    request.end = options.end ? *options.end : latest->time;
    if (request.end < request.start) {
        messages.error(options.end ? "--end lies before the contest start"
                                   : "--start lies after the last QSO");
        return kExitUnusable;
    }
    request.html = options.html;
    request.cabrillo = options.cabrillo;
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
    // Both paths are taken relative to where the user stands, before the
    // run moves into the working folder.
    request.pluginPath = options.pluginPath
                             ? platform::absolutePath(*options.pluginPath)
                             : platform::defaultPluginPath();
    if (options.outDir) {
        request.workFolder = platform::absolutePath(*options.outDir);
    } else {
        const std::optional<std::string> folder =
            freshFolder(options.logPath == "-" ? std::string("stdin") : logStem(options.logPath));
        if (!folder) {
            messages.error("no free name for a working folder; give --out");
            return kExitUnusable;
        }
        request.workFolder = platform::absolutePath(*folder);
    }

    if (options.logPath != "-") request.logPath = platform::absolutePath(options.logPath);

    RunOutcome outcome;
    if (!runPlugin(request, qsos, outcome, error)) {
        messages.error(error);
        return kExitUnusable;
    }

    // The plug-in counts its score in 32 bits; a log whose score is more
    // than that holds gets a wrapped one, which must never be shown as its score.
    if (const std::optional<SummaryFigures> figures = readPlainSummary(outcome.summary);
        figures && fullScore(*figures) != outcome.score) {
        messages.error(logName + ": the score, " + std::to_string(fullScore(*figures)) +
                       ", is more than the plug-in can hold (2147483647); it would give " +
                       std::to_string(outcome.score));
        return kExitUnusable;
    }
    if (options.json) {
        const std::optional<SummaryFigures> figures = readPlainSummary(outcome.summary);
        if (!figures) {
            messages.error("the plug-in's summary does not have the expected layout");
            return kExitUnusable;
        }
        writeJson(out, logName, log, outcome, *figures,
                  RunCounts{outsidePeriod.size(), qsos.size() - outcome.refusedAtEntry.size()},
                  options.cabrillo);
    } else {
        std::fwrite(outcome.summary.data(), 1, outcome.summary.size(), out);
    }
    std::fflush(out);

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
    try {
        return run(args, in, out, err);
    } catch (const std::exception &e) {
        std::fprintf(err, "%s: internal error: %s\n", kProgram, e.what());
    } catch (...) {
        std::fprintf(err, "%s: internal error\n", kProgram);
    }
    return kExitUnusable;
}

}  // namespace score
