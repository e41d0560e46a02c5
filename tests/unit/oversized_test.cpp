// Host input far beyond any real contest: megabyte texts and a million QSOs.
#include "engine/engine.h"
#include "tests/support/work_dir.h"
#include "tests/unit/engine_args.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define MORVANTIA_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define MORVANTIA_SANITIZED 1
#endif
#endif

namespace engine {
namespace {

const std::string kMegabyte(1 << 20, 'A');

std::string summaryOf(Engine &engine, int &score) { return engine.getResult(&score); }

TEST(OversizedInput, MegabyteTextsAreHandledWhole) {
    testing_support::WorkDir dir;
    Engine engine;
    ResetArgs reset = resetArgs();
    reset.ownCall = kMegabyte;
    engine.resetStats(reset);
    // A megabyte call or exchange is stored or refused like any other text.
    engine.addData(qsoArgs(kMegabyte, "80m", "CW", "001 AB", "YO"));
    engine.addData(qsoArgs("YO9ZZ", "80m", "CW", "001 " + kMegabyte, "YO", 7));
    engine.addData(qsoArgs("DL1AA", "80m", "CW", kMegabyte, "DL"));
    CheckCallArgs check;
    check.call = kMegabyte;
    check.mode = kMegabyte;
    check.county = kMegabyte;
    check.band = kMegabyte;
    engine.checkCall(check);
    engine.isValidExchange(kMegabyte, 0);
    engine.isValidExchange(kMegabyte, 1);
    engine.addData(qsoArgs("YO9AA", "80m", "CW", "002 AB", "YO"));
    engine.removeData(qsoArgs(kMegabyte, "80m", "CW", "001 AB", "YO"));
    int score = -1;
    const std::string summary = summaryOf(engine, score);
    EXPECT_NE(summary.find("\t\tContestant: " + kMegabyte + "\r\n"), std::string::npos);
    // Stored: DL1AA (code "AA") and YO9AA; YO9ZZ sent no county.
    EXPECT_NE(summary.find("Bad QSO\t 1\r\nScore:\t 4*(1+1)=8\r\n"), std::string::npos)
        << summary.substr(summary.find("Total"));
    EXPECT_EQ(score, 8);
}

// Heap bytes in use, as the C library counts them.
std::size_t heapInUse() { return mallinfo2().uordblks; }

// QSOs with foreign stations: each call on both bands in all three mode
// classes, so none is a dupe; 40 country codes.
QsoArgs foreignQso(int n) {
    static const char *const kBands[] = {"80m", "40m"};
    static const char *const kModes[] = {"CW", "SSB", "BPSK31"};
    const int call = n / 6, slot = n % 6;
    char text[16];
    std::snprintf(text, sizeof text, "DL%07d", call);
    char exchange[16];
    std::snprintf(exchange, sizeof exchange, "%03d %c%c", call % 1000, 'A' + call % 20,
                  'A' + call / 20 % 2);
    return qsoArgs(text, kBands[slot / 3], kModes[slot % 3], exchange, "DL", call % 60);
}

TEST(OversizedInput, AMillionQsosScoreRightAndGrowMemoryLinearly) {
#ifdef MORVANTIA_SANITIZED
    GTEST_SKIP() << "heap figures and timing mean nothing under a sanitizer's allocator";
#endif
    testing_support::WorkDir dir;
    Engine engine;
    engine.resetStats(resetArgs());
    const std::size_t empty = heapInUse();
    constexpr int kSmall = 100000, kLarge = 1000000;
    std::size_t small = 0;
    for (int n = 0; n < kLarge; ++n) {
        ASSERT_EQ(engine.addData(foreignQso(n)), 1) << n;
        if (n + 1 == kSmall) small = heapInUse() - empty;
    }
    const std::size_t large = heapInUse() - empty;
    RecordProperty("heap_bytes_100k", std::to_string(small));
    RecordProperty("heap_bytes_1m", std::to_string(large));
    EXPECT_LE(large / (kLarge / kSmall), 2 * small) << small << " then " << large;

    int score = 0;
    const std::string summary = summaryOf(engine, score);
    // 166667 calls, the last one worked on 80 m only; 40 codes in each of
    // the 3 mode classes per band.
    EXPECT_NE(summary.find("80m\t 500001\t 1000002\t 0\t 120\t 166667\t 166667\t 166667\r\n"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("Score:\t 2000000*(240+0)=480000000\r\n"), std::string::npos)
        << summary;
    EXPECT_EQ(score, 480000000);
}

}  // namespace
}  // namespace engine
