// The QSO record and the store that holds the accepted QSOs.
#pragma once

#include "contract/host_types.h"
#include "engine/text_pool.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
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

// One stored QSO as the store keeps it: every text is a number from the
// store's text pools, so a record is 64 bytes whatever the texts.
struct QsoRecord {
    double timeValue = 0.0;
    TextPool::Id call = TextPool::kEmpty;
    TextPool::Id countryPrefix = TextPool::kEmpty;
    TextPool::Id band = TextPool::kEmpty;
    TextPool::Id mode = TextPool::kEmpty;
    TextPool::Id rstReceived = TextPool::kEmpty;
    TextPool::Id rstSent = TextPool::kEmpty;
    TextPool::Id exchReceived = TextPool::kEmpty;
    TextPool::Id exchSent = TextPool::kEmpty;
    TextPool::Id countryCode = TextPool::kEmpty;
    TextPool::Id county = TextPool::kEmpty;
    TextPool::Id dupeLine = TextPool::kEmpty;
    uint32_t nextOfCall = 0;  // slot of the call's next record, kNoSlot at its last
    int32_t timeStatus = HOST_DATETIME_VALID;
    // A frequency from the host is at most 4,294,967 kHz (its 32-bit Hz
    // value over 1000): 24 bits hold it, and the flags share the word.
    uint32_t freqKHz : 24;
    uint32_t excluded : 1;
    uint32_t badQso : 1;
    uint32_t dupe : 1;
    uint32_t removed : 1;
    uint32_t : 4;

    QsoRecord() : freqKHz(0), excluded(0), badQso(0), dupe(0), removed(0) {}
};

// A QSO on its way into the store: views of texts held by the caller.
struct QsoFields {
    std::string_view call;
    std::string_view countryPrefix;
    std::string_view band;
    std::string_view mode;
    std::string_view rstReceived;
    std::string_view rstSent;
    std::string_view exchReceived;
    std::string_view exchSent;
    std::string_view countryCode;
    std::string_view county;
    std::string_view dupeLine;
    int32_t freqKHz = 0;
    bool excluded = false;
    bool badQso = false;
    bool dupe = false;
    OleTime time;
};

// The accepted QSOs in arrival order, indexed by call so that dupe checks and
// the look-up of one station's QSOs stay cheap at any log size.
//
// Records live in slots that never move while the log grows or shrinks: a
// removal only marks its slot, so it costs the same at any log size, and the
// slots of one call are chained in store order. The store packs its slots
// again once most of them are removed ones.
class QsoStore {
public:
    using Slot = uint32_t;
    static constexpr Slot kNoSlot = 0xFFFFFFFFu;

    QsoStore() = default;
    QsoStore(const QsoStore &) = delete;
    QsoStore &operator=(const QsoStore &) = delete;
    // Moves hand the blocks over whole: the engine starts a log afresh so.
    QsoStore(QsoStore &&) = default;
    QsoStore &operator=(QsoStore &&) = default;

    int GetSize() const { return static_cast<int>(live_); }
    // Copies out; an index outside 0..size-1 throws std::out_of_range.
    CInfo GetAt(int index) const { return recordAt(slotOfIndex(index)); }
    int Add(const CInfo &record);
    int Add(const QsoFields &fields);

    // The numbers of a call, band and mode, added to the pools when new: a
    // dupe check followed by the QSO's own Add looks each text up once.
    struct Group {
        TextPool::Id call, band, mode;
    };
    Group groupOf(std::string_view call, std::string_view band, std::string_view mode);
    int countMatching(const Group &group) const;
    int Add(const QsoFields &fields, const Group &group);
    void RemoveAt(int index, int count = 1);
    void RemoveAll();

    // The record no longer repeats an earlier one: it counts again unless
    // it is bad for another reason.
    void clearDupe(int index) { clearDupeAt(slotOfIndex(index)); }

    // Stored records with this call, band and mode (exact comparison).
    int countMatching(std::string_view call, std::string_view band,
                      std::string_view mode) const;
    int countMatching(const CInfo &record) const;

    // Index of the first record with this call, band, mode and time, or -1.
    int findFirst(const std::string &call, const std::string &band,
                  const std::string &mode, const OleTime &time) const;

    // Indices of the records with exactly this call, in store order.
    std::vector<int> indicesOfCall(const std::string &call) const;
    // The records with exactly this call, in store order.
    std::vector<CInfo> recordsOfCall(const std::string &call) const;

    // The records in store order, copied out one at a time.
    class Range;
    Range records() const;

    // Slot-level access for the engine's own passes over the log.
    Slot findFirstSlot(const std::string &call, const std::string &band,
                       const std::string &mode, const OleTime &time) const;
    std::vector<Slot> slotsOfCall(TextPool::Id call) const;
    const QsoRecord &at(Slot slot) const { return block(slot)[slot % kBlockRecords]; }
    CInfo recordAt(Slot slot) const;
    void removeSlot(Slot slot);
    void clearDupeAt(Slot slot);
    std::string_view text(TextPool::Id id) const { return texts_.text(id); }
    std::string_view callText(TextPool::Id id) const { return calls_.text(id); }
    TextPool::Id findText(std::string_view text) const { return texts_.find(text); }
    // Stored records on this band (exact name).
    int countOnBand(const std::string &band) const;

    // Calls f(record) for each stored record, in store order.
    template <class F>
    void forEach(F &&f) const {
        for (Slot slot = 0; slot < slots_; ++slot) {
            const QsoRecord &r = at(slot);
            if (!r.removed) f(r);
        }
    }

    // Changes with every change of the records, so a result computed from
    // them can tell it is still current.
    uint64_t version() const { return version_; }

    // The records in blocks of a fixed number of slots, for results kept
    // per block: a block's version changes with every change of its
    // records, and the layout's when records move to other blocks.
    std::size_t blockCount() const { return blocks_.size(); }
    uint64_t blockVersion(std::size_t block) const { return blockVersions_[block]; }
    uint64_t layoutVersion() const { return layout_; }
    template <class F>
    void forEachInBlock(std::size_t block, F &&f) const {
        const Slot first = static_cast<Slot>(block) * kBlockRecords;
        const Slot end = first + kBlockRecords < slots_ ? first + kBlockRecords : slots_;
        for (Slot slot = first; slot < end; ++slot) {
            const QsoRecord &r = at(slot);
            if (!r.removed) f(r);
        }
    }
    // Texts other than calls are numbered below this.
    std::size_t textCount() const { return texts_.size(); }

private:
    static constexpr Slot kBlockRecords = 1024;
    const QsoRecord *block(Slot slot) const { return blocks_[slot / kBlockRecords].get(); }
    QsoRecord &mutableAt(Slot slot) { return blocks_[slot / kBlockRecords][slot % kBlockRecords]; }
    Slot slotOfIndex(int index) const;
    Slot append(const QsoRecord &record);
    void linkToCall(Slot slot);
    // Marks the slot removed and takes it out of its call's chain.
    void unlink(Slot slot);
    void packWhenMostlyRemoved();
    void touch(Slot slot) {
        ++blockVersions_[slot / kBlockRecords];
        ++version_;
    }

    std::vector<std::unique_ptr<QsoRecord[]>> blocks_;
    Slot slots_ = 0;   // slots in use, removed ones included
    uint32_t live_ = 0;
    TextPool calls_;   // call signs
    TextPool texts_;   // every other text
    // By call number: the call's first and last slot.
    std::vector<Slot> firstOfCall_;
    std::vector<Slot> lastOfCall_;
    // Stored records by band text number; a log has few band names.
    std::vector<std::pair<TextPool::Id, uint32_t>> onBand_;
    uint64_t version_ = 0;
    std::vector<uint64_t> blockVersions_;
    uint64_t layout_ = 0;
};

class QsoStore::Range {
public:
    class Iterator {
    public:
        Iterator(const QsoStore &store, Slot slot) : store_(&store), slot_(slot) { skip(); }
        CInfo operator*() const { return store_->recordAt(slot_); }
        Iterator &operator++() {
            ++slot_;
            skip();
            return *this;
        }
        bool operator!=(const Iterator &other) const { return slot_ != other.slot_; }

    private:
        void skip() {
            while (slot_ < store_->slots_ && store_->at(slot_).removed) ++slot_;
        }
        const QsoStore *store_;
        Slot slot_;
    };
    explicit Range(const QsoStore &store) : store_(store) {}
    Iterator begin() const { return Iterator(store_, 0); }
    Iterator end() const { return Iterator(store_, store_.slots_); }
    std::size_t size() const { return static_cast<std::size_t>(store_.GetSize()); }

private:
    const QsoStore &store_;
};

inline QsoStore::Range QsoStore::records() const { return Range(*this); }

}  // namespace engine
