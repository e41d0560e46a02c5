// The QSO record and the store that holds the accepted QSOs.
#pragma once

#include "engine/stats_api.h"

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

// A date-time as the host gives it; a new record holds zero, valid.
struct OleTime {
    double value = 0.0;
    int32_t status = HOST_DATETIME_VALID;

    static OleTime from(const HostDateTime *dateTime);
    HostDateTime toHost() const;
};

// Equal when both are valid with the same value or both are null; an invalid
// time never equals anything.
bool sameTime(const OleTime &a, const OleTime &b);

// One accepted QSO.
class CInfo {
public:
    CInfo() = default;
    CInfo(const CInfo &) = default;
    CInfo(CInfo &&) noexcept = default;
    CInfo &operator=(const CInfo &) = default;
    CInfo &operator=(CInfo &&) noexcept = default;
    virtual ~CInfo() = default;

    std::string call;
    std::string countryPrefix;
    std::string band;
    std::string mode;
    std::string rstReceived;
    std::string rstSent;
    std::string exchReceived;
    std::string exchSent;
    std::string countryCode;
    std::string county;
    int32_t freqKHz = 0;
    int32_t excluded = 0;
    int32_t badQso = 0;
    int32_t dupe = 0;
    OleTime time;
    // The text of each of its DUPE lines in the bad-QSO file, one per
    // earlier QSO with the same call, band and mode; empty when it has none.
    std::string dupeLine;
};

// The accepted QSOs in arrival order, indexed by call so that dupe checks and
// the look-up of one station's QSOs stay cheap at any log size.
class QsoStore {
public:
    int GetSize() const { return static_cast<int>(records_.size()); }
    const CInfo &GetAt(int index) const { return records_.at(index); }
    int Add(CInfo record);
    void RemoveAt(int index, int count = 1);
    void RemoveAll();

    // The record no longer repeats an earlier one: it counts again unless
    // it is bad for another reason.
    void clearDupe(int index);

    // Stored records with this call, band and mode (exact comparison).
    int countMatching(const std::string &call, const std::string &band,
                      const std::string &mode) const;
    int countMatching(const CInfo &record) const;

    // Index of the first record with this call, band, mode and time, or -1.
    int findFirst(const std::string &call, const std::string &band,
                  const std::string &mode, const OleTime &time) const;

    // Indices of the records with exactly this call, in store order.
    std::vector<int> indicesOfCall(const std::string &call) const;

    // A deque: growing never copies the records already stored, so a big log
    // needs no second copy of itself in memory while it grows.
    using Records = std::deque<CInfo>;
    const Records &records() const { return records_; }

private:
    // Each record gets an arrival number that never changes; removals keep
    // the order, so seqs_ stays sorted and a number finds its index by
    // binary search however many records moved down before it.
    int indexOfSeq(uint64_t seq) const;

    Records records_;
    std::deque<uint64_t> seqs_;  // arrival number of records_[i]
    uint64_t nextSeq_ = 0;
    // Arrival numbers of each call's records, ascending.
    std::unordered_map<std::string, std::vector<uint64_t>> byCall_;
};

}  // namespace engine
