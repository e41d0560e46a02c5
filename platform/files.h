// File names and file replacement.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// Names in the plug-in are written the host's way ("Plugins\Morvantia.ini");
// on POSIX the backslash becomes a slash, on Windows the name is unchanged.
std::string nativePath(const std::string &name);

// fopen on nativePath(name). Files are always opened in binary mode by the
// callers, who write CR LF themselves, so the bytes are the same everywhere.
std::FILE *openFile(const std::string &name, const char *mode);

// Replaces target with source in one step (the old content stays intact if
// anything fails before the replacement). Both names are host-style.
bool replaceFile(const std::string &source, const std::string &target);

// Removes a file; quietly does nothing if it is missing.
void removeFile(const std::string &name);

// Names of the regular files matching pattern ("folder/prefix*.ini": the part
// after the last separator may hold * and ?), in the order the file system
// lists them. Directories are never returned.
std::vector<std::string> findFiles(const std::string &pattern);

}  // namespace platform
