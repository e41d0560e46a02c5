#include "engine/operations.h"

#include "engine/bad_qso_file.h"
#include "engine/contest_rules.h"
#include "platform/profile.h"
#include "reports/summary.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace engine {
namespace {

std::string sortKey(const std::string &band) {
    return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
}

// Descending by the zero-padded name, so "80m" comes before "40m"; the
// reordered list is kept for later calls and readers.
void sortWorkedBands(TextArray &bands) {
    const std::size_t count = bands.size();
    for (std::size_t i = 0; i + 1 < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (sortKey(bands[i]) < sortKey(bands[j])) std::swap(bands[i], bands[j]);
}

bool appendOnce(TextArray &list, const std::string &text) {
    if (std::find(list.begin(), list.end(), text) != list.end()) return false;
    list.push_back(text);
    return true;
}

}  // namespace

std::string cabrilloMode(const std::string &mode) {
    if (mode == "BPSK31" || mode == "BPSK63" || mode == "BPSK125") return "PK";
    if (mode == "CW") return "CW";
    if (mode == "SSB") return "PH";
    return "??";
}

int scoreLog(EngineState &state, std::vector<CabrilloQso> &exportLines) {
    const bool html = state.htmlResult != 0;
    std::string &out = state.resultText;
    out.clear();
    reports::appendSummaryHead(out, html, state.contestDate, state.contestant);

    sortWorkedBands(state.workedBands);
    const int lineCount = bad_qso_file::countLines(state.badQsoFileName);

    reports::ResultFigures totals;
    // "80M" and "80m" share row 0; its lists are emptied once per pass so the
    // second name does not wipe what the first one found.
    std::array<bool, kBandRows> rowCleared{};
    for (const std::string &band : state.workedBands) {
        reports::BandFigures figures;
        std::array<std::unordered_set<std::string>, kModeClasses> rowCounties;
        std::array<std::unordered_set<std::string>, kModeClasses> rowCountries;

        const int row = bandRow(band);
        if (row >= 0 && !rowCleared[row]) {
            for (TextArray &list : state.multipliers[row]) list.clear();
            rowCleared[row] = true;
        }

        for (const CInfo &record : state.store.records()) {
            if (record.band != band || record.call.empty()) continue;
            figures.dupes += record.dupe;
            if (record.excluded == 1) continue;
            ++figures.qsos;
            const int modeIndex = modeClass(record.mode);
            if (modeIndex == kDigi) ++figures.digi;
            else if (modeIndex == kCw) ++figures.cw;
            else if (modeIndex == kSsb) ++figures.ssb;

            if (record.countryPrefix == "YO" && isBonusCounty(record.county))
                ++figures.fourPointQsos;
            else
                ++figures.twoPointQsos;

            if (modeIndex < 0) continue;
            if (!record.county.empty() &&
                rowCounties[modeIndex].insert(record.county).second) {
                ++figures.counties;
                if (row >= 0) appendOnce(state.multipliers[row][modeIndex], record.county);
            }
            if (!record.countryCode.empty() &&
                rowCountries[modeIndex].insert(record.countryCode).second)
                ++figures.countries;
        }
        figures.points = 2 * figures.twoPointQsos + 4 * figures.fourPointQsos;
        reports::appendBandRow(out, html, band, figures);

        totals.qsos += figures.qsos;
        totals.points += figures.points;
        totals.counties += figures.counties;
        totals.countries += figures.countries;
        totals.digi += figures.digi;
        totals.cw += figures.cw;
        totals.ssb += figures.ssb;
        totals.dupes += figures.dupes;
    }

    int bad = lineCount - totals.dupes;
    if (bad <= 0) bad = 1;
    totals.badShown = bad - 1;
    // Computed wide so a huge log wraps like the 32-bit original instead of
    // overflowing a signed int.
    const long long wide =
        (static_cast<long long>(totals.countries) + totals.counties) * totals.points;
    totals.score = static_cast<int32_t>(static_cast<uint32_t>(wide));
    reports::appendSummaryEnd(out, html, totals);

    state.claimedScore = totals.score;
    platform::writeProfileString(kIniSection, "Claimed", std::to_string(totals.score),
                                 kPluginIni);

    exportLines.clear();
    if (state.reportRequest != 0) {
        exportLines.reserve(state.store.records().size());
        for (const CInfo &record : state.store.records()) {
            CabrilloQso qso;
            qso.call = record.call;
            qso.freqKHz = record.freqKHz;
            qso.mode = cabrilloMode(record.mode);
            qso.time = record.time;
            qso.rstSent = record.rstSent;
            qso.exchSent = record.exchSent;
            qso.rstReceived = record.rstReceived;
            qso.exchReceived = record.exchReceived;
            exportLines.push_back(std::move(qso));
        }
    }
    return totals.score;
}

}  // namespace engine
