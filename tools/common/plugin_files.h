// The files the plug-in writes in its working folder, as the programs read
// them back: the bad-QSO file and the summary's note of files not written.
#pragma once

#include "contract/plugin_files.h"
#include "host/plugin_host.h"

#include <string>
#include <vector>

namespace tools {

// The bad-QSO file of a contest that ends at end:
// "BadQSO_StatsMorvantia_03_02_2024.txt".
std::string badQsoFileName(const HostDateTime &end);

using contract::kDupeMessage;

// All lines of the bad-QSO file (the first is its header) without their
// line ends; false when it cannot be read.
bool readBadQsoLines(const std::string &fileName, std::vector<std::string> &lines);

// A QSO's line in the bad-QSO file up to the message:
// "QSO:  3550  CW  2024-02-03 1600  YO2MVT  599  001  YO4IBJ  599  159 DJ".
std::string badQsoLineStart(const host::Qso &qso);

using contract::kUnwrittenFileLead;
using contract::unwrittenFiles;

}  // namespace tools
