// The Cabrillo 3.0 export: the station details, kept in the plug-in's INI
// file and confirmed by the operator, and the log file itself.
#pragma once

#include <string>
#include <vector>

namespace reports {

// The texts the station-details dialog shows and edits.
struct StationDetails {
    std::string contest;
    std::string callsign;
    std::string claimed;
    std::string categoryOperator;
    std::string categoryAssisted;
    std::string categoryBand;
    std::string categoryMode;
    std::string categoryPower;
    std::string categoryTransmitter;
    std::string categoryOverlay;
    std::string name;
    std::string address;
    std::string addressCity;
    std::string addressProvince;
    std::string addressPostalCode;
    std::string addressCountry;
    std::string operators;
    std::string club;
    std::string location;
    std::string soapbox;  // real line breaks while edited
    std::string email;
};

// Shows the station details to the operator. Returns true when they were
// confirmed (the texts then hold what the operator left in them), false when
// cancelled.
class StationDetailsEditor {
public:
    virtual ~StationDetailsEditor() = default;
    virtual bool edit(StationDetails &details) = 0;
};

// For hosts without a screen: the values loaded from the INI file are taken
// as if the operator had confirmed them.
class ConfirmingEditor : public StationDetailsEditor {
public:
    bool edit(StationDetails &) override { return true; }
};

// Every occurrence of from replaced by to, left to right, without looking
// at inserted text again.
std::string ReplaceAll(const std::string &text, const std::string &from,
                       const std::string &to);

struct WriteOutcome {
    bool written = false;
    std::string message;  // for the "Output" message box
};

class CabrilloLog {
public:
    // Loads the details, lets editor show them and stores them back when
    // confirmed. Returns 1 when confirmed, 0 when cancelled.
    int EditStationDetails(const std::string &callsign, StationDetailsEditor &editor);

    void AddQsoLine(const std::string &call, int freqKHz, const std::string &mode,
                    const std::string &time, const std::string &rstSent,
                    const std::string &exchSent, const std::string &rstReceived,
                    const std::string &exchReceived);

    // Writes fileBase + ".cbr" in the current folder. The QSO lines are
    // used up by it, so the next log holds each QSO once.
    WriteOutcome WriteLog(int claimedScore, const std::string &hostVersion);

    const std::string &fileBase() const { return fileBase_; }
    const std::vector<std::string> &qsoLines() const { return qsoLines_; }
    const StationDetails &details() const { return details_; }

private:
    StationDetails details_;
    std::string categoryStation_;  // written to the INI, never set
    std::string fileBase_;
    std::vector<std::string> qsoLines_;
};

}  // namespace reports
