// Formatting of the host's date-time values (OLE automation dates).
#pragma once

#include "contract/host_types.h"

#include <string>

namespace platform {

// A date-time broken into calendar fields, rounded to the nearest second.
struct CivilTime {
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 0 = Sunday
    int dayOfYear = 0;  // 1..366
};

// Converts an OLE date (days since 30 December 1899; for earlier dates the
// fraction counts forward from the start of the day) to calendar fields,
// rounding to the nearest second. Returns false outside the range the host
// accepts (1 January 100 to 31 December 9999).
bool oleDateToCivil(double value, CivilTime &out);

// The inverse, for tests and for hosts that build date-times from fields.
double civilToOleDate(int year, int month, int day, int hour, int minute,
                      int second);

// Formats a date-time with a strftime pattern. A null pointer or the null
// status gives an empty text; an invalid status or a value outside the range
// gives "Invalid DateTime", as the host's own date-time class does.
std::string formatDateTime(const HostDateTime *dateTime, const char *pattern);

}  // namespace platform
