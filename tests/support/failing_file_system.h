// A file system that fails as real disks and folders do, from the n-th
// operation of one kind on: the open of a file for writing (missing or
// read-only folder), a write (full disk: half the bytes land, then the
// rest is refused), a rename, or the open of a file for reading.
#pragma once

#include "platform/files.h"

#include <string>

namespace testing_support {

enum class Fault { MissingFolder, ReadOnlyFolder, DiskFull, RenameRefused, Unreadable };

const char *faultName(Fault fault);

// Takes the place of the system's file system while it lives.
class FailingFileSystem final : public platform::FileSystem {
public:
    explicit FailingFileSystem(Fault fault, int nth = 1);
    ~FailingFileSystem() override;
    FailingFileSystem(const FailingFileSystem &) = delete;
    FailingFileSystem &operator=(const FailingFileSystem &) = delete;

    std::FILE *open(const std::string &path, const char *mode) override;
    bool write(std::FILE *file, const void *data, std::size_t size) override;
    bool rename(const std::string &source, const std::string &target) override;

    int failures() const { return failures_; }

private:
    bool failsNow(Fault kind);

    Fault fault_;
    int nth_;
    int seen_ = 0;
    int failures_ = 0;
};

}  // namespace testing_support
