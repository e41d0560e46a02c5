// Calls one character apart: the pairs that are and are not, and the index
// that finds them against a plain comparison with every call.
#include "tools/morvantia-check/call_distance.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace check {
namespace {

struct ApartCase {
    const char *a;
    const char *b;
    bool apart;
};

const ApartCase kApartCases[] = {
    {"YO5ABC", "YO5ABD", true},    // last letter changed
    {"YO5ABC", "YO6ABC", true},    // call-area digit changed
    {"YO5ABC", "XO5ABC", true},    // first character changed
    {"YO5ABC", "YO5ABCD", true},   // one added at the end
    {"YO5ABC", "YO5AXBC", true},   // one added inside
    {"YO5ABC", "YO5BC", true},     // one dropped inside
    {"YO5ABC", "O5ABC", true},     // first dropped
    {"DL1AB/P", "DL1AB/M", true},  // the suffix counts too
    {"YO5ABC", "YO5ABC", false},   // the same call
    {"YO5ABC", "YO5BAC", false},   // two swapped: two changes
    {"YO5ABC", "YO5ABCDE", false}, // two added
    {"YO5ABC", "YO5A", false},     // two dropped
    {"YO5ABC", "YO5XYC", false},   // two changed
    {"A", "", true},
    {"", "", false},
};

TEST(CheckCallDistance, OneCharacterChangedAddedOrDropped) {
    for (const ApartCase &c : kApartCases) {
        EXPECT_EQ(oneCharApart(c.a, c.b), c.apart) << c.a << " / " << c.b;
        EXPECT_EQ(oneCharApart(c.b, c.a), c.apart) << c.b << " / " << c.a;
    }
}

TEST(CheckCallDistance, IndexFindsTheNeighboursButNotTheCallItself) {
    NearCalls calls;
    const std::vector<std::string> known = {"YO5ABC", "YO5ABD", "YO5AB", "YO5ABCD", "DL1XY"};
    for (std::uint32_t i = 0; i < known.size(); ++i) calls.add(i, known[i]);
    EXPECT_EQ(calls.near("YO5ABC"), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(calls.near("YO5ABX"), (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(calls.near("DL1XZ"), (std::vector<std::uint32_t>{4}));
    EXPECT_TRUE(calls.near("OK2ZZ").empty());
    EXPECT_TRUE(calls.near("").empty());
}

// Short random calls over a small alphabet, so that neighbours are common.
std::string randomCall(std::mt19937 &random) {
    static const char kAlphabet[] = "AB12/";
    std::uniform_int_distribution<int> length(1, 5);
    std::uniform_int_distribution<int> letter(0, 4);
    std::string call;
    for (int i = length(random); i > 0; --i) call += kAlphabet[letter(random)];
    return call;
}

TEST(CheckCallDistance, IndexAgreesWithComparingEveryCall) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        NearCalls calls;
        std::vector<std::string> known;
        for (std::uint32_t i = 0; i < 40; ++i) {
            known.push_back(randomCall(random));
            calls.add(i, known.back());
        }
        for (int query = 0; query < 100; ++query) {
            const std::string call = randomCall(random);
            std::vector<std::uint32_t> expected;
            for (std::uint32_t i = 0; i < known.size(); ++i)
                if (oneCharApart(call, known[i])) expected.push_back(i);
            EXPECT_EQ(calls.near(call), expected) << call;
        }
    }
}

}  // namespace
}  // namespace check
