// What one refresh of the companion windows does, decided without a window:
// the previous-QSO rows it writes, whether "<SP1>" is due, the band row and
// mode class the host is on, and what the county tracker must show. The
// setup window reads the host, asks planRefresh under the engine lock, and
// then applies the plan to its windows with the lock released.
#pragma once

#include "engine/engine_state.h"
#include "windows/county_marks.h"

#include <optional>
#include <string>

namespace companion {

// What the refresh keeps between runs, on the UI thread, for the life of
// the library (a new setup window does not reset it).
struct RefreshState {
    std::string currentCall;        // shown in the table's head
    int currentBandRow = -1;        // highlighted row of the table
    int currentModeClass = -1;
    double lastMacroFrequency = 0;  // Hz at which "<SP1>" was last sent
    TrackerPosition tracker;
};

// What the host's automation object said.
struct HostReading {
    std::string mode;
    std::string call;
    // Read only when the call is not a 1-2 character fragment.
    std::optional<double> frequencyHz;
};

// A call of one or two characters stops the refresh before the frequency
// is read.
bool isCallFragment(const std::string &call);

// Band row of a frequency: whole megahertz 3 is 0 ("80m"), 7 is 1 ("40m"),
// anything else (NaN included) is -1.
int bandRowOfFrequency(double hertz);
// "<SP1>" is due when the frequency moved more than 300 Hz.
bool macroDue(double hertz, double lastMacroHertz);
// Mode class of the host's mode text, ignoring case: 0 CW, 1 SSB, 2 DIGI
// for the three BPSK speeds, -1 for anything else.
int modeClassOfHostMode(const std::string &mode);
// The tracker's mode text: "CW", "SSB" or "DIGI"; any other mode as given.
std::string modeClassText(int modeClass, const std::string &mode);

enum class CaptionChange { None, Reopened, WorkedWith };

struct RefreshPlan {
    bool callFragment = false;    // stopped early: nothing else below applies
    CaptionChange caption = CaptionChange::None;
    bool sendSp1 = false;
    bool contestBand = false;     // false: stopped after the frequency step
    int bandRow = -1;
    int modeClass = -1;
    std::string bandText;
    std::string modeText;
    bool countyPass = false;      // mark the tracker with counties
    engine::TextArray counties;   // the multiplier list of band row and mode class
    bool repaintTable = false;
};

// Runs the refresh's decisions on the engine's state (the caller holds the
// engine lock): fills the previous-QSO rows, updates refresh and sets
// refresh pending. previousOpen and countyOpen: which windows are open now.
RefreshPlan planRefresh(engine::EngineState &state, RefreshState &refresh,
                        const HostReading &reading, bool previousOpen, bool countyOpen);

}  // namespace companion
