#include "tools/morvantia-check/plugin_scorer.h"

#include "platform/folders.h"
#include "tools/common/plugin_files.h"
#include "tools/common/summary_figures.h"

namespace check {
namespace {

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
    static const std::string kDupe = tools::kDupeMessage;
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
    std::string contest;
    return driver_.enterFolder(workFolder, error) && driver_.load(pluginPath, error) &&
           driver_.firstContest(contest, error);
}

// The plug-in reads its own code from the INI file at every reset; a log
// without one must not inherit the code of the log before it.
bool PluginScorer::writeOwnCode(const std::optional<std::string> &ownCode, std::string &error) {
    const std::string code = ownCode.value_or(std::string());
    if (writtenCode_ == code) return true;
    if (!driver_.writeSetting("My_Country", code, error)) return false;
    writtenCode_ = code;
    return true;
}

std::vector<TakenQso> PluginScorer::addQsos(const ScoreRequest &request,
                                            const std::vector<const tools::ContestQso *> &qsos,
                                            std::vector<bool> &entered) {
    std::vector<TakenQso> taken;
    taken.reserve(qsos.size());
    entered.assign(qsos.size(), true);
    for (std::size_t i = 0; i < qsos.size(); ++i) {
        // As morvantia-score does: an exchange the plug-in's own entry check
        // refuses could not have been logged with it, so it never reaches
        // AddData0.
        if (!driver_.passesEntryCheck(qsos[i]->receivedExchange)) {
            entered[i] = false;
            continue;
        }
        const host::Qso qso = tools::hostQso(request.ownCall, *qsos[i]);
        TakenQso &now = taken.emplace_back();
        // The plug-in's own answer while typing: 0 when the call was worked
        // on this band and mode already.
        now.dupe = driver_.plugin().checkCall(qso.call, qso.mode, qso.band, qso.band) == 0;
        now.added = driver_.plugin().add(qso);
        now.line = tools::badQsoLineStart(qso);
    }
    return taken;
}

bool PluginScorer::readScore(ScoredLog &scored, std::string &error) {
    int points = 0;
    const std::string summary = driver_.plugin().result(points);
    // A bad-QSO file the plug-in could not write would leave verdicts out.
    if (const std::vector<std::string> unwritten = tools::unwrittenFiles(summary);
        !unwritten.empty()) {
        error = "the plug-in could not write " + unwritten.front() + " in its working folder";
        return false;
    }
    scored.score = points;
    scored.beyondPlugin.reset();
    if (const std::optional<long long> full = tools::fullScore(summary); full && *full != points)
        scored.beyondPlugin = full;
    return true;
}

bool PluginScorer::score(const ScoreRequest &request,
                         const std::vector<const tools::ContestQso *> &qsos, ScoredLog &scored,
                         std::string &error) {
    if (!writeOwnCode(request.ownCode, error)) return false;
    // The start marker keeps the reset from opening the companion windows;
    // each reset clears it.
    if (!driver_.writeSetting("Start", "1", error)) return false;

    const HostDateTime end = tools::hostDateTime(request.end);
    driver_.plugin().reset(platform::currentFolder(), 0, request.ownCall,
                           tools::hostDateTime(request.start), end, request.ownPrefix);
    scored.verdicts.clear();
    std::vector<bool> entered;
    const std::vector<TakenQso> taken = addQsos(request, qsos, entered);

    // Its problem QSOs are listed in the bad-QSO file, named by the contest's
    // end date, below a header line.
    const std::string badQsoName = tools::badQsoFileName(end);
    std::vector<std::string> lines;
    if (!tools::readBadQsoLines(badQsoName, lines) || lines.empty()) {
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
    return readScore(scored, error);
}

}  // namespace check
