// One scoring run of the plug-in, as the logging program makes it when it
// opens a log: in the plug-in's working folder, setVersion (for HTML only),
// GetNumberOfSets/GetSetName, ResetStats0, one AddData0 per QSO in log
// order, GetResult0.
#pragma once

#include "tools/common/contest_log.h"

#include <optional>
#include <string>
#include <vector>

namespace score {

struct RunRequest {
    std::string pluginPath;  // absolute: the run changes the current folder
    std::string workFolder;  // created when missing, with its Plugins folder
    std::string ownCall;
    std::string ownPrefix;
    std::optional<std::string> ownCode;  // written as My_Country when given
    tools::QsoTime start;
    tools::QsoTime end;
    bool html = false;
    bool cabrillo = false;
    tools::StationDetails station;  // written to the INI file for the export
    // LOCATION of the exported log; the plug-in's own export always says DX.
    std::string location = "DX";
    // The log being scored, absolute; empty for standard input. The export
    // must never overwrite it.
    std::string logPath;
};

struct RunOutcome {
    std::string setName;
    std::string summary;
    int score = 0;
    int stored = 0;   // AddData0 answered 1
    int refused = 0;  // AddData0 answered 0
    // QSOs never given to AddData0: the plug-in's own entry check refuses
    // their received exchange, so the operator could not have logged them.
    std::vector<tools::ReadProblem> refusedAtEntry;
    std::string badQsoFile;    // absolute; empty when the plug-in left none
    std::string cabrilloFile;  // absolute; empty when this run wrote none
};

bool runPlugin(const RunRequest &request, const std::vector<tools::ContestQso> &qsos,
               RunOutcome &outcome, std::string &error);

}  // namespace score
