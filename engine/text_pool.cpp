#include "engine/text_pool.h"

#include <cstring>

namespace engine {
namespace {

constexpr std::size_t kBlockBytes = 16 * 1024;
constexpr std::size_t kFirstSlots = 64;

uint64_t slotValue(uint32_t hash, uint32_t id) {
    return (static_cast<uint64_t>(hash) << 32) | (static_cast<uint64_t>(id) + 1);
}

// Texts here are mostly a few characters long: a plain loop beats a call
// of the library's memcmp for them.
bool sameBytes(const char *a, const char *b, std::size_t size) {
    if (size > 16) return std::memcmp(a, b, size) == 0;
    for (std::size_t i = 0; i < size; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

TextPool::TextPool() { clear(); }

void TextPool::clear() {
    entries_.clear();
    entries_.shrink_to_fit();
    blocks_.clear();
    blocks_.shrink_to_fit();
    blockUsed_ = blockSize_ = 0;
    slots_.assign(kFirstSlots, 0);
    slots_.shrink_to_fit();
    entries_.push_back(Entry{"", 0});
    const uint32_t hash = hashOf(std::string_view());
    slots_[hash & (slots_.size() - 1)] = slotValue(hash, 0);
    indexed_ = 1;
}

uint32_t TextPool::hashOf(std::string_view text) {
    // FNV-1a, then a final mix so that short texts that differ in their last
    // character spread over the whole table.
    uint32_t h = 2166136261u;
    for (char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    return h;
}

TextPool::Id TextPool::find(std::string_view text) const { return find(text, hashOf(text)); }

TextPool::Id TextPool::find(std::string_view text, uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const uint64_t slot = slots_[i];
        if (slot == 0) return kMissing;
        if (static_cast<uint32_t>(slot >> 32) != hash) continue;
        const Id id = static_cast<Id>(slot) - 1;
        const Entry &e = entries_[id];
        if (e.size == text.size() && sameBytes(e.data, text.data(), text.size())) return id;
    }
}

const char *TextPool::store(std::string_view text) {
    if (text.empty()) return "";
    // A text longer than a block gets a block of its own.
    if (text.size() > kBlockBytes) {
        blocks_.emplace_back(new char[text.size()]);
        char *data = blocks_.back().get();
        std::memcpy(data, text.data(), text.size());
        if (blocks_.size() >= 2) std::swap(blocks_[blocks_.size() - 1], blocks_[blocks_.size() - 2]);
        return data;
    }
    if (blocks_.empty() || blockSize_ - blockUsed_ < text.size()) {
        blocks_.emplace_back(new char[kBlockBytes]);
        blockUsed_ = 0;
        blockSize_ = kBlockBytes;
    }
    char *data = blocks_.back().get() + blockUsed_;
    std::memcpy(data, text.data(), text.size());
    blockUsed_ += text.size();
    return data;
}

void TextPool::grow() {
    std::vector<uint64_t> slots(slots_.size() * 2, 0);
    const std::size_t mask = slots.size() - 1;
    for (uint64_t slot : slots_) {
        if (slot == 0) continue;
        std::size_t i = static_cast<uint32_t>(slot >> 32) & mask;
        while (slots[i] != 0) i = (i + 1) & mask;
        slots[i] = slot;
    }
    slots_.swap(slots);
    indexed_ = 0;
    for (uint64_t slot : slots_) indexed_ += slot != 0;
}

TextPool::Id TextPool::keep(std::string_view text) {
    if (text.empty()) return kEmpty;
    const Id id = static_cast<Id>(entries_.size());
    entries_.push_back(Entry{store(text), static_cast<uint32_t>(text.size())});
    return id;
}

TextPool::Id TextPool::intern(std::string_view text) {
    const uint32_t hash = hashOf(text);
    const Id found = find(text, hash);
    if (found != kMissing) return found;
    // At most three quarters full, so a probe stays short.
    if ((indexed_ + 1) * 4 > slots_.size() * 3) grow();
    const Id id = static_cast<Id>(entries_.size());
    entries_.push_back(Entry{store(text), static_cast<uint32_t>(text.size())});
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = slotValue(hash, id);
    ++indexed_;
    return id;
}

}  // namespace engine
