// The plug-in's Cabrillo export: the engine's export seam over the one
// Cabrillo log object of the library.
#pragma once

#include "engine/seams.h"
#include "reports/cabrillo_log.h"

namespace plugin {

class CabrilloLogExport : public engine::CabrilloExport {
public:
    CabrilloLogExport(reports::CabrilloLog &log, reports::StationDetailsEditor &editor)
        : log_(log), editor_(editor) {}

    int editStationDetails(const std::string &callsign, const engine::OleTime &start,
                           const engine::OleTime &end) override;
    void addQsoLine(const engine::CabrilloQso &qso) override;
    std::optional<Outcome> writeLog(int claimedScore, const std::string &hostVersion) override;

private:
    reports::CabrilloLog &log_;
    reports::StationDetailsEditor &editor_;
};

}  // namespace plugin
