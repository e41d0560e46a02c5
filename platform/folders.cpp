#include "platform/folders.h"

#include "platform/folders_os.h"

namespace platform {

bool makeFolders(const std::string &path, std::string &error) {
    if (path.empty()) {
        error = "empty folder name";
        return false;
    }
    // Each prefix ending before a separator, then the whole path; roots and
    // shares already exist and are skipped.
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && !os::isFolderSeparator(path[i])) continue;
        const std::string part = path.substr(0, i);
        if (!isFolder(part) && !os::makeFolder(part, error)) return false;
    }
    if (!isFolder(path)) {
        error = path + ": exists and is not a folder";
        return false;
    }
    return true;
}

}  // namespace platform
