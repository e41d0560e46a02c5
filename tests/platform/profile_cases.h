// One table of INI cases for the private-profile functions: the file before,
// one call, what it returns and the file's exact bytes after. The same table
// runs against our POSIX implementation and, under Wine, against the real
// API, so the two cannot drift apart.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace profile_cases {

enum class Call { Read, Write };

struct ProfileCase {
    std::string name;                   // a test name: letters and digits
    std::optional<std::string> before;  // file content; none: no file
    Call call = Call::Read;
    std::string section;
    std::string key;
    std::string value;                  // Write: the value; Read: the default
    std::size_t bufferSize = 100;       // Read only
    std::string expectedValue;          // Read only
    bool expectedSuccess = true;        // Write only
    std::optional<std::string> after;   // file content after; none: no file
    std::string fileName = "Plugins\\case.ini";
};

const std::vector<ProfileCase> &allCases();

}  // namespace profile_cases
