// The exported entry points. Each one only unpacks its arguments (a null text
// reads as empty, a null date-time as the null status), calls one engine
// operation and stops every exception at the boundary.
#define MORVANTIA_BUILDING_PLUGIN 1
#include "plugin/stats_api.h"

#include "engine/engine.h"
#include "platform/message_box.h"

namespace {

using engine::Engine;
using engine::OleTime;

std::string text(const char *value) { return value != nullptr ? value : std::string(); }

engine::QsoArgs qsoArgs(char *ownCall, char *call, HostDateTime *qsoTime,
                        unsigned int frequencyHz, char *mode, char *rstSent,
                        char *rstReceived, char *exchSent, char *exchReceived,
                        char *countryPrefix, char *band) {
    engine::QsoArgs args;
    args.ownCall = text(ownCall);
    args.call = text(call);
    args.time = OleTime::from(qsoTime);
    args.frequencyHz = frequencyHz;
    args.mode = text(mode);
    args.rstSent = text(rstSent);
    args.rstReceived = text(rstReceived);
    args.exchSent = text(exchSent);
    args.exchReceived = text(exchReceived);
    args.countryPrefix = text(countryPrefix);
    args.band = text(band);
    return args;
}

char setName[] = "MORVANTIA Contest (C)";
char emptyText[] = "";

}  // namespace

extern "C" {

unsigned int STATS_CDECL setVersion(char *) {
    try {
        return Engine::instance().setVersion();
    } catch (...) {
        return 0;
    }
}

int STATS_CDECL GetNumberOfSets(void) { return 1; }

char *STATS_CDECL GetSetName(int index) { return index == 0 ? setName : emptyText; }

void STATS_CDECL SetupSet0(void) {
    try {
        platform::showMessage("No additional setup for this contest", "",
                              platform::MessageIcon::None);
    } catch (...) {
    }
}

int STATS_CDECL ResetStats0(char *hostFolder, int reportRequest, char *ownCall,
                            HostDateTime *contestStart, HostDateTime *contestEnd,
                            char *, char *, char *, char *, char *, char *, char *,
                            char *, char *, char *ownPrefix, int, int, int, double,
                            double, char *, char *, char *) {
    try {
        engine::ResetArgs args;
        args.hostFolder = text(hostFolder);
        args.reportRequest = reportRequest;
        args.ownCall = text(ownCall);
        args.contestStart = OleTime::from(contestStart);
        args.contestEnd = OleTime::from(contestEnd);
        args.ownPrefix = text(ownPrefix);
        return Engine::instance().resetStats(args);
    } catch (...) {
        return 1;
    }
}

int STATS_CDECL AddData0(char *ownCall, char *call, HostDateTime *qsoTime,
                         HostDateTime *, HostDateTime *, HostDateTime *, unsigned int,
                         unsigned int frequencyHz, char *mode, char *rstSent,
                         char *rstReceived, char *exchSent, char *exchReceived,
                         char *, char *, char *, char *, char *, char *, char *,
                         char *, char *, char *countryPrefix, int, int, int, double,
                         double, char *, char *, char *, char *band, char *) {
    try {
        return Engine::instance().addData(qsoArgs(ownCall, call, qsoTime, frequencyHz,
                                                  mode, rstSent, rstReceived, exchSent,
                                                  exchReceived, countryPrefix, band));
    } catch (...) {
        return 0;
    }
}

int STATS_CDECL RemoveData0(char *ownCall, char *call, HostDateTime *qsoTime,
                            HostDateTime *, HostDateTime *, HostDateTime *,
                            unsigned int, unsigned int frequencyHz, char *mode,
                            char *rstSent, char *rstReceived, char *exchSent,
                            char *exchReceived, char *, char *, char *, char *,
                            char *, char *, char *, char *, char *,
                            char *countryPrefix, int, int, int, double, double,
                            char *, char *, char *, char *band, char *) {
    try {
        return Engine::instance().removeData(qsoArgs(ownCall, call, qsoTime,
                                                     frequencyHz, mode, rstSent,
                                                     rstReceived, exchSent,
                                                     exchReceived, countryPrefix, band));
    } catch (...) {
        return 1;
    }
}

char *STATS_CDECL GetResult0(int *score) {
    try {
        return const_cast<char *>(Engine::instance().getResult(score));
    } catch (...) {
        return emptyText;
    }
}

int STATS_CDECL CheckCall0(char *call, unsigned int, unsigned int, char *mode, char *,
                           char *, char *, char *, char *, char *, char *, char *,
                           char *, char *, int, int, int, double, double, char *,
                           char *, char *, char *, char *county, char *band,
                           char *secondBand, char *, char *) {
    try {
        engine::CheckCallArgs args;
        args.call = text(call);
        args.mode = text(mode);
        args.county = text(county);
        if (band != nullptr) args.band = std::string(band);
        if (secondBand != nullptr) args.secondBand = std::string(secondBand);
        return Engine::instance().checkCall(args);
    } catch (...) {
        return 2;
    }
}

int STATS_CDECL GetExchgCount0(char *, char *, char *) { return 2; }

int STATS_CDECL IsValidExchg0(char *field, char *, char *, char *, int, int,
                              int fieldIndex) {
    try {
        return Engine::instance().isValidExchange(text(field), fieldIndex);
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
