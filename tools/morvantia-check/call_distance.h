// Calls one character apart: the shape of a call copied wrong by one letter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace check {

// True when a and b differ by exactly one character: one changed, added or
// dropped. Equal calls are not one character apart.
bool oneCharApart(std::string_view a, std::string_view b);

// A set of calls that answers which of them lie one character from a given
// call without comparing it with every one: each call is filed under the
// texts it leaves with one character taken out.
class NearCalls {
public:
    void add(std::uint32_t id, const std::string &call);
    // Ids of the added calls one character from call, ascending.
    std::vector<std::uint32_t> near(const std::string &call) const;

private:
    // "<position>:<call without that position>" for a changed character,
    // "<call without one character>" for an added one; whole calls for a
    // dropped one.
    std::unordered_map<std::string, std::vector<std::uint32_t>> byChanged_;
    std::unordered_map<std::string, std::vector<std::uint32_t>> byShorter_;
    std::unordered_map<std::string, std::uint32_t> whole_;
};

}  // namespace check
