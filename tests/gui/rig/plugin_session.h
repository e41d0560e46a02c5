// The plug-in as a host has it: loaded from beside the test program while a
// fresh working folder (with its Plugins folder) is current, with every
// entry point resolved by both of its export names.
#pragma once

#include "host/plugin_host.h"
#include "platform/dynamic_library.h"
#include "tests/support/work_dir.h"

#include <windows.h>

#include <memory>
#include <string>

namespace gui_test {

class PluginSession {
public:
    // Loads the DLL; check loaded() (and error()) before use.
    PluginSession();
    ~PluginSession();
    PluginSession(const PluginSession &) = delete;
    PluginSession &operator=(const PluginSession &) = delete;

    bool loaded() const { return library_.isLoaded(); }
    const std::string &error() const { return library_.error(); }
    // Both name sets resolved completely and to the same addresses.
    bool namesAgree() const;

    HMODULE module() const;
    const std::string &folder() const { return dir_.path(); }
    host::PluginHost &plain() { return *plain_; }
    host::PluginHost &decorated() { return *decorated_; }

    // Unloads now (the folder stays current until the session goes).
    void unload();

private:
    testing_support::WorkDir dir_;
    platform::DynamicLibrary library_;
    std::unique_ptr<host::PluginHost> plain_;
    std::unique_ptr<host::PluginHost> decorated_;
};

// A QSO of a log of 5 February 2017 from YO3AAA, on the band's usual
// frequency.
host::Qso contestQso(const std::string &call, int hour, int minute, const std::string &band,
                     const std::string &mode, const std::string &exchange,
                     const std::string &prefix = "YO");

// Full path of the DLL built beside the test program.
std::string pluginPath();

}  // namespace gui_test
