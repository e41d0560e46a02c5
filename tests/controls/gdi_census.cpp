#include "tests/controls/gdi_census.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace controls_test {
namespace {

// Offsets in the process environment block and in a table entry.
constexpr std::size_t kTableOffset = sizeof(void *) == 8 ? 0xF8 : 0x94;
constexpr std::size_t kEntrySize = sizeof(void *) == 8 ? 24 : 16;
constexpr std::size_t kOwnerOffset = sizeof(void *);      // process id, 16 bits
constexpr std::size_t kTypeOffset = sizeof(void *) + 6;   // base type, 8 bits
constexpr std::size_t kEntries = 65536;                   // 16-bit handle index

}  // namespace

long liveGdiObjects() {
    PROCESS_BASIC_INFORMATION process{};
    if (::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &process,
                                    sizeof process, nullptr) != 0)
        return -1;
    const auto *peb = reinterpret_cast<const unsigned char *>(process.PebBaseAddress);
    if (peb == nullptr) return -1;
    const unsigned char *table = *reinterpret_cast<const unsigned char *const *>(peb + kTableOffset);
    if (table == nullptr) return -1;
    // Windows keeps one table for all processes and marks each entry with
    // its owner; Wine's table is the process's own and leaves the owner 0.
    const auto self = static_cast<std::uint16_t>(::GetCurrentProcessId());
    long live = 0;
    for (std::size_t i = 0; i < kEntries; ++i) {
        const unsigned char *entry = table + i * kEntrySize;
        if (entry[kTypeOffset] == 0) continue;
        std::uint16_t owner = 0;
        std::memcpy(&owner, entry + kOwnerOffset, sizeof owner);
        if (owner == 0 || owner == self) ++live;
    }
    return live;
}

}  // namespace controls_test
