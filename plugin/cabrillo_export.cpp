#include "plugin/cabrillo_export.h"

#include "engine/operations.h"

namespace plugin {

using engine::CabrilloExport;
using engine::CabrilloQso;
using engine::OleTime;

int CabrilloLogExport::editStationDetails(const std::string &callsign, const OleTime &,
                                          const OleTime &) {
    return log_.EditStationDetails(callsign, editor_);
}

void CabrilloLogExport::addQsoLine(const CabrilloQso &qso) {
    log_.AddQsoLine(qso.call, qso.freqKHz, qso.mode, formatTime(qso.time, "%Y-%m-%d %H%M"),
                    qso.rstSent, qso.exchSent, qso.rstReceived, qso.exchReceived);
}

std::optional<CabrilloExport::Outcome> CabrilloLogExport::writeLog(
    int claimedScore, const std::string &hostVersion) {
    const reports::WriteOutcome outcome = log_.WriteLog(claimedScore, hostVersion);
    return Outcome{outcome.written, outcome.message};
}

}  // namespace plugin
