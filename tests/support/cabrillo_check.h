// Checks a Cabrillo 3.0 log against the format's conventions: line ends,
// tag names, category values, and the fields of every QSO line.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The problems found, one text each; empty when the log is well formed.
std::vector<std::string> cabrilloProblems(const std::string &log);

}  // namespace testing_support
