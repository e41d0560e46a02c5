// What the portable file code needs from each operating system.
#pragma once

#include <cstdint>
#include <cstdio>

namespace platform {
namespace os {

// Length of an open file in bytes, -1 when it cannot be told.
std::int64_t fileLength(std::FILE *file);

// Cuts an open file to length bytes.
bool truncateFile(std::FILE *file, std::int64_t length);

}  // namespace os
}  // namespace platform
