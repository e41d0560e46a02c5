#include "engine/contest_rules.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(ContestRules, BandAndModeTablesIgnoreCase) {
    EXPECT_EQ(modeRules().contains("cw"), 1);
    EXPECT_EQ(modeRules().contains("Bpsk125"), 1);
    EXPECT_EQ(modeRules().contains("RTTY"), 0);
    EXPECT_EQ(modeRules().contains(""), 0);
    EXPECT_EQ(bandRules().contains("80M"), 1);
    EXPECT_EQ(bandRules().contains("20m"), 0);
}

TEST(ContestRules, CountyTestsAreExact) {
    EXPECT_EQ(isCounty("AB"), 1);
    EXPECT_EQ(isCounty("ab"), 0);
    EXPECT_EQ(isCounty("CN"), 0);
    EXPECT_EQ(isCounty("CT"), 1);
    EXPECT_EQ(isCounty("AB "), 0);
    EXPECT_EQ(isBonusCounty("XF"), 1);
    EXPECT_EQ(isBonusCounty("BU"), 0);
    int count = 0;
    for (const char *const *c = countyList; *c != nullptr; ++c) ++count;
    EXPECT_EQ(count, kCountyCount);
}

TEST(ContestRules, PrefixTests) {
    EXPECT_EQ(isRomania("YO"), 1);
    EXPECT_EQ(isRomania("yo"), 0);
    EXPECT_EQ(isRomania("YO9"), 0);
    for (const char *p : {"UA", "UA2", "UA2/f", "UR", "UN", "EU"})
        EXPECT_EQ(isRussianSpeaking(p), 1) << p;
    for (const char *p : {"UA9", "ua", "UA2/F", "DL", ""})
        EXPECT_EQ(isRussianSpeaking(p), 0) << p;
}

TEST(ContestRules, RowsAndClassesIgnoreCaseAndNeverLeaveTheLists) {
    EXPECT_EQ(bandRow("80m"), 0);
    EXPECT_EQ(bandRow("80M"), 0);
    EXPECT_EQ(bandRow("40m"), 1);
    EXPECT_EQ(bandRow("20m"), -1);
    EXPECT_EQ(modeClass("cw"), kCw);
    EXPECT_EQ(modeClass("ssb"), kSsb);
    EXPECT_EQ(modeClass("bpsk63"), kDigi);
    EXPECT_EQ(modeClass("RTTY"), kNoModeClass);
}

}  // namespace
}  // namespace engine
