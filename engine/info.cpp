#include "engine/info.h"

#include <algorithm>
#include <stdexcept>
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

namespace {

OleTime timeOf(const QsoRecord &r) {
    OleTime time;
    time.value = r.timeValue;
    time.status = r.timeStatus;
    return time;
}

}  // namespace

int QsoStore::Add(const CInfo &c) {
    QsoFields f;
    f.call = c.call;
    f.countryPrefix = c.countryPrefix;
    f.band = c.band;
    f.mode = c.mode;
    f.rstReceived = c.rstReceived;
    f.rstSent = c.rstSent;
    f.exchReceived = c.exchReceived;
    f.exchSent = c.exchSent;
    f.countryCode = c.countryCode;
    f.county = c.county;
    f.dupeLine = c.dupeLine;
    f.freqKHz = c.freqKHz;
    f.excluded = c.excluded != 0;
    f.badQso = c.badQso != 0;
    f.dupe = c.dupe != 0;
    f.time = c.time;
    return Add(f);
}

int QsoStore::Add(const QsoFields &f) { return Add(f, groupOf(f.call, f.band, f.mode)); }

QsoStore::Group QsoStore::groupOf(std::string_view call, std::string_view band,
                                  std::string_view mode) {
    return Group{calls_.intern(call), texts_.intern(band), texts_.intern(mode)};
}

int QsoStore::countMatching(const Group &group) const {
    if (group.call >= firstOfCall_.size()) return 0;
    int count = 0;
    for (Slot s = firstOfCall_[group.call]; s != kNoSlot; s = at(s).nextOfCall) {
        const QsoRecord &r = at(s);
        if (r.band == group.band && r.mode == group.mode) ++count;
    }
    return count;
}

int QsoStore::Add(const QsoFields &f, const Group &group) {
    QsoRecord r;
    r.timeValue = f.time.value;
    r.timeStatus = f.time.status;
    r.call = group.call;
    r.countryPrefix = texts_.intern(f.countryPrefix);
    r.band = group.band;
    r.mode = group.mode;
    r.rstReceived = texts_.intern(f.rstReceived);
    r.rstSent = texts_.intern(f.rstSent);
    // Serial numbers have three digits: exchanges repeat in a big log.
    r.exchReceived = texts_.intern(f.exchReceived);
    r.exchSent = texts_.intern(f.exchSent);
    r.countryCode = texts_.intern(f.countryCode);
    r.county = texts_.intern(f.county);
    // Each dupe's line is its own: held, never looked up.
    r.dupeLine = texts_.keep(f.dupeLine);
    r.freqKHz = static_cast<uint32_t>(f.freqKHz < 0 ? 0 : f.freqKHz > 0xFFFFFF ? 0xFFFFFF : f.freqKHz);
    r.excluded = f.excluded;
    r.badQso = f.badQso;
    r.dupe = f.dupe;
    append(r);
    return GetSize() - 1;
}

QsoStore::Slot QsoStore::append(const QsoRecord &record) {
    if (slots_ / kBlockRecords == blocks_.size()) {
        blocks_.emplace_back(new QsoRecord[kBlockRecords]);
        blockVersions_.push_back(0);
    }
    const Slot slot = slots_++;
    mutableAt(slot) = record;
    ++live_;
    linkToCall(slot);
    bool counted = false;
    for (std::pair<TextPool::Id, uint32_t> &band : onBand_)
        if (band.first == record.band) {
            ++band.second;
            counted = true;
        }
    if (!counted) onBand_.emplace_back(record.band, 1);
    touch(slot);
    return slot;
}

void QsoStore::linkToCall(Slot slot) {
    QsoRecord &r = mutableAt(slot);
    if (r.call >= firstOfCall_.size()) {
        firstOfCall_.resize(calls_.size(), kNoSlot);
        lastOfCall_.resize(calls_.size(), kNoSlot);
    }
    r.nextOfCall = kNoSlot;
    if (firstOfCall_[r.call] == kNoSlot)
        firstOfCall_[r.call] = slot;
    else
        mutableAt(lastOfCall_[r.call]).nextOfCall = slot;
    lastOfCall_[r.call] = slot;
}

CInfo QsoStore::recordAt(Slot slot) const {
    const QsoRecord &r = at(slot);
    CInfo c;
    c.call = std::string(calls_.text(r.call));
    c.countryPrefix = std::string(texts_.text(r.countryPrefix));
    c.band = std::string(texts_.text(r.band));
    c.mode = std::string(texts_.text(r.mode));
    c.rstReceived = std::string(texts_.text(r.rstReceived));
    c.rstSent = std::string(texts_.text(r.rstSent));
    c.exchReceived = std::string(texts_.text(r.exchReceived));
    c.exchSent = std::string(texts_.text(r.exchSent));
    c.countryCode = std::string(texts_.text(r.countryCode));
    c.county = std::string(texts_.text(r.county));
    c.dupeLine = std::string(texts_.text(r.dupeLine));
    c.freqKHz = static_cast<int32_t>(r.freqKHz);
    c.excluded = r.excluded;
    c.badQso = r.badQso;
    c.dupe = r.dupe;
    c.time = timeOf(r);
    return c;
}

QsoStore::Slot QsoStore::slotOfIndex(int index) const {
    if (index < 0 || index >= GetSize()) throw std::out_of_range("QsoStore index");
    if (live_ == slots_) return static_cast<Slot>(index);
    // Only after removals, and only for callers that still count by index.
    int seen = -1;
    for (Slot slot = 0;; ++slot)
        if (!at(slot).removed && ++seen == index) return slot;
}

void QsoStore::unlink(Slot slot) {
    QsoRecord &r = mutableAt(slot);
    if (r.removed) return;
    Slot previous = kNoSlot;
    for (Slot s = firstOfCall_[r.call]; s != slot; s = at(s).nextOfCall) previous = s;
    if (previous == kNoSlot)
        firstOfCall_[r.call] = r.nextOfCall;
    else
        mutableAt(previous).nextOfCall = r.nextOfCall;
    if (lastOfCall_[r.call] == slot) lastOfCall_[r.call] = previous;
    for (std::pair<TextPool::Id, uint32_t> &band : onBand_)
        if (band.first == r.band) --band.second;
    r.removed = 1;
    --live_;
    touch(slot);
}

void QsoStore::packWhenMostlyRemoved() {
    const Slot removed = slots_ - live_;
    if (removed < kBlockRecords || removed <= live_) return;
    std::vector<std::unique_ptr<QsoRecord[]>> blocks;
    blocks.swap(blocks_);
    blockVersions_.clear();
    ++layout_;
    const Slot oldSlots = slots_;
    slots_ = live_ = 0;
    std::fill(firstOfCall_.begin(), firstOfCall_.end(), kNoSlot);
    std::fill(lastOfCall_.begin(), lastOfCall_.end(), kNoSlot);
    onBand_.clear();
    for (Slot slot = 0; slot < oldSlots; ++slot) {
        const QsoRecord &r = blocks[slot / kBlockRecords][slot % kBlockRecords];
        if (!r.removed) append(r);
        // Each block is freed as soon as its records are copied.
        if ((slot + 1) % kBlockRecords == 0 || slot + 1 == oldSlots)
            blocks[slot / kBlockRecords].reset();
    }
}

void QsoStore::removeSlot(Slot slot) {
    unlink(slot);
    packWhenMostlyRemoved();
}

void QsoStore::RemoveAt(int index, int count) {
    if (index < 0 || count <= 0 || index >= GetSize()) return;
    const int end = index + count > GetSize() ? GetSize() : index + count;
    std::vector<Slot> gone;
    for (int i = index; i < end; ++i) gone.push_back(slotOfIndex(i));
    for (Slot slot : gone) unlink(slot);
    packWhenMostlyRemoved();
}

void QsoStore::clearDupeAt(Slot slot) {
    QsoRecord &record = mutableAt(slot);
    record.dupe = 0;
    record.excluded = record.badQso;
    touch(slot);
}

void QsoStore::RemoveAll() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    slots_ = live_ = 0;
    calls_.clear();
    texts_.clear();
    firstOfCall_.clear();
    firstOfCall_.shrink_to_fit();
    lastOfCall_.clear();
    lastOfCall_.shrink_to_fit();
    onBand_.clear();
    blockVersions_.clear();
    ++layout_;
    ++version_;
}

std::vector<QsoStore::Slot> QsoStore::slotsOfCall(TextPool::Id call) const {
    std::vector<Slot> slots;
    if (call >= firstOfCall_.size()) return slots;
    for (Slot s = firstOfCall_[call]; s != kNoSlot; s = at(s).nextOfCall) slots.push_back(s);
    return slots;
}

std::vector<int> QsoStore::indicesOfCall(const std::string &call) const {
    std::vector<int> indices;
    for (Slot slot : slotsOfCall(calls_.find(call))) {
        int index = 0;
        for (Slot s = 0; s < slot; ++s) index += at(s).removed ? 0 : 1;
        indices.push_back(index);
    }
    return indices;
}

std::vector<CInfo> QsoStore::recordsOfCall(const std::string &call) const {
    std::vector<CInfo> records;
    for (Slot slot : slotsOfCall(calls_.find(call))) records.push_back(recordAt(slot));
    return records;
}

int QsoStore::countMatching(const CInfo &record) const {
    return countMatching(record.call, record.band, record.mode);
}

int QsoStore::countMatching(std::string_view call, std::string_view band,
                            std::string_view mode) const {
    const Group group{calls_.find(call), texts_.find(band), texts_.find(mode)};
    if (group.call == TextPool::kMissing || group.band == TextPool::kMissing ||
        group.mode == TextPool::kMissing)
        return 0;
    return countMatching(group);
}

QsoStore::Slot QsoStore::findFirstSlot(const std::string &call, const std::string &band,
                                       const std::string &mode, const OleTime &time) const {
    const TextPool::Id id = calls_.find(call);
    const TextPool::Id bandId = texts_.find(band);
    const TextPool::Id modeId = texts_.find(mode);
    if (id == TextPool::kMissing || bandId == TextPool::kMissing || modeId == TextPool::kMissing ||
        id >= firstOfCall_.size())
        return kNoSlot;
    for (Slot s = firstOfCall_[id]; s != kNoSlot; s = at(s).nextOfCall) {
        const QsoRecord &r = at(s);
        if (r.band == bandId && r.mode == modeId && sameTime(timeOf(r), time)) return s;
    }
    return kNoSlot;
}

int QsoStore::findFirst(const std::string &call, const std::string &band,
                        const std::string &mode, const OleTime &time) const {
    const Slot slot = findFirstSlot(call, band, mode, time);
    if (slot == kNoSlot) return -1;
    int index = 0;
    for (Slot s = 0; s < slot; ++s) index += at(s).removed ? 0 : 1;
    return index;
}

int QsoStore::countOnBand(const std::string &band) const {
    const TextPool::Id id = texts_.find(band);
    for (const std::pair<TextPool::Id, uint32_t> &entry : onBand_)
        if (entry.first == id) return static_cast<int>(entry.second);
    return 0;
}

}  // namespace engine
