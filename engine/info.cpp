#include "engine/info.h"

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

std::string QsoStore::key(const std::string &call, const std::string &band,
                          const std::string &mode) {
    std::string k;
    k.reserve(call.size() + band.size() + mode.size() + 2);
    k.append(call).push_back('\0');
    k.append(band).push_back('\0');
    k.append(mode);
    return k;
}

int QsoStore::Add(CInfo record) {
    ++counts_[key(record.call, record.band, record.mode)];
    records_.push_back(std::move(record));
    return static_cast<int>(records_.size()) - 1;
}

int QsoStore::countMatching(const CInfo &record) const {
    return countMatching(record.call, record.band, record.mode);
}

void QsoStore::RemoveAt(int index, int count) {
    if (index < 0 || count <= 0 || index >= GetSize()) return;
    const int end = index + count > GetSize() ? GetSize() : index + count;
    for (int i = index; i < end; ++i) {
        auto found = counts_.find(key(records_[i].call, records_[i].band,
                                      records_[i].mode));
        if (found != counts_.end() && --found->second == 0) counts_.erase(found);
    }
    records_.erase(records_.begin() + index, records_.begin() + end);
}

void QsoStore::RemoveAll() {
    records_.clear();
    counts_.clear();
}

int QsoStore::countMatching(const std::string &call, const std::string &band,
                            const std::string &mode) const {
    auto found = counts_.find(key(call, band, mode));
    return found == counts_.end() ? 0 : found->second;
}

int QsoStore::findFirst(const std::string &call, const std::string &band,
                        const std::string &mode, const OleTime &time) const {
    if (countMatching(call, band, mode) == 0) return -1;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const CInfo &r = records_[i];
        if (r.call == call && r.band == band && r.mode == mode &&
            sameTime(r.time, time))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace engine
