#include "tests/support/failing_file_system.h"

#include <cerrno>
#include <cstring>

namespace testing_support {

const char *faultName(Fault fault) {
    switch (fault) {
    case Fault::MissingFolder: return "folder missing";
    case Fault::ReadOnlyFolder: return "read-only folder";
    case Fault::DiskFull: return "disk full";
    case Fault::RenameRefused: return "rename fails";
    case Fault::Unreadable: return "file unreadable";
    }
    return "?";
}

FailingFileSystem::FailingFileSystem(Fault fault, int nth) : fault_(fault), nth_(nth) {
    platform::useFileSystem(this);
}

FailingFileSystem::~FailingFileSystem() { platform::useFileSystem(nullptr); }

bool FailingFileSystem::failsNow(Fault kind) {
    if (kind != fault_) return false;
    // Once failing, it keeps failing: a full disk stays full.
    if (++seen_ < nth_) return false;
    ++failures_;
    return true;
}

std::FILE *FailingFileSystem::open(const std::string &path, const char *mode) {
    const bool writing = std::strpbrk(mode, "wa+") != nullptr;
    const Fault kind = !writing ? Fault::Unreadable
                       : fault_ == Fault::MissingFolder ? Fault::MissingFolder
                                                        : Fault::ReadOnlyFolder;
    if (failsNow(kind)) {
        errno = kind == Fault::MissingFolder ? ENOENT : kind == Fault::Unreadable ? EIO : EACCES;
        return nullptr;
    }
    return platform::systemFileSystem().open(path, mode);
}

bool FailingFileSystem::write(std::FILE *file, const void *data, std::size_t size) {
    if (!failsNow(Fault::DiskFull)) return platform::systemFileSystem().write(file, data, size);
    platform::systemFileSystem().write(file, data, size / 2);
    std::fflush(file);
    errno = ENOSPC;
    return false;
}

bool FailingFileSystem::rename(const std::string &source, const std::string &target) {
    if (failsNow(Fault::RenameRefused)) {
        errno = EACCES;
        return false;
    }
    return platform::systemFileSystem().rename(source, target);
}

}  // namespace testing_support
