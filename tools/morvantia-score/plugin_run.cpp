#include "tools/morvantia-score/plugin_run.h"

#include "morvantia_version.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tools/common/input_file.h"
#include "tools/common/plugin_driver.h"
#include "tools/common/plugin_files.h"
#include "tools/common/text.h"

#include <map>

namespace score {

using namespace tools;

namespace {

using Stamps = std::map<std::string, platform::FileStamp>;

// The Cabrillo logs in the current folder, to tell afterwards which one the
// plug-in wrote: its name comes from the station details, not from us.
Stamps cabrilloStamps() {
    Stamps stamps;
    for (const std::string &name : platform::findFiles("*.cbr"))
        if (const auto stamp = platform::fileStamp(name)) stamps.emplace(name, *stamp);
    return stamps;
}

std::string newestWritten(const Stamps &before, const Stamps &after) {
    std::string written;
    std::int64_t newest = 0;
    for (const auto &[name, stamp] : after) {
        const auto old = before.find(name);
        if (old != before.end() && old->second == stamp) continue;
        if (written.empty() || stamp.modified > newest) {
            written = name;
            newest = stamp.modified;
        }
    }
    return written;
}

// The host's INI file, where the plug-in finds the version it names in
// CREATED-BY ("Vexa " and the version). This text says what ran the
// plug-in, and is none of the host versions the plug-in treats apart.
const char *const kHostIni = "Vexa2.ini";
const char *const kHostVersion = "StatsMorvantia plug-in run by morvantia-score " MORVANTIA_VERSION;

// Made for the run and removed after it; a host's own file is left alone.
class HostIni {
public:
    HostIni() : made_(!platform::fileStamp(kHostIni) &&
                      platform::writeFileWhole(kHostIni, std::string("Vexa=") + kHostVersion + "\r\n")) {}
    ~HostIni() {
        if (made_) platform::removeFile(kHostIni);
    }
    HostIni(const HostIni &) = delete;
    HostIni &operator=(const HostIni &) = delete;

private:
    bool made_;
};

// The plug-in's export writes LOCATION: DX whatever the station; the line
// is set to what the contest's categories need.
bool setLocation(const std::string &file, const std::string &location, std::string &error) {
    std::string text;
    std::string reason;
    if (!readFile(file, text, reason)) {
        error = "cannot read the Cabrillo log " + file;
        return false;
    }
    const std::string tag = "LOCATION: ";
    std::size_t at = text.compare(0, tag.size(), tag) == 0 ? 0 : text.find("\n" + tag);
    if (at == std::string::npos) return true;
    if (at != 0) ++at;
    const std::size_t end = text.find_first_of("\r\n", at);
    text.replace(at, (end == std::string::npos ? text.size() : end) - at, tag + location);
    if (!platform::writeFileWhole(file, text)) {
        error = "cannot write the Cabrillo log " + file;
        return false;
    }
    return true;
}

// The export writes a .cbr named after the station into this folder; a
// Cabrillo log scored from here could be the very file it replaces.
bool exportSparesLog(const RunRequest &request, std::string &error) {
    if (!request.cabrillo || request.logPath.empty()) return true;
    const std::size_t slash = request.logPath.find_last_of("/\\");
    const std::string name = request.logPath.substr(slash + 1);
    const std::string extension = name.size() > 4 ? lower(name.substr(name.size() - 4)) : "";
    const auto here = platform::fileStamp(name);
    if (extension == ".cbr" && here && here == platform::fileStamp(request.logPath)) {
        error = "the Cabrillo export would write over the log being scored; give "
                "another --out";
        return false;
    }
    return true;
}

bool writeSettings(PluginDriver &driver, const RunRequest &request, std::string &error) {
    // The plug-in reads the own code from its INI file at every reset.
    if (request.ownCode && !driver.writeSetting("My_Country", *request.ownCode, error))
        return false;
    // A reset that finds the start marker set clears it and opens no
    // companion windows, which a command-line run has no use for.
    if (!driver.writeSetting("Start", "1", error)) return false;
    if (request.cabrillo)
        for (const auto &[key, value] : request.station)
            if (!driver.writeSetting(key, value, error)) return false;
    return true;
}

// Every QSO in log order, but those the plug-in's entry check refuses.
void addQsos(PluginDriver &driver, const std::string &ownCall,
             const std::vector<ContestQso> &qsos, RunOutcome &outcome) {
    for (const ContestQso &q : qsos) {
        if (!driver.passesEntryCheck(q.receivedExchange)) {
            outcome.refusedAtEntry.push_back(
                {q.line, q.record,
                 "received exchange \"" + q.receivedExchange +
                     "\" cannot be logged (a three-digit number and a two-letter code)"});
            continue;
        }
        if (driver.plugin().add(hostQso(ownCall, q)) == 1)
            ++outcome.stored;
        else
            ++outcome.refused;
    }
}

bool readResult(PluginDriver &driver, RunOutcome &outcome, std::string &error) {
    int score = 0;
    outcome.summary = driver.plugin().result(score);
    // After writing a Cabrillo log the plug-in answers -1; the score it
    // claimed is in its INI file.
    if (score == -1) {
        try {
            score = std::stoi(driver.readSetting("Claimed"));
        } catch (...) {
            error = "the plug-in wrote a Cabrillo log but no claimed score";
            return false;
        }
    }
    outcome.score = score;
    return true;
}

// The bad-QSO file and the Cabrillo log the run left, by absolute path.
bool findFiles(const RunRequest &request, const std::string &badQsoName, const Stamps &before,
               RunOutcome &outcome, std::string &error) {
    const std::string folder = platform::currentFolder();
    if (platform::fileStamp(badQsoName)) outcome.badQsoFile = platform::joinPath(folder, badQsoName);
    if (!request.cabrillo) return true;
    const std::string written = newestWritten(before, cabrilloStamps());
    if (written.empty()) return true;
    outcome.cabrilloFile = platform::joinPath(folder, written);
    return setLocation(written, request.location, error);
}

}  // namespace

bool runPlugin(const RunRequest &request, const std::vector<ContestQso> &qsos,
               RunOutcome &outcome, std::string &error) {
    PluginDriver driver("the working folder");
    if (!driver.enterFolder(request.workFolder, error) || !exportSparesLog(request, error) ||
        !writeSettings(driver, request, error) || !driver.load(request.pluginPath, error))
        return false;
    if (request.html) driver.plugin().setVersion("morvantia-score");
    if (!driver.firstContest(outcome.setName, error)) return false;

    const Stamps before = cabrilloStamps();
    const HostIni hostIni;
    const HostDateTime end = hostDateTime(request.end);
    driver.plugin().reset(platform::currentFolder(), request.cabrillo ? 1 : 0, request.ownCall,
                          hostDateTime(request.start), end, request.ownPrefix);
    addQsos(driver, request.ownCall, qsos, outcome);
    if (!readResult(driver, outcome, error)) return false;
    return findFiles(request, badQsoFileName(end), before, outcome, error);
}

}  // namespace score
