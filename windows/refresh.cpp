#include "windows/refresh.h"

#include "engine/contest_rules.h"
#include "engine/operations.h"

#include <cmath>

namespace companion {
namespace {

constexpr const char *kNoTime = "      -";
constexpr const char *kNoEntry = "   -";
constexpr int kRowCells = 6;

// Rows 0 and 1 as the table needs them: the band name and five cells. A
// row that no reset has filled yet gets its band name here instead of
// being written past its end.
engine::TextArray &tableRow(engine::EngineState &state, int row) {
    engine::TextArray &cells = state.previousQsoRows[static_cast<std::size_t>(row)];
    if (cells.empty()) cells.push_back(engine::bandRules().GetAt(row));
    if (cells.size() < kRowCells) cells.resize(kRowCells, "-");
    return cells;
}

}  // namespace

bool isCallFragment(const std::string &call) { return call.size() == 1 || call.size() == 2; }

int bandRowOfFrequency(double hertz) {
    if (!std::isfinite(hertz)) return -1;
    const double megahertz = std::trunc(hertz / 1000000.0);
    if (megahertz == 3) return 0;
    if (megahertz == 7) return 1;
    return -1;
}

bool macroDue(double hertz, double lastMacroHertz) {
    return std::fabs(hertz - lastMacroHertz) > 300;
}

int modeClassOfHostMode(const std::string &mode) { return engine::modeClass(mode); }

std::string modeClassText(int modeClass, const std::string &mode) {
    const char *name = contract::modeClassName(static_cast<contract::ModeClass>(modeClass));
    return name != nullptr ? std::string(name) : mode;
}

RefreshPlan planRefresh(engine::EngineState &state, RefreshState &refresh,
                        const HostReading &reading, bool previousOpen, bool countyOpen) {
    RefreshPlan plan;
    refresh.currentCall = reading.call;
    if (isCallFragment(reading.call) || !reading.frequencyHz) {
        plan.callFragment = true;
        state.refreshPending = true;
        return plan;
    }

    for (int row = 0; row < 2; ++row) {
        engine::TextArray &cells = tableRow(state, row);
        cells[1] = kNoTime;
        for (int cell = 2; cell < kRowCells; ++cell) cells[static_cast<std::size_t>(cell)] = kNoEntry;
    }
    if (previousOpen) plan.caption = CaptionChange::Reopened;

    if (!reading.call.empty()) {
        // Only this station's QSOs, in store order: a later one overwrites
        // what an earlier one wrote.
        for (const engine::CInfo &qso : state.store.recordsOfCall(reading.call)) {
            for (int row = 0; row < 2; ++row) {
                if (qso.band != engine::bandRules().GetAt(row)) continue;
                engine::TextArray &cells = tableRow(state, row);
                // Cells 1..3 hold the CW, SSB and DIGI times.
                const int cell = engine::modeClass(qso.mode) + 1;
                if (cell != 0)
                    cells[static_cast<std::size_t>(cell)] = engine::formatTime(qso.time, "%H:%M");
                cells[4] = engine::isRomania(qso.countryPrefix) ? qso.county : qso.exchReceived;
            }
        }
        if (previousOpen) plan.caption = CaptionChange::WorkedWith;
    }

    const double hertz = *reading.frequencyHz;
    if (macroDue(hertz, refresh.lastMacroFrequency)) {
        plan.sendSp1 = true;
        refresh.lastMacroFrequency = hertz;
    }

    plan.bandRow = bandRowOfFrequency(hertz);
    if (plan.bandRow < 0) {
        state.refreshPending = true;
        return plan;
    }
    plan.contestBand = true;
    plan.bandText = engine::bandRules().GetAt(plan.bandRow);
    plan.modeClass = modeClassOfHostMode(reading.mode);
    plan.modeText = modeClassText(plan.modeClass, reading.mode);
    refresh.currentBandRow = plan.bandRow;
    refresh.currentModeClass = plan.modeClass;

    // A mode outside the contest has no multiplier list to show.
    if (countyOpen && plan.modeClass >= 0) {
        plan.countyPass = true;
        plan.counties = state.multipliers[static_cast<std::size_t>(plan.bandRow)]
                                         [static_cast<std::size_t>(plan.modeClass)];
    }
    plan.repaintTable = previousOpen;
    state.refreshPending = true;
    return plan;
}

}  // namespace companion
