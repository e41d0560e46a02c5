#include "tools/morvantia-check/cross_check.h"

#include "tools/morvantia-check/call_distance.h"

#include <algorithm>
#include <queue>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

namespace check {

const char *statusName(Status status) {
    switch (status) {
    case Status::Confirmed: return "confirmed";
    case Status::BustedExchange: return "busted_exchange";
    case Status::BustedCall: return "busted_call";
    case Status::NotInLog: return "nil";
    case Status::Unique: return "unique";
    case Status::Unchecked: return "unchecked";
    case Status::Dupe: return "dupe";
    case Status::Bad: return "bad";
    }
    return "?";
}

namespace {

std::string upper(std::string text) {
    for (char &c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string lower(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

long long distance(long long a, long long b) { return a > b ? a - b : b - a; }

// Packed index keys: 24 bits of log, 24 of call, 16 of band and mode class.
constexpr std::uint32_t kMaxLogs = 1u << 24;
constexpr std::uint32_t kMaxCalls = 1u << 24;
constexpr std::uint32_t kMaxSlots = 1u << 16;

}  // namespace

std::vector<std::pair<std::uint32_t, std::uint32_t>> pairNearestFirst(
    const std::vector<long long> &a, const std::vector<long long> &b, int window) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    if (a.empty() || b.empty()) return pairs;
    // Both lists merged in time order (a before b within a minute, each by
    // index), as a linked list of what is still free. The nearest free pair
    // always has a pair as near side by side in it (anything between two
    // items is as near to one of them), so only neighbours need a place in
    // the queue: n log n however many QSOs share a minute.
    struct Node {
        long long minute;
        std::uint32_t index;
        bool fromB;
        int prev, next;
        bool free;
    };
    std::vector<Node> nodes;
    nodes.reserve(a.size() + b.size());
    for (std::uint32_t i = 0; i < a.size(); ++i) nodes.push_back({a[i], i, false, 0, 0, true});
    for (std::uint32_t j = 0; j < b.size(); ++j) nodes.push_back({b[j], j, true, 0, 0, true});
    std::sort(nodes.begin(), nodes.end(), [](const Node &x, const Node &y) {
        return std::tie(x.minute, x.fromB, x.index) < std::tie(y.minute, y.fromB, y.index);
    });
    const int n = static_cast<int>(nodes.size());
    for (int i = 0; i < n; ++i) {
        nodes[i].prev = i - 1;
        nodes[i].next = i + 1 < n ? i + 1 : -1;
    }
    // (distance, minute in a, minute in b, left node, right node)
    using Candidate = std::tuple<long long, long long, long long, int, int>;
    std::priority_queue<Candidate, std::vector<Candidate>, std::greater<Candidate>> queue;
    auto offer = [&](int left) {
        if (left < 0) return;
        const int right = nodes[left].next;
        if (right < 0 || nodes[left].fromB == nodes[right].fromB) return;
        const long long d = distance(nodes[left].minute, nodes[right].minute);
        if (d > window) return;
        const long long aMinute = nodes[left].fromB ? nodes[right].minute : nodes[left].minute;
        const long long bMinute = nodes[left].fromB ? nodes[left].minute : nodes[right].minute;
        queue.emplace(d, aMinute, bMinute, left, right);
    };
    // The first free node of the run of nodes from the same list at the same
    // minute: the lowest index, which wins among equally near pairs.
    auto firstOfMinute = [&](int k) {
        while (nodes[k].prev >= 0 && nodes[nodes[k].prev].fromB == nodes[k].fromB &&
               nodes[nodes[k].prev].minute == nodes[k].minute)
            k = nodes[k].prev;
        return k;
    };
    auto take = [&](int k) {
        nodes[k].free = false;
        const int before = nodes[k].prev;
        const int after = nodes[k].next;
        if (before >= 0) nodes[before].next = after;
        if (after >= 0) nodes[after].prev = before;
        offer(before);
    };
    for (int i = 0; i < n; ++i) offer(i);
    while (!queue.empty()) {
        const int left = std::get<3>(queue.top());
        const int right = std::get<4>(queue.top());
        queue.pop();
        // Stale: one of the two was taken meanwhile (nodes never come
        // between two free neighbours).
        if (!nodes[left].free || !nodes[right].free) continue;
        const int x = firstOfMinute(nodes[left].fromB ? right : left);
        const int y = firstOfMinute(nodes[left].fromB ? left : right);
        pairs.emplace_back(nodes[x].index, nodes[y].index);
        take(x);
        take(y);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

std::uint32_t CrossCheck::Texts::id(const std::string &text) {
    const auto found = ids_.find(text);
    if (found != ids_.end()) return found->second;
    const auto id = static_cast<std::uint32_t>(texts_.size());
    ids_.emplace(text, id);
    texts_.push_back(text);
    return id;
}

bool CrossCheck::Texts::find(const std::string &text, std::uint32_t &id) const {
    const auto found = ids_.find(text);
    if (found == ids_.end()) return false;
    id = found->second;
    return true;
}

std::uint32_t CrossCheck::addLog(const std::string &ownCall, bool &added) {
    if (codes_.size() == 0) codes_.id("");  // id 0: no code
    const std::uint32_t call = calls_.id(upper(ownCall));
    for (std::uint32_t i = 0; i < logs_.size(); ++i)
        if (logs_[i].call == call) {
            added = false;
            return i;
        }
    if (logs_.size() + 1 >= kMaxLogs) throw std::length_error("too many logs");
    added = true;
    logs_.push_back({call, {}, {}});
    return static_cast<std::uint32_t>(logs_.size() - 1);
}

void CrossCheck::addQso(std::uint32_t log, const QsoFacts &facts) {
    if (codes_.size() == 0) codes_.id("");
    Qso qso;
    qso.call = calls_.id(upper(facts.call));
    qso.slot = slots_.id(lower(facts.band) + " " + upper(facts.modeClass));
    if (calls_.size() >= kMaxCalls || slots_.size() >= kMaxSlots)
        throw std::length_error("too many different calls, bands or modes");
    qso.minute = facts.minute;
    qso.serialReceived = facts.serialReceived;
    qso.serialSent = facts.serialSent;
    qso.codeReceived = codes_.id(upper(facts.codeReceived));
    qso.codeSent = codes_.id(upper(facts.codeSent));
    qso.own = facts.ownCall.empty() ? logs_.at(log).call : calls_.id(upper(facts.ownCall));
    if (calls_.size() >= kMaxCalls) throw std::length_error("too many different calls");
    logs_.at(log).qsos.push_back(qso);
}

std::uint64_t CrossCheck::keyOf(std::uint32_t owner, std::uint32_t call, std::uint32_t slot) {
    return (static_cast<std::uint64_t>(owner) << 40) | (static_cast<std::uint64_t>(call) << 16) |
           slot;
}

std::pair<std::size_t, std::size_t> CrossCheck::range(std::uint64_t first,
                                                      std::uint64_t last) const {
    const auto begin = std::lower_bound(entries_.begin(), entries_.end(), first,
                                        [](const Entry &e, std::uint64_t k) { return e.key < k; });
    const auto end = std::upper_bound(begin, entries_.end(), last,
                                      [](std::uint64_t k, const Entry &e) { return k < e.key; });
    return {static_cast<std::size_t>(begin - entries_.begin()),
            static_cast<std::size_t>(end - entries_.begin())};
}

void CrossCheck::assignStations() {
    std::vector<std::uint32_t> logOfCall(calls_.size(), kNoLog);
    for (std::uint32_t l = 0; l < logs_.size(); ++l) logOfCall[logs_[l].call] = l;
    stations_.clear();
    std::unordered_map<std::uint32_t, std::uint32_t> stationOf;  // of one log, by call
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
        Log &log = logs_[l];
        const auto own = static_cast<std::uint32_t>(stations_.size());
        stations_.push_back({l, log.call});
        stationOf.clear();
        for (Qso &qso : log.qsos) {
            // Another log's call stays that log's.
            if (qso.own == log.call || logOfCall[qso.own] != kNoLog) {
                qso.own = own;
                continue;
            }
            auto found = stationOf.find(qso.own);
            if (found == stationOf.end()) {
                if (stations_.size() + 1 >= kMaxLogs) throw std::length_error("too many own calls");
                found = stationOf.emplace(qso.own, static_cast<std::uint32_t>(stations_.size())).first;
                stations_.push_back({l, qso.own});
            }
            qso.own = found->second;
        }
    }
    // A call is found under the log that sends it as its own; else under the
    // first log whose lines give it.
    stationOfCall_.assign(calls_.size(), kNoLog);
    for (std::uint32_t s = 0; s < stations_.size(); ++s)
        if (stations_[s].call == logs_[stations_[s].log].call) stationOfCall_[stations_[s].call] = s;
    for (std::uint32_t s = 0; s < stations_.size(); ++s)
        if (stationOfCall_[stations_[s].call] == kNoLog) stationOfCall_[stations_[s].call] = s;
}

bool CrossCheck::reachable(std::uint32_t station) const {
    return stationOfCall_[stations_[station].call] == station;
}

void CrossCheck::buildIndex() {
    std::size_t total = 0;
    for (const Log &log : logs_) total += log.qsos.size();
    entries_.clear();
    entries_.reserve(total);
    links_.assign(logs_.size(), {});
    partners_.assign(logs_.size(), {});
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
        const Log &log = logs_[l];
        links_[l].assign(log.qsos.size(), Link::None);
        partners_[l].assign(log.qsos.size(), QsoRef{});
        for (std::uint32_t q = 0; q < log.qsos.size(); ++q)
            entries_.push_back({keyOf(log.qsos[q].own, log.qsos[q].call, log.qsos[q].slot),
                                log.qsos[q].minute, l, q});
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry &x, const Entry &y) {
        return std::tie(x.key, x.minute, x.qso) < std::tie(y.key, y.minute, y.qso);
    });
}

namespace {

// Distinct QSOs among (offset, QSO) pairs sorted by offset, with an offset
// from low to high.
std::size_t qsosBetween(const std::vector<std::pair<long long, std::uint32_t>> &offsets,
                        long long low, long long high, std::vector<std::uint32_t> &scratch) {
    const auto from = std::lower_bound(offsets.begin(), offsets.end(),
                                       std::make_pair(low, std::uint32_t{0}));
    scratch.clear();
    for (auto i = from; i != offsets.end() && i->first <= high; ++i) scratch.push_back(i->second);
    std::sort(scratch.begin(), scratch.end());
    return static_cast<std::size_t>(std::unique(scratch.begin(), scratch.end()) - scratch.begin());
}

}  // namespace

void CrossCheck::correctClocks() {
    if (!clockFix_.enabled) return;
    // Each log's offsets to the other logs: for every QSO with a station
    // that sent a log, the minutes from it to each QSO of that log with
    // this station on the band and mode class.
    std::vector<std::vector<std::pair<long long, std::uint32_t>>> offsets(logs_.size());
    std::vector<std::size_t> checkable(logs_.size(), 0);
    for (std::size_t begin = 0; begin < entries_.size();) {
        std::size_t end = begin;
        while (end < entries_.size() && entries_[end].key == entries_[begin].key) ++end;
        const std::uint32_t owner = static_cast<std::uint32_t>(entries_[begin].key >> 40);
        const std::uint32_t log = entries_[begin].log;
        const Qso &sample = logs_[log].qsos[entries_[begin].qso];
        const std::uint32_t other = stationOfCall_[sample.call];
        if (other != kNoLog && stations_[other].log != log && reachable(owner)) {
            checkable[log] += end - begin;
            const std::uint64_t key = keyOf(other, stations_[owner].call, sample.slot);
            const auto [from, to] = range(key, key);
            // Many repeats of one QSO say nothing about a clock.
            if ((end - begin) * (to - from) <= 64)
                for (std::size_t i = begin; i < end; ++i)
                    for (std::size_t j = from; j < to; ++j) {
                        const long long d = entries_[j].minute - entries_[i].minute;
                        if (distance(d, 0) <= clockFix_.largest)
                            offsets[log].emplace_back(d, entries_[i].qso);
                    }
        }
        begin = end;
    }
    std::vector<std::uint32_t> scratch;
    bool corrected = false;
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
        auto &mine = offsets[l];
        if (mine.empty()) continue;
        std::sort(mine.begin(), mine.end());
        mine.erase(std::unique(mine.begin(), mine.end()), mine.end());
        // The offset most QSOs give exactly; the smaller one among equals.
        long long best = 0;
        std::size_t bestCount = 0;
        for (std::size_t i = 0; i < mine.size();) {
            std::size_t j = i;
            while (j < mine.size() && mine[j].first == mine[i].first) ++j;
            if (j - i > bestCount ||
                (j - i == bestCount && distance(mine[i].first, 0) < distance(best, 0))) {
                best = mine[i].first;
                bestCount = j - i;
            }
            i = j;
        }
        if (distance(best, 0) <= window_) continue;
        const std::size_t agree = qsosBetween(mine, best - window_, best + window_, scratch);
        const std::size_t agreeAsLogged = qsosBetween(mine, -window_, window_, scratch);
        if (agree < static_cast<std::size_t>(clockFix_.least) || agree * 2 <= checkable[l] ||
            agree <= agreeAsLogged * 2)
            continue;
        logs_[l].correction = best;
        for (Qso &qso : logs_[l].qsos) qso.minute += best;
        corrected = true;
    }
    // One log's times move together, so each run of one key stays in order.
    if (corrected)
        for (Entry &e : entries_) e.minute = logs_[e.log].qsos[e.qso].minute;
}

template <typename Visit>
void CrossCheck::forEachKeyRun(Visit visit) const {
    for (std::size_t begin = 0; begin < entries_.size();) {
        std::size_t end = begin;
        while (end < entries_.size() && entries_[end].key == entries_[begin].key) ++end;
        const Entry &first = entries_[begin];
        visit(begin, end, static_cast<std::uint32_t>(first.key >> 40),
              logs_[first.log].qsos[first.qso]);
        begin = end;
    }
}

void CrossCheck::matchExact() {
    std::vector<long long> mine, theirs;
    forEachKeyRun([&](std::size_t begin, std::size_t end, std::uint32_t owner, const Qso &sample) {
        const std::uint32_t other = stationOfCall_[sample.call];
        // Each pair of stations once, from the side with the lower number.
        if (other == kNoLog || other <= owner || !reachable(owner) ||
            stations_[other].log == entries_[begin].log)
            return;
        const std::uint64_t key = keyOf(other, stations_[owner].call, sample.slot);
        const auto [from, to] = range(key, key);
        if (from == to) return;
        mine.clear();
        theirs.clear();
        for (std::size_t i = begin; i < end; ++i) mine.push_back(entries_[i].minute);
        for (std::size_t j = from; j < to; ++j) theirs.push_back(entries_[j].minute);
        for (const auto &[i, j] : pairNearestFirst(mine, theirs, window_)) {
            const Entry &x = entries_[begin + i];
            const Entry &y = entries_[from + j];
            links_[x.log][x.qso] = links_[y.log][y.qso] = Link::Exact;
            partners_[x.log][x.qso] = {y.log, y.qso};
            partners_[y.log][y.qso] = {x.log, x.qso};
        }
    });
}

void CrossCheck::matchBustedCalls() {
    NearCalls logCalls;
    for (std::uint32_t s = 0; s < stations_.size(); ++s)
        if (reachable(s)) logCalls.add(s, calls_.text(stations_[s].call));
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> nearByCall;

    // Candidate pairs from every group of QSOs with a call that sent no log
    // against each log one character away, nearest first within each; then
    // taken nearest first across all, as one QSO may have candidates in
    // several logs.
    struct Candidate {
        long long distance, minute;
        QsoRef busted, confirmed;
    };
    std::vector<Candidate> candidates;
    std::vector<long long> mine, theirs;
    std::vector<std::size_t> mineAt, theirsAt;
    forEachKeyRun([&](std::size_t begin, std::size_t end, std::uint32_t owner, const Qso &sample) {
        if (stationOfCall_[sample.call] != kNoLog || !reachable(owner)) return;
        const std::uint32_t ownLog = entries_[begin].log;
        auto known = nearByCall.find(sample.call);
        if (known == nearByCall.end())
            known = nearByCall.emplace(sample.call, logCalls.near(calls_.text(sample.call))).first;
        for (std::uint32_t station : known->second) {
            if (stations_[station].log == ownLog) continue;
            const std::uint64_t key = keyOf(station, stations_[owner].call, sample.slot);
            const auto [from, to] = range(key, key);
            mine.clear();
            theirs.clear();
            mineAt.clear();
            theirsAt.clear();
            for (std::size_t i = begin; i < end; ++i) {
                mine.push_back(entries_[i].minute);
                mineAt.push_back(i);
            }
            for (std::size_t j = from; j < to; ++j)
                if (links_[entries_[j].log][entries_[j].qso] == Link::None) {
                    theirs.push_back(entries_[j].minute);
                    theirsAt.push_back(j);
                }
            for (const auto &[i, j] : pairNearestFirst(mine, theirs, window_)) {
                const Entry &x = entries_[mineAt[i]];
                const Entry &y = entries_[theirsAt[j]];
                candidates.push_back({distance(x.minute, y.minute), x.minute,
                                      {x.log, x.qso}, {y.log, y.qso}});
            }
        }
    });
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &x, const Candidate &y) {
        return std::tie(x.distance, x.minute, x.busted.log, x.busted.qso, x.confirmed.log,
                        x.confirmed.qso) < std::tie(y.distance, y.minute, y.busted.log,
                                                    y.busted.qso, y.confirmed.log, y.confirmed.qso);
    });
    for (const Candidate &c : candidates) {
        Link &busted = links_[c.busted.log][c.busted.qso];
        Link &confirmed = links_[c.confirmed.log][c.confirmed.qso];
        if (busted != Link::None || confirmed != Link::None) continue;
        busted = Link::BustedMine;
        confirmed = Link::BustedTheirs;
        partners_[c.busted.log][c.busted.qso] = c.confirmed;
        partners_[c.confirmed.log][c.confirmed.qso] = c.busted;
    }
}

bool CrossCheck::exchangeAgrees(const Qso &mine, const Qso &theirs) const {
    // What the other side did not log as sent cannot be held against us;
    // what it did must have been copied.
    if (theirs.serialSent >= 0 && mine.serialReceived != theirs.serialSent) return false;
    if (theirs.codeSent != 0 && mine.codeReceived != theirs.codeSent) return false;
    return true;
}

QsoRef CrossCheck::nearestOther(const Qso &qso, std::uint32_t otherStation) const {
    const std::uint64_t first = keyOf(otherStation, stations_[qso.own].call, 0);
    const auto [from, to] = range(first, first | 0xFFFF);
    QsoRef best;
    bool bestSameSlot = false;
    long long bestDistance = 0;
    for (std::size_t i = from; i < to; ++i) {
        const Entry &e = entries_[i];
        const bool sameSlot = logs_[e.log].qsos[e.qso].slot == qso.slot;
        const long long d = distance(e.minute, qso.minute);
        if (!best.valid() || (sameSlot && !bestSameSlot) ||
            (sameSlot == bestSameSlot && d < bestDistance)) {
            best = {e.log, e.qso};
            bestSameSlot = sameSlot;
            bestDistance = d;
        }
    }
    return best;
}

void CrossCheck::decide() {
    // How many logs hold each call. A log's stations come together in the
    // index, so a log is counted once for each call.
    std::vector<std::uint32_t> holders(calls_.size(), 0);
    std::vector<std::uint32_t> lastHolder(calls_.size(), kNoLog);
    for (const Entry &e : entries_) {
        const std::uint32_t call = logs_[e.log].qsos[e.qso].call;
        if (lastHolder[call] != e.log) {
            lastHolder[call] = e.log;
            ++holders[call];
        }
    }

    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
        Log &log = logs_[l];
        log.findings.assign(log.qsos.size(), Finding{});
        for (std::uint32_t q = 0; q < log.qsos.size(); ++q) {
            const Qso &qso = log.qsos[q];
            Finding &finding = log.findings[q];
            const QsoRef partner = partners_[l][q];
            switch (links_[l][q]) {
            case Link::Exact:
            case Link::BustedTheirs:
                finding.other = partner;
                finding.status = exchangeAgrees(qso, logs_[partner.log].qsos[partner.qso])
                                     ? Status::Confirmed
                                     : Status::BustedExchange;
                continue;
            case Link::BustedMine:
                finding.other = partner;
                finding.status = Status::BustedCall;
                continue;
            case Link::None: break;
            }
            const std::uint32_t other = stationOfCall_[qso.call];
            if (other != kNoLog) {
                finding.status = Status::NotInLog;
                if (stations_[other].log != l) finding.other = nearestOther(qso, other);
            } else {
                finding.status = holders[qso.call] > 1 ? Status::Unchecked : Status::Unique;
            }
        }
    }
}

void CrossCheck::run() {
    assignStations();
    buildIndex();
    correctClocks();
    matchExact();
    matchBustedCalls();
    decide();
    // The index is only needed while deciding.
    entries_ = {};
    links_ = {};
    partners_ = {};
    stationOfCall_ = {};
}

}  // namespace check
