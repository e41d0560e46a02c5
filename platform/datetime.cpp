#include "platform/datetime.h"

#include <cmath>
#include <ctime>
#include <vector>

namespace platform {
namespace {

// Day numbers of 1 January 100 and 31 December 9999. Any time of either day
// is valid; before the epoch a day's times lie below its number, so the
// exclusive bounds are one day out on both sides.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;
constexpr long kSecondsPerDay = 86400;

// The system's conversion adds this to the time of day before cutting it
// into fields, so that a time meant as a whole second but stored a hair
// below it is not cut down. It decides which values round up, so it is
// kept exactly.
constexpr double kTruncationAllowance = 0.00000000001;

// Days from 1970-01-01 to the given proleptic Gregorian date.
constexpr long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void civilFromDays(long z, int &y, int &m, int &d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long>(yoe) + era * 400 + (m <= 2));
}

// Known when the program is built: a value computed as the program starts
// would read as 0 to any code that runs before that.
constexpr long kOleEpoch = daysFromCivil(1899, 12, 30);
static_assert(kOleEpoch == -25569, "the OLE date's day 0 is 1899-12-30");

}  // namespace

bool oleDateToCivil(double value, CivilTime &out) {
    if (!(value > kFirstDay - 1.0 && value < kLastDay + 1.0)) return false;  // NaN too
    // The whole part counts days (towards zero); the fraction is the time of
    // that day whatever the sign, so -1.25 is 29 December 1899, 06:00.
    const double wholeDays = value < 0.0 ? std::ceil(value) : std::floor(value);
    double time = std::fabs(value - wholeDays) + kTruncationAllowance;
    if (time >= 1.0) time -= kTruncationAllowance;

    // Cut into fields step by step and round on what is left of the second,
    // with the same floating-point steps as the system, so that values near
    // half a second round the same way.
    time *= 24.0;
    int hour = static_cast<int>(time);
    time -= hour;
    time *= 60.0;
    int minute = static_cast<int>(time);
    time -= minute;
    time *= 60.0;
    int second = static_cast<int>(time);
    time -= second;
    long day = static_cast<long>(wholeDays);
    if (time > 0.5 && ++second == 60) {
        second = 0;
        if (++minute == 60) {
            minute = 0;
            if (++hour == 24) {
                hour = 0;
                ++day;
            }
        }
    }
    // The system would answer 1 January 10000 for the last half second of
    // 9999, a date that no formatting accepts: out of range instead.
    if (day > kLastDay) return false;

    const long unixDays = kOleEpoch + day;
    civilFromDays(unixDays, out.year, out.month, out.day);
    out.hour = hour;
    out.minute = minute;
    out.second = second;
    long weekday = (unixDays + 4) % 7;  // 1970-01-01 was a Thursday
    if (weekday < 0) weekday += 7;
    out.dayOfWeek = static_cast<int>(weekday);
    out.dayOfYear =
        static_cast<int>(unixDays - daysFromCivil(out.year, 1, 1) + 1);
    return true;
}

double civilToOleDate(int year, int month, int day, int hour, int minute,
                      int second) {
    const long days = daysFromCivil(year, static_cast<unsigned>(month),
                                    static_cast<unsigned>(day)) -
                      kOleEpoch;
    const double time = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    // Before the epoch the time still counts forward from the day's start.
    return days >= 0 ? days + time : days - time;
}

std::string formatDateTime(const HostDateTime *dateTime, const char *pattern) {
    if (dateTime == nullptr || dateTime->status == HOST_DATETIME_NULL)
        return std::string();
    CivilTime civil;
    if (dateTime->status != HOST_DATETIME_VALID ||
        !oleDateToCivil(dateTime->value, civil))
        return "Invalid DateTime";
    if (pattern == nullptr || *pattern == '\0') return std::string();

    std::tm tm{};
    tm.tm_year = civil.year - 1900;
    tm.tm_mon = civil.month - 1;
    tm.tm_mday = civil.day;
    tm.tm_hour = civil.hour;
    tm.tm_min = civil.minute;
    tm.tm_sec = civil.second;
    tm.tm_wday = civil.dayOfWeek;
    tm.tm_yday = civil.dayOfYear - 1;
    tm.tm_isdst = -1;

    std::vector<char> buffer(64);
    for (;;) {
        const std::size_t n =
            std::strftime(buffer.data(), buffer.size(), pattern, &tm);
        if (n > 0 || buffer.size() >= 65536) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 4);
    }
}

}  // namespace platform
