// Access to INI files with the semantics of the Windows private-profile API.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Reads one value. Sections and keys match ignoring case, blanks around keys
// and values are dropped, one pair of surrounding quotes is removed, and the
// value is cut to bufferSize - 1 characters, as the host-facing buffers of the
// plug-in are 100 bytes. A missing file, section or key gives the default
// (cut the same way).
std::string readProfileString(const std::string &section,
                              const std::string &key,
                              const std::string &defaultValue,
                              const std::string &fileName,
                              std::size_t bufferSize = 100);

// A value as it may stand in an INI file: cut at its first CR, LF or NUL, so
// that a text from the host can never add lines (and keys) of its own.
inline std::string singleLineValue(const std::string &value) {
    return value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
}

// Writes one value (cut to a single line, as above), keeping the rest of the
// file; creates the file and the
// section when needed. Returns false when the file cannot be written (for
// example when its folder does not exist).
bool writeProfileString(const std::string &section, const std::string &key,
                        const std::string &value, const std::string &fileName);

}  // namespace platform
