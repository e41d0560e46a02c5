// Reading a whole input file or stream. Files are opened through the
// platform layer, so a path with letters beyond ASCII opens on Windows too.
#pragma once

#include <cstdio>
#include <string>

namespace tools {

// Appends everything left in stream to text; false on a read error.
bool readStream(std::FILE *stream, std::string &text);

// Appends the file's bytes to text. False with the reason (the system's
// words, or "read error") when it cannot be read.
bool readFile(const std::string &path, std::string &text, std::string &reason);

}  // namespace tools
