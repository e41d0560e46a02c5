// Texts held once each and named by a small number, so a QSO record keeps
// numbers instead of strings: a big log then costs little more than its
// records, and comparing two texts is comparing two numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class TextPool {
public:
    using Id = uint32_t;
    static constexpr Id kEmpty = 0;             // the empty text, always held
    static constexpr Id kMissing = 0xFFFFFFFFu;  // find(): a text not held

    TextPool();

    // The text's number, adding the text when it is new.
    Id intern(std::string_view text);
    // Holds the text without indexing it, for texts nobody looks up (each
    // QSO's exchanges): no table to probe, a number of its own each time.
    Id keep(std::string_view text);
    // The text's number, or kMissing: looking never adds. Kept texts are
    // never found.
    Id find(std::string_view text) const;
    // Valid until the pool is cleared: texts never move once added.
    std::string_view text(Id id) const {
        const Entry &e = entries_[id];
        return std::string_view(e.data, e.size);
    }
    std::size_t size() const { return entries_.size(); }
    void clear();

private:
    struct Entry {
        const char *data;
        uint32_t size;
    };
    static uint32_t hashOf(std::string_view text);
    Id find(std::string_view text, uint32_t hash) const;
    const char *store(std::string_view text);
    void grow();

    std::vector<Entry> entries_;
    // Open addressing, linear probing. A used slot holds the text's hash in
    // its high half and id + 1 in its low half, 0 when free: a probe that
    // meets another text rarely needs to look at that text at all.
    std::vector<uint64_t> slots_;
    std::size_t indexed_ = 0;  // used slots
    // The characters, in blocks that are never moved or resized.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
};

}  // namespace engine
