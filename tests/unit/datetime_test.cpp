#include "platform/datetime.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

HostDateTime at(double value, int status = HOST_DATETIME_VALID) {
    HostDateTime dt{};
    dt.value = value;
    dt.status = status;
    return dt;
}

std::string fmt(double value, const char *pattern = "%Y-%m-%d %H:%M:%S") {
    const HostDateTime dt = at(value);
    return formatDateTime(&dt, pattern);
}

TEST(DateTime, EpochAndKnownDates) {
    EXPECT_EQ(fmt(0.0), "1899-12-30 00:00:00");
    EXPECT_EQ(fmt(2.0), "1900-01-01 00:00:00");
    EXPECT_EQ(fmt(civilToOleDate(2017, 2, 5, 14, 5, 0), "%Y-%m-%d %H%M"), "2017-02-05 1405");
    EXPECT_EQ(fmt(civilToOleDate(2017, 3, 5, 0, 0, 0), "%d_%m_%Y"), "05_03_2017");
    EXPECT_EQ(fmt(civilToOleDate(2000, 2, 29, 23, 59, 59)), "2000-02-29 23:59:59");
}

TEST(DateTime, NegativeDatesCountTheTimeForward) {
    EXPECT_EQ(fmt(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(fmt(-0.5), "1899-12-30 12:00:00");
    EXPECT_EQ(fmt(-1.0), "1899-12-29 00:00:00");
    EXPECT_DOUBLE_EQ(civilToOleDate(1899, 12, 29, 6, 0, 0), -1.25);
}

TEST(DateTime, RoundsToTheNearestSecond) {
    const double second = 1.0 / 86400.0;
    const double base = civilToOleDate(2017, 2, 5, 14, 5, 0);
    EXPECT_EQ(fmt(base + 0.4 * second), "2017-02-05 14:05:00");
    EXPECT_EQ(fmt(base + 0.6 * second), "2017-02-05 14:05:01");
    EXPECT_EQ(fmt(base - 0.001 * second), "2017-02-05 14:05:00");
    // Just below midnight rolls over into the next day, month and year.
    EXPECT_EQ(fmt(civilToOleDate(2016, 12, 31, 0, 0, 0) + 1.0 - 0.2 * second),
              "2017-01-01 00:00:00");
}

TEST(DateTime, RangeEnds) {
    CivilTime first;
    ASSERT_TRUE(oleDateToCivil(-657434.0, first));
    EXPECT_EQ(first.year, 100);
    EXPECT_EQ(fmt(-657434.0, "%d.%m %H:%M:%S"), "01.01 00:00:00");
    EXPECT_EQ(fmt(2958465.0, "%d.%m.%Y"), "31.12.9999");
    EXPECT_EQ(fmt(-657435.0), "Invalid DateTime");
    EXPECT_EQ(fmt(2958466.0), "Invalid DateTime");
}

TEST(DateTime, StatusDecidesBeforeTheValue) {
    const HostDateTime invalid = at(42000.0, HOST_DATETIME_INVALID);
    const HostDateTime null = at(42000.0, HOST_DATETIME_NULL);
    EXPECT_EQ(formatDateTime(&invalid, "%Y"), "Invalid DateTime");
    EXPECT_EQ(formatDateTime(&null, "%Y"), "");
    EXPECT_EQ(formatDateTime(nullptr, "%Y"), "");
}

TEST(DateTime, CivilFieldsIncludeWeekdayAndDayOfYear) {
    CivilTime civil;
    ASSERT_TRUE(oleDateToCivil(civilToOleDate(2017, 3, 5, 0, 0, 0), civil));
    EXPECT_EQ(civil.dayOfWeek, 0);  // a Sunday
    EXPECT_EQ(civil.dayOfYear, 64);
    EXPECT_FALSE(oleDateToCivil(1e12, civil));
}

}  // namespace
}  // namespace platform
