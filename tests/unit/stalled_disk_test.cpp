// A disk that stalls (asleep, on a network, full of other work) must not
// stall the companion windows: the engine's state stays free to read while
// the host's thread waits for a file.
#include "engine/engine.h"
#include "platform/files.h"
#include "tests/support/work_dir.h"
#include "tests/unit/engine_args.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace engine {
namespace {

// Every open for writing waits until the disk is let go.
class StalledDisk final : public platform::FileSystem {
public:
    StalledDisk() { platform::useFileSystem(this); }
    ~StalledDisk() override {
        release();
        platform::useFileSystem(nullptr);
    }
    StalledDisk(const StalledDisk &) = delete;
    StalledDisk &operator=(const StalledDisk &) = delete;

    std::FILE *open(const std::string &path, const char *mode) override {
        if (mode[0] != 'r') {
            std::unique_lock<std::mutex> lock(mutex_);
            stalled_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
        }
        return platform::systemFileSystem().open(path, mode);
    }
    bool write(std::FILE *file, const void *data, std::size_t size) override {
        return platform::systemFileSystem().write(file, data, size);
    }
    bool rename(const std::string &source, const std::string &target) override {
        return platform::systemFileSystem().rename(source, target);
    }

    // A bound that only a hang reaches, never a measure of speed.
    static constexpr std::chrono::seconds kHang{30};

    bool waitUntilStalled() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, kHang, [this] { return stalled_; });
    }
    void release() {
        const std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stalled_ = false;
    bool released_ = false;
};

QsoArgs wrongBand() { return qsoArgs("YO9ZZ", "20m", "CW", "002 AB", "YO"); }

TEST(StalledDisk, LeavesTheEngineStateFreeForTheWindows) {
    struct Case {
        const char *name;
        std::function<void(Engine &)> before, write;
    };
    const Case cases[] = {
        {"a bad-QSO line appended", [](Engine &) {},
         [](Engine &e) { e.addData(wrongBand()); }},
        {"the bad-QSO file rewritten", [](Engine &e) { e.addData(wrongBand()); },
         [](Engine &e) { e.removeData(wrongBand()); }},
#ifndef _WIN32
        // On Windows the INI file goes through the system's profile calls.
        {"the claimed score written", [](Engine &e) { e.addData(qsoArgs("DL1ABC", "80m", "CW", "002 DL", "DL")); },
         [](Engine &e) {
             int score = 0;
             e.getResult(&score);
         }},
#endif
    };
    for (const Case &c : cases) {
        testing_support::WorkDir dir;
        Engine engine;
        engine.resetStats(resetArgs());
        c.before(engine);
        StalledDisk disk;
        std::thread writer([&] { c.write(engine); });
        const bool stalled = disk.waitUntilStalled();
        auto reader = std::async(std::launch::async, [&engine] {
            return engine.withState([](EngineState &) { return true; });
        });
        const bool free = reader.wait_for(StalledDisk::kHang) == std::future_status::ready;
        disk.release();
        writer.join();
        EXPECT_TRUE(stalled) << c.name << ": nothing was written";
        EXPECT_TRUE(free) << c.name << ": the state stayed locked while the disk stalled";
    }
}

}  // namespace
}  // namespace engine
