// Our date-time conversion against the system's own: oleaut32's
// VariantTimeToSystemTime decides every field and the rounding to the
// second, over a sweep of the whole range and the values where rounding,
// signs and range ends are decided.
#include "platform/datetime.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kFirstDay = -657434.0;   // 1 January 100
constexpr double kLastDay = 2958465.0;    // 31 December 9999

std::string show(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

int dayOfYear(const SYSTEMTIME &st) {
    static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int y = st.wYear;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return before[st.wMonth - 1] + st.wDay + (leap && st.wMonth > 2 ? 1 : 0);
}

// Zeller's congruence, 0 = Sunday. The system's own weekday is not used:
// when a time rounds up into the next day it keeps the weekday of the day
// before.
int dayOfWeek(const SYSTEMTIME &st) {
    int y = st.wYear;
    int m = st.wMonth;
    if (m < 3) {
        m += 12;
        y -= 1;
    }
    const int saturdayFirst = (st.wDay + 13 * (m + 1) / 5 + y + y / 4 - y / 100 + y / 400) % 7;
    return (saturdayFirst + 6) % 7;
}

// One value through both conversions; on disagreement the message shows
// both answers.
testing::AssertionResult sameAsSystem(double value) {
    SYSTEMTIME st{};
    const bool systemAccepts = ::VariantTimeToSystemTime(value, &st) != 0;
    platform::CivilTime civil;
    const bool weAccept = platform::oleDateToCivil(value, civil);
    HostDateTime dateTime{value, HOST_DATETIME_VALID, 0};

    // Where the system answers with no date at all (a NaN) or with a year
    // past 9999 (the last half second rounds up into it), we say out of range.
    const bool systemHasADate =
        systemAccepts && !std::isnan(value) && st.wYear >= 100 && st.wYear <= 9999;
    if (systemAccepts && !systemHasADate) {
        if (weAccept)
            return testing::AssertionFailure()
                   << show(value) << ": has no valid date, but we accept it";
        return testing::AssertionSuccess();
    }
    if (systemAccepts != weAccept)
        return testing::AssertionFailure()
               << show(value) << ": the system " << (systemAccepts ? "accepts" : "rejects")
               << " it, we " << (weAccept ? "accept" : "reject") << " it";
    if (!systemAccepts) {
        const std::string formatted = platform::formatDateTime(&dateTime, "%Y");
        if (formatted != "Invalid DateTime")
            return testing::AssertionFailure()
                   << show(value) << ": out of range but formatted as " << formatted;
        return testing::AssertionSuccess();
    }
    char expected[96];
    std::snprintf(expected, sizeof expected, "%d-%02d-%02d %02d:%02d:%02d %d %03d", st.wYear,
                  st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, dayOfWeek(st),
                  dayOfYear(st));
    char ours[96];
    std::snprintf(ours, sizeof ours, "%d-%02d-%02d %02d:%02d:%02d %d %03d", civil.year,
                  civil.month, civil.day, civil.hour, civil.minute, civil.second,
                  civil.dayOfWeek, civil.dayOfYear);
    if (std::string(ours) != expected)
        return testing::AssertionFailure()
               << show(value) << ": the system says " << expected << ", we say " << ours;
    // The C library pads years below 1000 its own way: compare the number.
    const std::string formatted =
        platform::formatDateTime(&dateTime, "%Y|%m-%d %H:%M:%S %w %j");
    const std::size_t bar = formatted.find('|');
    const std::string rest = std::string(expected).substr(std::string(expected).find('-'));
    if (bar == std::string::npos || std::atoi(formatted.c_str()) != st.wYear ||
        "-" + formatted.substr(bar + 1) != rest)
        return testing::AssertionFailure()
               << show(value) << ": the system says " << expected << ", we format "
               << formatted;
    return testing::AssertionSuccess();
}

// Sweeps stop reporting after a few disagreements: one fault shows up in
// thousands of values.
void expectAllSameAsSystem(const std::vector<double> &values) {
    int failures = 0;
    for (double value : values) {
        const testing::AssertionResult result = sameAsSystem(value);
        if (!result) {
            ADD_FAILURE() << result.message();
            if (++failures == 10) {
                ADD_FAILURE() << "more disagreements not shown";
                return;
            }
        }
    }
}

// The value of a day and a time of day; before the epoch the time still
// counts forward from the start of the day, away from zero.
double at(double day, double seconds) {
    return day < 0 ? day - seconds * kSecond : day + seconds * kSecond;
}

TEST(DateTimeAgainstSystem, EdgeValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    expectAllSameAsSystem({
        0.0, -0.0, 1.0, -1.0, 0.5, -0.5, -1.25, -1.5, -1.75, 1.25, -2.0, -0.75,
        // half a second: exactly, and just below
        0.5 * kSecond, 0.4999 * kSecond, 0.49999999 * kSecond, 0.50001 * kSecond,
        -0.5 * kSecond, -0.4999 * kSecond, -1.0 - 0.5 * kSecond, -1.0 - 0.4999 * kSecond,
        // a second's boundary, and the last half second of a day
        1.0 * kSecond, 0.9999999 * kSecond, 1.0000001 * kSecond,
        1.0 - 0.5 * kSecond, 1.0 - 0.4999 * kSecond, 1.0 - 0.0001 * kSecond,
        -1.0 - (1.0 - 0.5 * kSecond), -1.0 - (1.0 - 0.4999 * kSecond),
        // the ends of the range
        kFirstDay, kFirstDay - 0.5, kFirstDay - 0.99999, kFirstDay - 0.999999999,
        kFirstDay - 1.0, kFirstDay - 1.5, kFirstDay + 1.0,
        kLastDay, kLastDay + 0.5, kLastDay + 0.99999, kLastDay + 0.999994,
        kLastDay + 0.999995, kLastDay + 0.9999999, kLastDay + 1.0, kLastDay + 1.5,
        // far out of range and not numbers
        -1e9, 1e9, 1e300, -1e300, nan, inf, -inf,
        // dates the host meets: contests of this century
        45000.0, 45000.5 + 0.5 * kSecond, 45000.999994, 45000.9999942,
    });
}

TEST(DateTimeAgainstSystem, SweepOfDaysAcrossTheRange) {
    std::vector<double> values;
    std::mt19937_64 random(20240101);
    std::uniform_real_distribution<double> secondOfDay(0.0, 86400.0);
    for (double day = kFirstDay; day <= kLastDay; day += 997.0) {
        values.push_back(day);
        for (int i = 0; i < 8; ++i) values.push_back(at(day, secondOfDay(random)));
    }
    expectAllSameAsSystem(values);
}

TEST(DateTimeAgainstSystem, EverySecondBoundaryOfADay) {
    std::vector<double> values;
    for (double day : {0.0, -1.0, 36526.0, -36526.0, 45000.0, kFirstDay, kLastDay}) {
        for (int second = 0; second < 86400; second += 7) {
            for (double offset : {0.0, 0.25, 0.4999, 0.5, 0.5001, 0.75, 0.9999}) {
                values.push_back(at(day, second + offset));
            }
        }
    }
    expectAllSameAsSystem(values);
}

TEST(DateTimeAgainstSystem, RandomValuesInAndAroundTheRange) {
    std::vector<double> values;
    std::mt19937_64 random(99);
    std::uniform_real_distribution<double> anywhere(kFirstDay - 10.0, kLastDay + 10.0);
    for (int i = 0; i < 200000; ++i) values.push_back(anywhere(random));
    expectAllSameAsSystem(values);
}

TEST(DateTimeAgainstSystem, NullAndInvalidStatusesAreNotDates) {
    HostDateTime invalid{45000.0, HOST_DATETIME_INVALID, 0};
    HostDateTime null{45000.0, HOST_DATETIME_NULL, 0};
    EXPECT_EQ(platform::formatDateTime(&invalid, "%Y"), "Invalid DateTime");
    EXPECT_EQ(platform::formatDateTime(&null, "%Y"), "");
    EXPECT_EQ(platform::formatDateTime(nullptr, "%Y"), "");
}

}  // namespace
