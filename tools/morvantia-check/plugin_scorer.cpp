#include "tools/morvantia-check/plugin_scorer.h"

#include "engine/bad_qso_file.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "tools/morvantia-score/plugin_run.h"
#include "tools/morvantia-score/summary_figures.h"

#include <cstdio>

namespace check {
namespace {

const char *const kSection = "Settings";
const char *const kNotEnterable = "RX EXCHANGE CANNOT BE ENTERED";

bool endsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "QSO:  3550  CW ...  159 DJ   WRONG BAND !!!" -> "WRONG BAND": the message
// follows the QSO's fields after a run of three blanks.
std::string messageOf(const std::string &line) {
    const std::size_t at = line.rfind("   ");
    std::string message = at == std::string::npos ? line : line.substr(at + 3);
    if (endsWith(message, "!!!")) message.erase(message.size() - 3);
    while (!message.empty() && message.back() == ' ') message.pop_back();
    return message;
}

}  // namespace

std::optional<std::vector<PluginVerdict>> readVerdicts(
    const std::vector<TakenQso> &taken, const std::vector<std::string> &lines) {
    static const std::string kDupe = engine::bad_qso_file::kDupeMessage;
    auto isDupe = [](const std::string &line) { return endsWith(line, kDupe); };
    auto startsWith = [](const std::string &line, const std::string &start) {
        return line.compare(0, start.size(), start) == 0;
    };
    std::vector<PluginVerdict> verdicts(taken.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < taken.size(); ++i) {
        const TakenQso &qso = taken[i];
        PluginVerdict &verdict = verdicts[i];
        // Its problem line first: a refused QSO always has one.
        if (next < lines.size() && !isDupe(lines[next]) && startsWith(lines[next], qso.line)) {
            verdict.verdict = Verdict::Bad;
            verdict.reason = messageOf(lines[next]);
            ++next;
        } else if (qso.added == 0) {
            return std::nullopt;
        }
        // Then its dupe lines. An identical QSO later on may have its dupe
        // lines right after these and lose them here; its verdict comes from
        // the plug-in's dupe check all the same.
        if (qso.added != 0 && qso.dupe)
            while (next < lines.size() && isDupe(lines[next]) && startsWith(lines[next], qso.line))
                ++next;
        if (verdict.verdict != Verdict::Bad && qso.dupe) verdict.verdict = Verdict::Dupe;
    }
    if (next != lines.size()) return std::nullopt;
    return verdicts;
}

PluginScorer::PluginScorer() = default;
PluginScorer::~PluginScorer() = default;

bool PluginScorer::open(const std::string &pluginPath, const std::string &workFolder,
                        std::string &error) {
    std::string reason;
    if (!platform::makeFolders(platform::joinPath(workFolder, "Plugins"), reason)) {
        error = "cannot create the plug-in's working folder: " + reason;
        return false;
    }
    if (!platform::changeFolder(workFolder, reason)) {
        error = "cannot enter the plug-in's working folder " + workFolder + ": " + reason;
        return false;
    }
    library_ = platform::DynamicLibrary(pluginPath);
    if (!library_.isLoaded()) {
        error = "cannot load the plug-in " + pluginPath + ": " + library_.error();
        return false;
    }
    host::EntryPoints entryPoints = host::resolveEntryPoints(library_, host::NameKind::Plain);
    if (!entryPoints.complete())
        entryPoints = host::resolveEntryPoints(library_, host::NameKind::Decorated);
    if (!entryPoints.complete()) {
        error = pluginPath + " is not the scoring plug-in: entry points are missing";
        return false;
    }
    host_ = std::make_unique<host::PluginHost>(entryPoints);
    if (host_->numberOfSets() < 1) {
        error = pluginPath + " offers no contest";
        return false;
    }
    host_->setName(0);
    pluginPath_ = pluginPath;
    return true;
}

bool PluginScorer::score(const ScoreRequest &request,
                         const std::vector<const score::ContestQso *> &qsos, ScoredLog &scored,
                         std::string &error) {
    auto writeIni = [&error](const std::string &key, const std::string &value) {
        if (platform::writeProfileString(kSection, key, value, score::kPluginIni)) return true;
        error = "cannot write " + platform::nativePath(score::kPluginIni) +
                " in the plug-in's working folder";
        return false;
    };
    // The plug-in reads its own code from the INI file at every reset; a log
    // without one must not inherit the code of the log before it.
    const std::string code = request.ownCode.value_or(std::string());
    if (writtenCode_ != code) {
        if (!writeIni("My_Country", code)) return false;
        writtenCode_ = code;
    }
    // The start marker keeps the reset from opening the companion windows;
    // each reset clears it.
    if (!writeIni("Start", "1")) return false;

    const HostDateTime start = score::hostDateTime(request.start);
    const HostDateTime end = score::hostDateTime(request.end);
    host_->reset(platform::currentFolder(), 0, request.ownCall, start, end, request.ownPrefix);

    scored.verdicts.clear();
    std::vector<TakenQso> taken;
    taken.reserve(qsos.size());
    std::vector<bool> entered(qsos.size(), true);
    const std::string sep = "  ";
    for (std::size_t i = 0; i < qsos.size(); ++i) {
        const score::ContestQso *q = qsos[i];
        // As morvantia-score does: an exchange the plug-in's own entry check
        // refuses could not have been logged with it, so it never reaches
        // AddData0.
        if (!score::passesPluginEntryCheck(*host_, q->receivedExchange)) {
            entered[i] = false;
            continue;
        }
        taken.emplace_back();
        TakenQso &now = taken.back();
        host::Qso qso;
        qso.ownCall = request.ownCall;
        qso.call = q->call;
        qso.time = score::hostDateTime(q->time);
        qso.frequencyHz = q->frequencyHz;
        qso.mode = q->mode;
        qso.rstSent = q->rstSent;
        qso.rstReceived = q->rstReceived;
        qso.exchSent = q->sentNumber;
        qso.exchReceived = q->receivedExchange;
        qso.countryPrefix = q->countryPrefix;
        qso.band = q->band;
        // The plug-in's own answer while typing: 0 when the call was worked
        // on this band and mode already.
        now.dupe = host_->checkCall(qso.call, qso.mode, qso.band, qso.band) == 0;
        now.added = host_->add(qso);
        // The QSO as the plug-in writes it in its bad-QSO file.
        now.line = "QSO:  " + std::to_string(qso.frequencyHz / 1000) + sep + qso.mode + sep +
                        platform::formatDateTime(&qso.time, "%Y-%m-%d %H%M") + sep +
                        qso.ownCall + sep + qso.rstSent + sep + qso.exchSent + sep + qso.call +
                        sep + qso.rstReceived + sep + qso.exchReceived;
    }
    // Its problem QSOs are listed in the bad-QSO file, named by the contest's
    // end date, below a header line.
    const std::string badQsoName =
        "BadQSO_StatsMorvantia_" + platform::formatDateTime(&end, "%d_%m_%Y") + ".txt";
    std::vector<std::string> lines;
    if (!engine::bad_qso_file::readLines(badQsoName, lines) || lines.empty()) {
        error = "the plug-in wrote no bad-QSO file " + badQsoName + " in its working folder";
        return false;
    }
    lines.erase(lines.begin());
    std::optional<std::vector<PluginVerdict>> verdicts = readVerdicts(taken, lines);
    if (!verdicts) {
        error = "the plug-in's bad-QSO file " + badQsoName + " does not list the QSOs given";
        return false;
    }
    scored.verdicts.resize(qsos.size());
    for (std::size_t i = 0, k = 0; i < qsos.size(); ++i) {
        if (entered[i]) {
            scored.verdicts[i] = std::move((*verdicts)[k++]);
        } else {
            scored.verdicts[i].verdict = Verdict::Bad;
            scored.verdicts[i].reason = kNotEnterable;
        }
    }
    int points = 0;
    const std::string summary = host_->result(points);
    // A bad-QSO file the plug-in could not write would leave verdicts out.
    const std::string unwritten = "File could not be written: ";
    const std::size_t at = summary.find(unwritten);
    if (at != std::string::npos) {
        const std::size_t stop = summary.find_first_of("\r\n<", at);
        error = "the plug-in could not write " +
                summary.substr(at + unwritten.size(),
                               stop == std::string::npos ? stop : stop - at - unwritten.size()) +
                " in its working folder";
        return false;
    }
    scored.score = points;
    scored.beyondPlugin.reset();
    if (const std::optional<score::SummaryFigures> figures = score::readPlainSummary(summary);
        figures && score::fullScore(*figures) != points)
        scored.beyondPlugin = score::fullScore(*figures);
    return true;
}

}  // namespace check
