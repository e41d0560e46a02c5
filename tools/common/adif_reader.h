// Reading ADIF (tagged text) and ADX (its XML form) into records of named
// fields, without interpreting the fields.
#pragma once

#include "tools/common/read_problem.h"

#include <string>
#include <utility>
#include <vector>

namespace tools {

struct AdifRecord {
    int number = 0;  // position among the log's records, from 1
    int line = 0;    // line of the record's first field
    // Field names in upper case, values exactly as stored; the first of two
    // fields with the same name wins.
    std::vector<std::pair<std::string, std::string>> fields;

    // The field's value, or null when the record lacks it.
    const std::string *find(const std::string &upperName) const;
};

struct AdifDocument {
    std::vector<std::pair<std::string, std::string>> header;
    std::vector<AdifRecord> records;     // complete, well-formed records only
    std::vector<ReadProblem> problems;   // one per record left out
};

// ADIF: "<NAME:LENGTH[:TYPE]>DATA" fields, records ended by <EOR>, an
// optional header ended by <EOH>. Names ignore case; LENGTH counts bytes, so
// data may hold "<", line ends or any other byte. A record with a malformed
// field, or one not ended by <EOR>, is left out and reported.
AdifDocument readAdif(const std::string &text);

// ADX: <RECORD> elements inside <RECORDS>, one child element per field.
AdifDocument readAdx(const std::string &text);

}  // namespace tools
