// The few folder operations a command-line host of the plug-in needs: the
// plug-in works in the process's current folder, so the host makes a folder,
// moves into it and reports absolute paths of what the plug-in left there.
#pragma once

#include "platform/files.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The process's current folder, ending with the system's separator.
std::string currentFolder();

// Makes path the process's current folder; on failure error says why.
bool changeFolder(const std::string &path, std::string &error);

// Creates path and any missing parents. True when path is a folder
// afterwards (also when it was one already).
bool makeFolders(const std::string &path, std::string &error);

bool isFolder(const std::string &path);

// path made absolute against the current folder; an absolute path is
// returned unchanged.
std::string absolutePath(const std::string &path);

// folder and name joined with the system's separator.
std::string joinPath(const std::string &folder, const std::string &name);

// fileStamp() is declared with the other file operations, in files.h.

}  // namespace platform
