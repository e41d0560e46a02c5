// Arguments of the engine's operations as a host passes them: a contest of
// 4 to 5 March 2017 run by YO3AAA.
#pragma once

#include "engine/operations.h"
#include "host/plugin_host.h"

#include <string>

namespace engine {

inline ResetArgs resetArgs(int reportRequest = 0, const std::string &prefix = "YO") {
    ResetArgs args;
    args.hostFolder = "./";
    args.reportRequest = reportRequest;
    args.ownCall = "YO3AAA";
    HostDateTime start = host::makeDateTime(2017, 3, 4, 12, 0);
    HostDateTime end = host::makeDateTime(2017, 3, 5, 12, 0);
    args.contestStart = OleTime::from(&start);
    args.contestEnd = OleTime::from(&end);
    args.ownPrefix = prefix;
    return args;
}

inline QsoArgs qsoArgs(const std::string &call, const std::string &band, const std::string &mode,
                const std::string &received, const std::string &prefix, int minute = 5) {
    QsoArgs q;
    q.ownCall = "YO3AAA";
    q.call = call;
    q.band = band;
    q.mode = mode;
    q.exchSent = "001";
    q.exchReceived = received;
    q.countryPrefix = prefix;
    q.frequencyHz = band == "40m" ? 7012345 : 3512999;
    q.rstSent = "599";
    q.rstReceived = "579";
    HostDateTime time = host::makeDateTime(2017, 3, 5, 9, minute);
    q.time = OleTime::from(&time);
    return q;
}

}  // namespace engine
