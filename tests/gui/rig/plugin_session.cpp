#include "tests/gui/rig/plugin_session.h"

#include <cstring>

namespace gui_test {

std::string pluginPath() { return platform::executableFolder() + platform::pluginFileName(); }

PluginSession::PluginSession() : library_(pluginPath()) {
    plain_ = std::make_unique<host::PluginHost>(
        host::resolveEntryPoints(library_, host::NameKind::Plain));
    decorated_ = std::make_unique<host::PluginHost>(
        host::resolveEntryPoints(library_, host::NameKind::Decorated));
}

PluginSession::~PluginSession() { unload(); }

bool PluginSession::namesAgree() const {
    const host::EntryPoints &a = plain_->entryPoints();
    const host::EntryPoints &b = decorated_->entryPoints();
    if (!a.complete() || !b.complete()) return false;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

host::Qso contestQso(const std::string &call, int hour, int minute, const std::string &band,
                     const std::string &mode, const std::string &exchange,
                     const std::string &prefix) {
    host::Qso q;
    q.ownCall = "YO3AAA";
    q.call = call;
    q.time = host::makeDateTime(2017, 2, 5, hour, minute);
    q.frequencyHz = band == "80m" ? 3510000 : 7010000;
    q.mode = mode;
    q.exchSent = "001";
    q.exchReceived = exchange;
    q.countryPrefix = prefix;
    q.band = band;
    return q;
}

HMODULE PluginSession::module() const {
    // The library's handle is its base address; ask the loader for it by name.
    return ::GetModuleHandleA(platform::pluginFileName());
}

void PluginSession::unload() { library_.unload(); }

}  // namespace gui_test
