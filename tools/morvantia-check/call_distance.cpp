#include "tools/morvantia-check/call_distance.h"

#include <algorithm>

namespace check {

bool oneCharApart(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    if (a.size() - b.size() > 1) return false;
    std::size_t i = 0;
    while (i < b.size() && a[i] == b[i]) ++i;
    if (a.size() == b.size()) {
        // One changed character: the rest after it must agree.
        return i < a.size() && a.substr(i + 1) == b.substr(i + 1);
    }
    // a has one character more: dropping a[i] must give b.
    return a.substr(i + 1) == b.substr(i);
}

namespace {

std::string without(const std::string &call, std::size_t i) {
    return call.substr(0, i) + call.substr(i + 1);
}

std::string changedKey(const std::string &call, std::size_t i) {
    return std::to_string(i) + ":" + without(call, i);
}

void addUnique(std::vector<std::uint32_t> &ids, std::uint32_t id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
}

}  // namespace

void NearCalls::add(std::uint32_t id, const std::string &call) {
    whole_.emplace(call, id);
    for (std::size_t i = 0; i < call.size(); ++i) {
        addUnique(byChanged_[changedKey(call, i)], id);
        addUnique(byShorter_[without(call, i)], id);
    }
}

std::vector<std::uint32_t> NearCalls::near(const std::string &call) const {
    std::vector<std::uint32_t> found;
    auto take = [&found](const std::vector<std::uint32_t> &ids) {
        for (std::uint32_t id : ids) addUnique(found, id);
    };
    for (std::size_t i = 0; i < call.size(); ++i) {
        // A known call with character i changed.
        if (auto it = byChanged_.find(changedKey(call, i)); it != byChanged_.end()) take(it->second);
        // A known call with one character added: call lost one.
        if (auto it = whole_.find(without(call, i)); it != whole_.end()) addUnique(found, it->second);
    }
    // A known call with one character dropped.
    if (auto it = byShorter_.find(call); it != byShorter_.end()) take(it->second);
    // The changed-character keys also hold the call itself.
    if (auto it = whole_.find(call); it != whole_.end())
        found.erase(std::remove(found.begin(), found.end(), it->second), found.end());
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace check
