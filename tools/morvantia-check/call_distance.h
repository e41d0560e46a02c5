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
    using Ids = std::vector<std::uint32_t>;
    // A call with one character changed shares "<position>:<the rest>" with
    // it; one with a character added, when dropped, gives a whole call; one
    // with a character dropped is among the shorter forms.
    std::unordered_map<std::string, Ids> byChanged_;
    std::unordered_map<std::string, Ids> byShorter_;
    std::unordered_map<std::string, Ids> whole_;
    std::vector<std::string> texts_;  // by id
};

}  // namespace check
