// A problem found while reading a log: where it is and what is wrong.
#pragma once

#include <string>

namespace tools {

struct ReadProblem {
    int line = 0;    // from 1; 0 when the problem has no line
    int record = 0;  // the QSO record's number in the log, from 1; 0 for none
    std::string message;
};

}  // namespace tools
