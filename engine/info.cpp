#include "engine/info.h"

#include <algorithm>
#include <utility>

namespace engine {

OleTime OleTime::from(const HostDateTime *dateTime) {
    OleTime time;
    if (dateTime == nullptr) {
        time.status = HOST_DATETIME_NULL;
    } else {
        time.value = dateTime->value;
        time.status = dateTime->status;
    }
    return time;
}

HostDateTime OleTime::toHost() const {
    HostDateTime dateTime{};
    dateTime.value = value;
    dateTime.status = status;
    return dateTime;
}

bool sameTime(const OleTime &a, const OleTime &b) {
    if (a.status == HOST_DATETIME_NULL && b.status == HOST_DATETIME_NULL)
        return true;
    return a.status == HOST_DATETIME_VALID && b.status == HOST_DATETIME_VALID &&
           a.value == b.value;
}

int QsoStore::Add(CInfo record) {
    const uint64_t seq = nextSeq_++;
    byCall_[record.call].push_back(seq);
    records_.push_back(std::move(record));
    seqs_.push_back(seq);
    return static_cast<int>(records_.size()) - 1;
}

int QsoStore::indexOfSeq(uint64_t seq) const {
    auto found = std::lower_bound(seqs_.begin(), seqs_.end(), seq);
    return static_cast<int>(found - seqs_.begin());
}

int QsoStore::countMatching(const CInfo &record) const {
    return countMatching(record.call, record.band, record.mode);
}

void QsoStore::RemoveAt(int index, int count) {
    if (index < 0 || count <= 0 || index >= GetSize()) return;
    const int end = index + count > GetSize() ? GetSize() : index + count;
    for (int i = index; i < end; ++i) {
        auto found = byCall_.find(records_[i].call);
        if (found == byCall_.end()) continue;
        std::vector<uint64_t> &seqs = found->second;
        auto at = std::lower_bound(seqs.begin(), seqs.end(), seqs_[i]);
        if (at != seqs.end() && *at == seqs_[i]) seqs.erase(at);
        if (seqs.empty()) byCall_.erase(found);
    }
    records_.erase(records_.begin() + index, records_.begin() + end);
    seqs_.erase(seqs_.begin() + index, seqs_.begin() + end);
}

void QsoStore::clearDupe(int index) {
    CInfo &record = records_.at(static_cast<std::size_t>(index));
    record.dupe = 0;
    record.excluded = record.badQso;
}

void QsoStore::RemoveAll() {
    records_.clear();
    seqs_.clear();
    byCall_.clear();
    nextSeq_ = 0;
}

std::vector<int> QsoStore::indicesOfCall(const std::string &call) const {
    std::vector<int> indices;
    auto found = byCall_.find(call);
    if (found == byCall_.end()) return indices;
    indices.reserve(found->second.size());
    for (uint64_t seq : found->second) indices.push_back(indexOfSeq(seq));
    return indices;
}

int QsoStore::countMatching(const std::string &call, const std::string &band,
                            const std::string &mode) const {
    auto found = byCall_.find(call);
    if (found == byCall_.end()) return 0;
    int count = 0;
    for (uint64_t seq : found->second) {
        const CInfo &r = records_[static_cast<std::size_t>(indexOfSeq(seq))];
        if (r.band == band && r.mode == mode) ++count;
    }
    return count;
}

int QsoStore::findFirst(const std::string &call, const std::string &band,
                        const std::string &mode, const OleTime &time) const {
    auto found = byCall_.find(call);
    if (found == byCall_.end()) return -1;
    for (uint64_t seq : found->second) {
        const int i = indexOfSeq(seq);
        const CInfo &r = records_[static_cast<std::size_t>(i)];
        if (r.band == band && r.mode == mode && sameTime(r.time, time)) return i;
    }
    return -1;
}

}  // namespace engine
