#include "tools/morvantia-check/plugin_scorer.h"

#include "engine/bad_qso_file.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "tools/morvantia-score/plugin_run.h"

#include <cstdio>

namespace check {
namespace {

const char *const kSection = "Settings";

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

// Reads what was added to a file since the last look.
class FileTail {
public:
    ~FileTail() { close(); }
    bool open(const std::string &name) {
        close();
        file_ = platform::openFile(name, "rb");
        if (file_ == nullptr) return false;
        seen_ = size();
        return seen_ >= 0;
    }
    void close() {
        if (file_ != nullptr) std::fclose(file_);
        file_ = nullptr;
    }
    // The bytes added since the last call; empty when none.
    std::string added() {
        std::string bytes;
        const long now = size();
        if (now <= seen_) return bytes;
        bytes.resize(static_cast<std::size_t>(now - seen_));
        std::fseek(file_, seen_, SEEK_SET);
        bytes.resize(std::fread(&bytes[0], 1, bytes.size(), file_));
        seen_ += static_cast<long>(bytes.size());
        return bytes;
    }

private:
    long size() {
        if (std::fseek(file_, 0, SEEK_END) != 0) return -1;
        return std::ftell(file_);
    }
    std::FILE *file_ = nullptr;
    long seen_ = 0;
};

}  // namespace

PluginVerdict readVerdict(int added, const std::string &appendedLines) {
    static const std::string kDupe = engine::bad_qso_file::kDupeMessage;
    PluginVerdict verdict;
    bool dupe = false;
    std::size_t pos = 0;
    while (pos < appendedLines.size()) {
        std::size_t end = appendedLines.find('\n', pos);
        if (end == std::string::npos) end = appendedLines.size();
        std::string line = appendedLines.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (endsWith(line, kDupe)) {
            dupe = true;
        } else if (verdict.verdict != Verdict::Bad) {
            verdict.verdict = Verdict::Bad;
            verdict.reason = messageOf(line);
        }
    }
    if (added == 0 && verdict.verdict != Verdict::Bad) {
        verdict.verdict = Verdict::Bad;
        verdict.reason = "REFUSED";
    }
    if (verdict.verdict != Verdict::Bad && dupe) verdict.verdict = Verdict::Dupe;
    return verdict;
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

    // The plug-in lists each problem QSO in its bad-QSO file as it takes the
    // QSO; what it adds after each AddData0 is that QSO's verdict.
    const std::string badQsoName =
        "BadQSO_StatsMorvantia_" + platform::formatDateTime(&end, "%d_%m_%Y") + ".txt";
    FileTail tail;
    if (!tail.open(badQsoName)) {
        error = "the plug-in wrote no bad-QSO file " + badQsoName + " in its working folder";
        return false;
    }
    scored.verdicts.clear();
    scored.verdicts.reserve(qsos.size());
    for (const score::ContestQso *q : qsos) {
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
        const int added = host_->add(qso);
        scored.verdicts.push_back(readVerdict(added, tail.added()));
    }
    tail.close();
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
    return true;
}

}  // namespace check
