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
    if (texts_.size() <= id) texts_.resize(id + 1);
    texts_[id] = call;
    addUnique(whole_[call], id);
    for (std::size_t i = 0; i < call.size(); ++i) {
        addUnique(byChanged_[changedKey(call, i)], id);
        addUnique(byShorter_[without(call, i)], id);
    }
}

std::vector<std::uint32_t> NearCalls::near(const std::string &call) const {
    std::vector<std::uint32_t> found;
    auto take = [&found](const std::unordered_map<std::string, Ids> &map, const std::string &key) {
        const auto it = map.find(key);
        if (it != map.end())
            for (std::uint32_t id : it->second) addUnique(found, id);
    };
    for (std::size_t i = 0; i < call.size(); ++i) {
        take(byChanged_, changedKey(call, i));
        take(whole_, without(call, i));
    }
    take(byShorter_, call);
    // The changed-character keys also find the call itself.
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&](std::uint32_t id) { return !oneCharApart(call, texts_[id]); }),
                found.end());
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace check
