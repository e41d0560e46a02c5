// The text file that lists every problem QSO, one CR LF line each.
#pragma once

#include "contract/plugin_files.h"
#include "platform/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace engine {

namespace bad_qso_file {

// The writers return false when the file could not be written; the file then
// keeps its former content whole.

// The first line as a reset writes it, and as a removal rewrites it (one
// blank more; readers of the file may tell the two apart).
constexpr const char *kHeader = "MORVANTIA CONTEST UBN file ";
constexpr const char *kRewrittenHeader = "MORVANTIA CONTEST UBN file  ";

// Makes the file hold just its first line.
bool create(const std::string &fileName, const std::string &header);

// Appends lines (each without its line end) to the file. A file that is
// missing or empty, say deleted while the log is open, gets header first:
// every reader takes the first line for the header.
// stamps, when given, receives the file's stamps around the append.
bool append(const std::string &fileName, const std::vector<std::string> &lines,
            const std::string &header = std::string(),
            platform::AppendStamps *stamps = nullptr);

// All lines of the file without their line ends; false when it cannot be
// read. content, when given, receives the file's bytes as read.
bool readLines(const std::string &fileName, std::vector<std::string> &lines);

// The file's bytes; false when it cannot be read.
bool readAll(const std::string &fileName, std::string &content);

using contract::forEachLine;

// The end of a dupe line: one per earlier QSO that the dupe repeats.
constexpr const char *kDupeMessage = contract::kDupeMessage;
bool isDupeLine(std::string_view line);

// Number of lines that list a refused or bad QSO: neither the first line
// (the header) nor a dupe line, as a QSO repeated n times has n dupe lines
// yet is no bad QSO; 0 when the file cannot be read.
int countProblemLines(const std::string &fileName);

// The same count for lines already read, the header not among them.
int countProblemLines(const std::vector<std::string> &lines);

// Replaces the whole file with header and lines. The new content is written
// to a temporary file first and swapped in, so a crash keeps the old file.
bool rewrite(const std::string &fileName, const std::string &header,
             const std::vector<std::string> &lines);



}  // namespace bad_qso_file

}  // namespace engine
