// The files the plug-in writes in its working folder, as the programs read
// them back: the bad-QSO file and the summary's note of files not written.
#pragma once

#include "host/plugin_host.h"

#include <string>
#include <vector>

namespace tools {

// The bad-QSO file of a contest that ends at end:
// "BadQSO_StatsMorvantia_03_02_2024.txt".
std::string badQsoFileName(const HostDateTime &end);

// The end of a dupe line: one per earlier QSO that the dupe repeats.
constexpr const char *kDupeMessage = "   DUPE !!!";

// All lines of the bad-QSO file (the first is its header) without their
// line ends; false when it cannot be read.
bool readBadQsoLines(const std::string &fileName, std::vector<std::string> &lines);

// A QSO's line in the bad-QSO file up to the message:
// "QSO:  3550  CW  2024-02-03 1600  YO2MVT  599  001  YO4IBJ  599  159 DJ".
std::string badQsoLineStart(const host::Qso &qso);

// What the summary says before each file the plug-in could not write.
constexpr const char *kUnwrittenFileLead = "File could not be written: ";

// The files the summary names as not written (a full disk, a read-only
// folder, a refused rename), in its order.
std::vector<std::string> unwrittenFiles(const std::string &summary);

}  // namespace tools
