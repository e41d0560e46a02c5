// What the engine asks of the parts that sit around it: the companion
// windows and the Cabrillo export. Each has a do-nothing default so the
// engine scores logs on its own.
#pragma once

#include "engine/info.h"

#include <optional>
#include <string>

namespace engine {

// The plug-in's user-interface thread and its windows, as the engine sees
// them. Every call returns without waiting for the UI thread, except stop().
class CompanionUi {
public:
    virtual ~CompanionUi() = default;
    // True exactly while the UI thread runs its setup window.
    virtual bool isRunning() const { return false; }
    // True while the UI thread exists at all, its last steps after the
    // setup window closed included: an unload must wait for those too.
    virtual bool threadAlive() const { return isRunning(); }
    // Starts the UI thread (stopping a running one first).
    virtual void start() {}
    // Closes the windows and waits, bounded, for the UI thread to end.
    // False when the thread was still running at the deadline.
    virtual bool stop() { return true; }
    // Posts the refresh request to the setup window.
    virtual void postRefresh() {}
    // Clears the county tracker's worked marks when it is open.
    virtual void resetCountyWindow() {}
};

// One QSO line of the Cabrillo log.
struct CabrilloQso {
    std::string call;
    int32_t freqKHz = 0;
    std::string mode;  // "PK", "CW", "PH" or "??"
    OleTime time;
    std::string rstSent;
    std::string exchSent;
    std::string rstReceived;
    std::string exchReceived;
};

// The Cabrillo export: station details at reset, the log at scoring.
class CabrilloExport {
public:
    virtual ~CabrilloExport() = default;
    // Runs the station-details step; 1 when confirmed, 0 when cancelled.
    // Called without the engine lock held: it may show a dialog.
    virtual int editStationDetails(const std::string & /*callsign*/,
                                   const OleTime & /*start*/,
                                   const OleTime & /*end*/) {
        return 0;
    }
    virtual void addQsoLine(const CabrilloQso & /*qso*/) {}

    struct Outcome {
        bool written = false;
        std::string message;  // shown to the user in the "Output" box
    };
    // Writes the log; nothing when no export is available.
    virtual std::optional<Outcome> writeLog(int /*claimedScore*/,
                                            const std::string & /*hostVersion*/) {
        return std::nullopt;
    }
};

}  // namespace engine
