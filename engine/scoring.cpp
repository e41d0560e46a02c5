#include "engine/operations.h"

#include "engine/bad_file_tally.h"
#include "engine/bad_qso_file.h"
#include "engine/contest_rules.h"
#include "platform/profile.h"
#include "reports/summary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
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

// The multiplier codes seen on one band row and mode class. Codes are the
// last two characters of an exchange, so a bit per possible short code
// answers at once; anything longer goes to a set.
class CodeSet {
public:
    CodeSet() : bits_(kShortCodes / 64, 0) {}
    // True when code was not there before.
    bool insert(std::string_view code) {
        if (code.size() > 2) return others_.insert(std::string(code)).second;
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
    TextPool::Id band = TextPool::kMissing;  // kMissing: no stored QSO names it
    int row = -1;
    reports::BandFigures figures;
    std::array<CodeSet, kModeClasses> counties;
    std::array<CodeSet, kModeClasses> countries;
};

// What a record's texts mean for the score, worked out once per text
// rather than once per record: a log has few modes and counties.
class TextMeanings {
public:
    explicit TextMeanings(const QsoStore &store)
        : store_(store), romania_(store.findText("YO")) {
        for (int i = 0; bonusCounties[i] != nullptr; ++i) bonus_[i] = store.findText(bonusCounties[i]);
    }
    int modeClassOf(TextPool::Id mode) {
        for (const std::pair<TextPool::Id, int> &known : modes_)
            if (known.first == mode) return known.second;
        const int found = modeClass(std::string(store_.text(mode)));
        modes_.emplace_back(mode, found);
        return found;
    }
    bool fourPoints(const QsoRecord &r) const {
        if (r.countryPrefix != romania_) return false;
        for (TextPool::Id id : bonus_)
            if (id == r.county) return true;
        return false;
    }

private:
    const QsoStore &store_;
    TextPool::Id romania_;
    std::array<TextPool::Id, 6> bonus_{};
    std::vector<std::pair<TextPool::Id, int>> modes_;
};

bool appendOnce(TextArray &list, std::string_view text) {
    if (std::find(list.begin(), list.end(), text) != list.end()) return false;
    list.emplace_back(text);
    return true;
}

// The pass over the whole store: the figures of each band name and the
// multiplier lists of the rows those names reach.
void scoreStore(EngineState &state, ScoreCache &cache) {
    const QsoStore &store = state.store;
    std::vector<BandPass> rows(state.workedBands.size());
    cache.rowsRebuilt = {};
    cache.multipliers = MultiplierLists();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].band = store.findText(state.workedBands[i]);
        rows[i].row = bandRow(state.workedBands[i]);
        if (rows[i].row >= 0) cache.rowsRebuilt[static_cast<std::size_t>(rows[i].row)] = true;
    }

    TextMeanings meaning(store);
    store.forEach([&](const QsoRecord &record) {
        if (record.call == TextPool::kEmpty) return;
        BandPass *pass = nullptr;
        for (BandPass &candidate : rows)
            if (candidate.band == record.band) {
                pass = &candidate;
                break;
            }
        if (pass == nullptr) return;
        reports::BandFigures &figures = pass->figures;
        figures.dupes += record.dupe;
        if (record.excluded) return;
        ++figures.qsos;
        const int modeIndex = meaning.modeClassOf(record.mode);
        if (modeIndex == kDigi) ++figures.digi;
        else if (modeIndex == kCw) ++figures.cw;
        else if (modeIndex == kSsb) ++figures.ssb;

        if (meaning.fourPoints(record))
            ++figures.fourPointQsos;
        else
            ++figures.twoPointQsos;

        if (modeIndex < 0) return;
        if (record.county != TextPool::kEmpty) {
            const std::string_view county = store.text(record.county);
            if (pass->counties[modeIndex].insert(county)) {
                ++figures.counties;
                if (pass->row >= 0) appendOnce(cache.multipliers[pass->row][modeIndex], county);
            }
        }
        if (record.countryCode != TextPool::kEmpty &&
            pass->countries[modeIndex].insert(store.text(record.countryCode)))
            ++figures.countries;
    });

    cache.figures.clear();
    for (BandPass &pass : rows) {
        pass.figures.points = 2 * pass.figures.twoPointQsos + 4 * pass.figures.fourPointQsos;
        cache.figures.push_back(pass.figures);
    }
    cache.bands = state.workedBands;
    cache.storeVersion = store.version();
    cache.valid = true;
}

}  // namespace

std::string cabrilloMode(const std::string &mode) {
    if (mode == "BPSK31" || mode == "BPSK63" || mode == "BPSK125") return "PK";
    if (mode == "CW") return "CW";
    if (mode == "SSB") return "PH";
    return "??";
}

reports::ResultFigures scoreLog(EngineState &state) {
    const bool html = state.htmlResult != 0;
    std::string &out = state.resultText;
    out.clear();
    reports::appendSummaryHead(out, html, state.contestDate, state.contestant);

    sortWorkedBands(state.workedBands);
    // Refused and bad QSOs: one line each. Dupes are counted apart and may
    // have several lines each, one per earlier match.
    const int problemCount = problemLines(state.badFileTally, state.badQsoFileName);

    // The figures depend on the records and the band names only: while
    // neither changed, the last pass still holds.
    ScoreCache &cache = state.scoreCache;
    if (!cache.valid || cache.storeVersion != state.store.version() ||
        cache.bands != state.workedBands)
        scoreStore(state, cache);
    // The rows a band name reaches are rebuilt by every result; the others
    // keep their lists.
    for (std::size_t row = 0; row < cache.rowsRebuilt.size(); ++row)
        if (cache.rowsRebuilt[row]) state.multipliers[row] = cache.multipliers[row];

    reports::ResultFigures totals;
    for (std::size_t i = 0; i < cache.figures.size(); ++i) {
        const reports::BandFigures &figures = cache.figures[i];
        reports::appendBandRow(out, html, state.workedBands[i], figures);
        totals.qsos += figures.qsos;
        totals.points += figures.points;
        totals.counties += figures.counties;
        totals.countries += figures.countries;
        totals.digi += figures.digi;
        totals.cw += figures.cw;
        totals.ssb += figures.ssb;
        totals.dupes += figures.dupes;
    }

    totals.badShown = problemCount;
    // Computed wide so a huge log wraps like the 32-bit original instead of
    // overflowing a signed int.
    const long long wide =
        (static_cast<long long>(totals.countries) + totals.counties) * totals.points;
    totals.score = static_cast<int32_t>(static_cast<uint32_t>(wide));
    state.claimedScore = totals.score;
    return totals;
}

bool writeClaimedScore(int32_t score) {
    return platform::writeProfileString(kIniSection, "Claimed", std::to_string(score),
                                        kPluginIni);
}

void finishResult(EngineState &state, const reports::ResultFigures &totals,
                  bool claimedWritten, std::vector<CabrilloQso> &exportLines) {
    noteWrite(state, kPluginIni, claimedWritten);
    reports::appendSummaryEnd(state.resultText, state.htmlResult != 0, totals,
                              state.unwrittenFiles);

    exportLines.clear();
    if (state.reportRequest != 0) {
        const QsoStore &store = state.store;
        exportLines.reserve(static_cast<std::size_t>(store.GetSize()));
        store.forEach([&](const QsoRecord &record) {
            CabrilloQso qso;
            qso.call = std::string(store.callText(record.call));
            qso.freqKHz = static_cast<int32_t>(record.freqKHz);
            qso.mode = cabrilloMode(std::string(store.text(record.mode)));
            qso.time.value = record.timeValue;
            qso.time.status = record.timeStatus;
            qso.rstSent = std::string(store.text(record.rstSent));
            qso.exchSent = std::string(store.text(record.exchSent));
            qso.rstReceived = std::string(store.text(record.rstReceived));
            qso.exchReceived = std::string(store.text(record.exchReceived));
            exportLines.push_back(std::move(qso));
        });
    }
}

}  // namespace engine
