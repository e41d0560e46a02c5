// A plug-in killed outright while it rewrites the bad-QSO file: the file is
// the old one or a new one, whole, every time.
#include "engine/engine.h"
#include "platform/files.h"
#include "tests/support/work_dir.h"
#include "tests/unit/engine_args.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

namespace engine {
namespace {

const char *const kFile = "BadQSO_StatsMorvantia_05_03_2017.txt";
constexpr int kQsos = 1000;

// Refused QSOs (wrong band), each with a line of its own in the file.
QsoArgs refused(int n) {
    char call[16];
    std::snprintf(call, sizeof call, "YO9A%04d", n);
    return qsoArgs(call, "20m", "CW", "002 AB", "YO", n % 60);
}

std::vector<std::string> linesOf(const std::string &content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(content.substr(start, end - start));
    if (start != content.size()) lines.push_back("<unterminated>" + content.substr(start));
    return lines;
}

// The original, or the rewritten header over the original's lines less
// some of the first ones: whatever else is a torn file.
bool wholeVersion(const std::vector<std::string> &original, const std::vector<std::string> &now) {
    if (now == original) return true;
    if (now.empty() || now[0] != "MORVANTIA CONTEST UBN file  ") return false;
    if (now.size() > original.size()) return false;
    return std::equal(now.begin() + 1, now.end(), original.end() - (now.size() - 1));
}

TEST(KilledProcess, LeavesTheBadQsoFileWholeAfterEveryKill) {
    testing_support::WorkDir dir;
    Engine engine;
    engine.resetStats(resetArgs());
    for (int n = 0; n < kQsos; ++n) engine.addData(refused(n));
    const std::string original = testing_support::readFile(kFile);
    const std::vector<std::string> originalLines = linesOf(original);
    ASSERT_EQ(originalLines.size(), static_cast<std::size_t>(kQsos + 1));

    // Kills spread over the first few rewrites, however fast this build
    // and machine make one.
    const auto started = std::chrono::steady_clock::now();
    for (int n = 0; n < 3; ++n) engine.removeData(refused(n));
    const auto rewrite = (std::chrono::steady_clock::now() - started) / 3;
    ASSERT_TRUE(platform::writeFileWhole(kFile, original));
    std::mt19937 random(20261208);
    std::uniform_int_distribution<long long> delayMicroseconds(
        0, 10 * std::chrono::duration_cast<std::chrono::microseconds>(rewrite).count());
    int torn = 0, changed = 0, temporaryLeft = 0;
    for (int round = 0; round < 200; ++round) {
        ASSERT_TRUE(platform::writeFileWhole(kFile, original));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0; n < kQsos; ++n) engine.removeData(refused(n));
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::vector<std::string> now = linesOf(testing_support::readFile(kFile));
        if (!wholeVersion(originalLines, now)) ++torn;
        if (now != originalLines) ++changed;
        for (const auto &entry : std::filesystem::directory_iterator(".")) {
            const std::string name = entry.path().filename().string();
            if (name == std::string(kFile) + ".tmp") ++temporaryLeft;
            else
                EXPECT_TRUE(name == kFile || name == "Plugins" || name == "Vexa2.ini") << name;
        }
    }
    EXPECT_EQ(torn, 0);
    // The kills must have landed inside the loop, not only before it.
    EXPECT_GE(changed, 5);
    // A temporary file left by a kill is never taken for the list, and the
    // next rewrite uses it up.
    engine.removeData(refused(0));
    EXPECT_FALSE(testing_support::fileExists(std::string(kFile) + ".tmp"));
    EXPECT_TRUE(wholeVersion(originalLines, linesOf(testing_support::readFile(kFile))));
    RecordProperty("rounds_with_temporary_file_left", temporaryLeft);
}

}  // namespace
}  // namespace engine
