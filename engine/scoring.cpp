#include "engine/operations.h"

#include "engine/bad_qso_file.h"
#include "engine/contest_rules.h"
#include "platform/profile.h"
#include "reports/summary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

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

// The multiplier codes seen on one band row and mode class. Codes are the
// last two characters of an exchange, so a bit per possible short code
// answers at once; anything longer goes to a set.
class CodeSet {
public:
    CodeSet() : bits_(kShortCodes / 64, 0) {}
    // True when code was not there before.
    bool insert(const std::string &code) {
        if (code.size() > 2) return others_.insert(code).second;
        std::size_t key = code.size() << 16;
        if (code.size() > 0) key |= static_cast<std::size_t>(static_cast<unsigned char>(code[0])) << 8;
        if (code.size() > 1) key |= static_cast<unsigned char>(code[1]);
        uint64_t &word = bits_[key / 64];
        const uint64_t bit = uint64_t{1} << (key % 64);
        if (word & bit) return false;
        word |= bit;
        return true;
    }

private:
    static constexpr std::size_t kShortCodes = std::size_t{3} << 16;
    std::vector<uint64_t> bits_;
    std::unordered_set<std::string> others_;
};

// One band name's figures, gathered during the pass over the store.
struct BandPass {
    const std::string *name = nullptr;
    int row = -1;
    reports::BandFigures figures;
    std::array<CodeSet, kModeClasses> counties;
    std::array<CodeSet, kModeClasses> countries;
};

}  // namespace

std::string cabrilloMode(const std::string &mode) {
    switch (modeClass(mode)) {
    case kDigi: return "PK";
    case kCw: return "CW";
    case kSsb: return "PH";
    case kNoModeClass: break;
    }
    return "??";
}

int scoreLog(EngineState &state, std::vector<CabrilloQso> &exportLines) {
    const bool html = state.htmlResult != 0;
    std::string &out = state.resultText;
    out.clear();
    reports::appendSummaryHead(out, html, state.contestDate, state.contestant);

    sortWorkedBands(state.workedBands);
    // Refused and bad QSOs: one line each. Dupes are counted apart and may
    // have several lines each, one per earlier match.
    const int problemLines = bad_qso_file::countProblemLines(state.badQsoFileName);

    // One pass over the store fills every band row at once: a log of any
    // size is read once per score, not once per band.
    std::vector<BandPass> rows(state.workedBands.size());
    // "80M" and "80m" share row 0; its lists are emptied once per pass so the
    // second name does not wipe what the first one found.
    std::array<bool, kBandRows> rowCleared{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].name = &state.workedBands[i];
        rows[i].row = bandRow(state.workedBands[i]);
        if (rows[i].row >= 0 && !rowCleared[rows[i].row]) {
            for (TextArray &list : state.multipliers[rows[i].row]) list.clear();
            rowCleared[rows[i].row] = true;
        }
    }

    for (const CInfo &record : state.store.records()) {
        if (record.call.empty()) continue;
        BandPass *pass = nullptr;
        for (BandPass &candidate : rows)
            if (*candidate.name == record.band) {
                pass = &candidate;
                break;
            }
        if (pass == nullptr) continue;
        reports::BandFigures &figures = pass->figures;
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
        if (!record.county.empty() && pass->counties[modeIndex].insert(record.county)) {
            ++figures.counties;
            if (pass->row >= 0)
                appendOnce(state.multipliers[pass->row][modeIndex], record.county);
        }
        if (!record.countryCode.empty() && pass->countries[modeIndex].insert(record.countryCode))
            ++figures.countries;
    }

    reports::ResultFigures totals;
    for (BandPass &pass : rows) {
        reports::BandFigures &figures = pass.figures;
        figures.points = 2 * figures.twoPointQsos + 4 * figures.fourPointQsos;
        reports::appendBandRow(out, html, *pass.name, figures);
        totals.qsos += figures.qsos;
        totals.points += figures.points;
        totals.counties += figures.counties;
        totals.countries += figures.countries;
        totals.digi += figures.digi;
        totals.cw += figures.cw;
        totals.ssb += figures.ssb;
        totals.dupes += figures.dupes;
    }

    totals.badShown = problemLines;
    // Computed wide so a huge log wraps like the 32-bit original instead of
    // overflowing a signed int.
    const long long wide =
        (static_cast<long long>(totals.countries) + totals.counties) * totals.points;
    totals.score = static_cast<int32_t>(static_cast<uint32_t>(wide));
    state.claimedScore = totals.score;
    noteWrite(state, kPluginIni,
              platform::writeProfileString(kIniSection, "Claimed",
                                           std::to_string(totals.score), kPluginIni));
    reports::appendSummaryEnd(out, html, totals, state.unwrittenFiles);

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
