// Bands from frequencies and the decimal frequency fields.
#include "tools/common/band_mode.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

TEST(BandOfFrequency, EdgesBelongToTheBand) {
    EXPECT_EQ(bandOfFrequency(3500000), "80m");
    EXPECT_EQ(bandOfFrequency(4000000), "80m");
    EXPECT_EQ(bandOfFrequency(3499999), "");
    EXPECT_EQ(bandOfFrequency(7000000), "40m");
    EXPECT_EQ(bandOfFrequency(7300001), "");
    EXPECT_EQ(bandOfFrequency(1840000), "160m");
    EXPECT_EQ(bandOfFrequency(0), "");
}

TEST(FrequencyFields, DecimalsAreExactToTheHertz) {
    EXPECT_EQ(megahertzToHz("3.5"), 3500000ULL);
    EXPECT_EQ(megahertzToHz(" 7.012345 "), 7012345ULL);
    EXPECT_EQ(megahertzToHz("7.0123459"), 7012345ULL);
    EXPECT_EQ(megahertzToHz(".5"), 500000ULL);
    EXPECT_EQ(megahertzToHz("14."), 14000000ULL);
    EXPECT_EQ(kilohertzToHz("3512"), 3512000ULL);
    EXPECT_EQ(kilohertzToHz("3512.75"), 3512750ULL);
}

TEST(FrequencyFields, AnythingElseIsNoFrequency) {
    for (const char *text : {"", ".", "-3.5", "3,5", "3.5.1", "1e6", "3.5 MHz", "9999999999999"})
        EXPECT_FALSE(megahertzToHz(text)) << text;
}

TEST(FrequencyFields, TheHostTakesThirtyTwoBitHertz) {
    EXPECT_TRUE(fitsHostFrequency(4294967295ULL));
    EXPECT_FALSE(fitsHostFrequency(4294967296ULL));
}

}  // namespace
}  // namespace tools
