#include "tools/common/plugin_driver.h"

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "tools/common/text.h"

#include <utility>

namespace tools {

const char *const kPluginIni = "Plugins\\Morvantia.ini";

namespace {

const char *const kSection = "Settings";

}  // namespace

HostDateTime hostDateTime(const QsoTime &t) {
    return host::makeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

host::Qso hostQso(const std::string &ownCall, const ContestQso &q) {
    host::Qso qso;
    qso.ownCall = ownCall;
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
    return qso;
}

PluginDriver::PluginDriver(std::string folderWords) : folderWords_(std::move(folderWords)) {}

PluginDriver::~PluginDriver() = default;

bool PluginDriver::enterFolder(const std::string &workFolder, std::string &error) {
    std::string reason;
    if (!platform::makeFolders(platform::joinPath(workFolder, "Plugins"), reason)) {
        error = "cannot create " + folderWords_ + ": " + reason;
        return false;
    }
    if (!platform::changeFolder(workFolder, reason)) {
        error = "cannot enter " + folderWords_ + " " + workFolder + ": " + reason;
        return false;
    }
    return true;
}

bool PluginDriver::load(const std::string &pluginPath, std::string &error) {
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
    plugin_ = std::make_unique<host::PluginHost>(entryPoints);
    pluginPath_ = pluginPath;
    return true;
}

bool PluginDriver::firstContest(std::string &name, std::string &error) {
    if (plugin_->numberOfSets() < 1) {
        error = pluginPath_ + " offers no contest";
        return false;
    }
    name = plugin_->setName(0);
    return true;
}

bool PluginDriver::writeSetting(const std::string &key, const std::string &value,
                                std::string &error) {
    if (platform::writeProfileString(kSection, key, value, kPluginIni)) return true;
    error = "cannot write " + platform::nativePath(kPluginIni) + " in " + folderWords_;
    return false;
}

std::string PluginDriver::readSetting(const std::string &key) {
    return platform::readProfileString(kSection, key, "", kPluginIni);
}

// The received exchange goes through IsValidExchg0 as the logging program
// puts it: the number field, then the code field. A number field of five
// ("012AB") holds the code already; the code field must then stay empty. A
// QSO without any received exchange was never typed into these fields; the
// plug-in itself lists it as having no number.
bool PluginDriver::passesEntryCheck(const std::string &exchange) {
    if (exchange.empty()) return true;
    const std::size_t blank = exchange.find(' ');
    const std::string number = exchange.substr(0, blank);
    const std::string code =
        blank == std::string::npos ? std::string() : trim(exchange.substr(blank));
    if (plugin_->isValidExchange(number, 0) != 1) return false;
    if (number.size() == 5) return code.empty();
    return plugin_->isValidExchange(code, 1) == 1;
}

}  // namespace tools
