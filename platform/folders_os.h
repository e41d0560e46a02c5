// What the portable folder code needs from each operating system.
#pragma once

#include <string>

namespace platform {
namespace os {

bool isFolderSeparator(char c);

// Makes one folder whose parent exists; true also when it is there already.
bool makeFolder(const std::string &path, std::string &error);

}  // namespace os
}  // namespace platform
