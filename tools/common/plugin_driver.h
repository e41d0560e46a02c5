// Driving the plug-in as the logging program does, through its exported
// entry points only: in its working folder, with its INI file there, QSOs
// handed over as the host's arguments.
#pragma once

#include "host/plugin_host.h"
#include "platform/dynamic_library.h"
#include "tools/common/contest_log.h"

#include <memory>
#include <string>

namespace tools {

// The plug-in's INI file, named the host's way.
extern const char *const kPluginIni;

HostDateTime hostDateTime(const QsoTime &time);

// The eleven host arguments of a QSO logged under ownCall.
host::Qso hostQso(const std::string &ownCall, const ContestQso &qso);

class PluginDriver {
public:
    // folderWords name the working folder in messages ("the working folder").
    explicit PluginDriver(std::string folderWords);
    ~PluginDriver();
    PluginDriver(const PluginDriver &) = delete;
    PluginDriver &operator=(const PluginDriver &) = delete;

    // Creates workFolder with its Plugins folder when missing and makes it
    // the current folder: the plug-in keeps its files there. Every path
    // used afterwards must be absolute.
    bool enterFolder(const std::string &workFolder, std::string &error);

    // Loads the plug-in and finds its entry points under their plain or
    // their decorated names.
    bool load(const std::string &pluginPath, std::string &error);

    // The name of the plug-in's first contest; false when it offers none.
    bool firstContest(std::string &name, std::string &error);

    // A value of the plug-in's INI file, section Settings.
    bool writeSetting(const std::string &key, const std::string &value, std::string &error);
    std::string readSetting(const std::string &key);

    // The plug-in's entry check of a received exchange, as the logging
    // program applies it while the operator types: false for an exchange
    // that could not have been logged.
    bool passesEntryCheck(const std::string &receivedExchange);

    host::PluginHost &plugin() { return *plugin_; }

private:
    std::string folderWords_;
    std::string pluginPath_;
    platform::DynamicLibrary library_;  // outlives plugin_, which calls its code
    std::unique_ptr<host::PluginHost> plugin_;
};

}  // namespace tools
