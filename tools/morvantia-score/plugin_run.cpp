#include "tools/morvantia-score/plugin_run.h"

#include "host/plugin_host.h"
#include "morvantia_version.h"
#include "platform/datetime.h"
#include "platform/dynamic_library.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "tools/morvantia-score/text.h"

#include <cstdio>
#include <map>
#include <memory>

namespace score {

const char *const kPluginIni = "Plugins\\Morvantia.ini";

namespace {

const char *const kSection = "Settings";

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
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE *)> in(platform::openFile(file, "rb"),
                                                             &std::fclose);
        if (!in) {
            error = "cannot read the Cabrillo log " + file;
            return false;
        }
        char buffer[65536];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) text.append(buffer, got);
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

bool writeIni(const std::string &key, const std::string &value, std::string &error) {
    if (platform::writeProfileString(kSection, key, value, kPluginIni)) return true;
    error = "cannot write " + platform::nativePath(kPluginIni) + " in the working folder";
    return false;
}

// The received exchange through IsValidExchg0 as the logging program puts
// it while the operator types: the number field, then the code field. A
// number field of five ("012AB") holds the code already; the code field
// must then stay empty. A QSO without any received exchange was never typed
// into these fields; the plug-in itself lists it as having no number.
bool passesEntryCheck(host::PluginHost &plugin, const std::string &exchange) {
    if (exchange.empty()) return true;
    const std::size_t blank = exchange.find(' ');
    const std::string number = exchange.substr(0, blank);
    const std::string code = blank == std::string::npos ? std::string() : trim(exchange.substr(blank));
    if (plugin.isValidExchange(number, 0) != 1) return false;
    if (number.size() == 5) return code.empty();
    return plugin.isValidExchange(code, 1) == 1;
}

}  // namespace

bool passesPluginEntryCheck(host::PluginHost &plugin, const std::string &receivedExchange) {
    return passesEntryCheck(plugin, receivedExchange);
}

HostDateTime hostDateTime(const QsoTime &t) {
    return host::makeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

bool runPlugin(const RunRequest &request, const std::vector<ContestQso> &qsos,
               RunOutcome &outcome, std::string &error) {
    std::string reason;
    if (!platform::makeFolders(platform::joinPath(request.workFolder, "Plugins"), reason)) {
        error = "cannot create the working folder: " + reason;
        return false;
    }
    if (!platform::changeFolder(request.workFolder, reason)) {
        error = "cannot enter the working folder " + request.workFolder + ": " + reason;
        return false;
    }

    // The export writes a .cbr named after the station into this folder; a
    // Cabrillo log scored from here could be the very file it replaces.
    if (request.cabrillo && !request.logPath.empty()) {
        const std::size_t slash = request.logPath.find_last_of("/\\");
        const std::string name = request.logPath.substr(slash + 1);
        const std::string extension = name.size() > 4 ? lower(name.substr(name.size() - 4)) : "";
        const auto here = platform::fileStamp(name);
        if (extension == ".cbr" && here && here == platform::fileStamp(request.logPath)) {
            error = "the Cabrillo export would write over the log being scored; give "
                    "another --out";
            return false;
        }
    }

    // The plug-in reads the own code from its INI file at every reset.
    if (request.ownCode && !writeIni("My_Country", *request.ownCode, error)) return false;
    // A reset that finds the start marker set clears it and opens no
    // companion windows, which a command-line run has no use for.
    if (!writeIni("Start", "1", error)) return false;
    if (request.cabrillo)
        for (const auto &[key, value] : request.station)
            if (!writeIni(key, value, error)) return false;

    platform::DynamicLibrary library(request.pluginPath);
    if (!library.isLoaded()) {
        error = "cannot load the plug-in " + request.pluginPath + ": " + library.error();
        return false;
    }
    host::EntryPoints entryPoints = host::resolveEntryPoints(library, host::NameKind::Plain);
    if (!entryPoints.complete())
        entryPoints = host::resolveEntryPoints(library, host::NameKind::Decorated);
    if (!entryPoints.complete()) {
        error = request.pluginPath + " is not the scoring plug-in: entry points are missing";
        return false;
    }
    host::PluginHost plugin(entryPoints);

    if (request.html) plugin.setVersion("morvantia-score");
    if (plugin.numberOfSets() < 1) {
        error = request.pluginPath + " offers no contest";
        return false;
    }
    outcome.setName = plugin.setName(0);

    const Stamps before = cabrilloStamps();
    const HostIni hostIni;
    const HostDateTime start = hostDateTime(request.start);
    const HostDateTime end = hostDateTime(request.end);
    plugin.reset(platform::currentFolder(), request.cabrillo ? 1 : 0, request.ownCall, start,
                 end, request.ownPrefix);

    for (const ContestQso &q : qsos) {
        if (!passesEntryCheck(plugin, q.receivedExchange)) {
            outcome.refusedAtEntry.push_back(
                {q.line, q.record,
                 "received exchange \"" + q.receivedExchange +
                     "\" cannot be logged (a three-digit number and a two-letter code)"});
            continue;
        }
        host::Qso qso;
        qso.ownCall = request.ownCall;
        qso.call = q.call;
        qso.time = hostDateTime(q.time);
        qso.frequencyHz = q.frequencyHz;
        qso.mode = q.mode;
        qso.rstSent = q.rstSent;
        qso.rstReceived = q.rstReceived;
        qso.exchSent = q.sentNumber;
        qso.exchReceived = q.receivedExchange;
        qso.countryPrefix = q.countryPrefix;
        qso.band = q.band;
        if (plugin.add(qso) == 1)
            ++outcome.stored;
        else
            ++outcome.refused;
    }

    int score = 0;
    outcome.summary = plugin.result(score);
    // After writing a Cabrillo log the plug-in answers -1; the score it
    // claimed is in its INI file.
    if (score == -1) {
        const std::string claimed =
            platform::readProfileString(kSection, "Claimed", "", kPluginIni);
        try {
            score = std::stoi(claimed);
        } catch (...) {
            error = "the plug-in wrote a Cabrillo log but no claimed score";
            return false;
        }
    }
    outcome.score = score;

    const std::string folder = platform::currentFolder();
    const std::string badQsoName =
        "BadQSO_StatsMorvantia_" + platform::formatDateTime(&end, "%d_%m_%Y") + ".txt";
    if (platform::fileStamp(badQsoName)) outcome.badQsoFile = platform::joinPath(folder, badQsoName);
    if (request.cabrillo) {
        const std::string written = newestWritten(before, cabrilloStamps());
        if (!written.empty()) {
            outcome.cabrilloFile = platform::joinPath(folder, written);
            if (!setLocation(written, request.location, error)) return false;
        }
    }
    return true;
}

}  // namespace score
