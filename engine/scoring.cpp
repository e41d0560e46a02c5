#include "engine/operations.h"

#include "engine/bad_file_tally.h"
#include "engine/bad_qso_file.h"
#include "engine/contest_rules.h"
#include "platform/profile.h"
#include "reports/summary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
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

// One band name as the pass sees it.
struct BandName {
    TextPool::Id band = TextPool::kMissing;  // kMissing: no stored QSO names it
    int row = -1;
};

// Marks numbers seen in groups (band name x mode class x kind), one bit per
// group, for the numbers of one owner at a time (a block, or the merge).
class SeenCodes {
public:
    SeenCodes(std::size_t texts, uint32_t owner) : owner_(texts, 0), bits_(texts, 0), current_(owner) {}
    void startOwner(uint32_t owner) { current_ = owner; }
    // True the first time the number is seen in the group.
    bool firstTime(TextPool::Id id, unsigned group) {
        if (owner_[id] != current_) {
            owner_[id] = current_;
            bits_[id] = 0;
        }
        const uint32_t bit = uint32_t{1} << group;
        if (bits_[id] & bit) return false;
        bits_[id] |= bit;
        return true;
    }

private:
    std::vector<uint32_t> owner_;
    std::vector<uint32_t> bits_;
    uint32_t current_;
};

// Band names are those the band table accepts ignoring case, so at most
// four ("80m", "80M", "40m", "40M"): their 24 groups fit one word.
constexpr std::size_t kMostBandNames = 5;

unsigned groupOf(std::size_t name, int modeIndex, int kind) {
    return static_cast<unsigned>((name * kModeClasses + static_cast<std::size_t>(modeIndex)) * 2 +
                                 static_cast<std::size_t>(kind));
}

void scoreBlock(const QsoStore &store, std::size_t block, const std::vector<BandName> &names,
                TextMeanings &meaning, SeenCodes &seen, BlockFigures &out) {
    out.bands.assign(names.size(), reports::BandFigures());
    out.codes.assign(names.size(), {});
    seen.startOwner(static_cast<uint32_t>(block) + 2);
    store.forEachInBlock(block, [&](const QsoRecord &record) {
        if (record.call == TextPool::kEmpty) return;
        std::size_t name = 0;
        while (name < names.size() && names[name].band != record.band) ++name;
        if (name == names.size()) return;
        reports::BandFigures &figures = out.bands[name];
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
        auto &codes = out.codes[name];
        if (record.county != TextPool::kEmpty &&
            seen.firstTime(record.county, groupOf(name, modeIndex, 0)))
            codes[static_cast<std::size_t>(modeIndex) * 2].push_back(record.county);
        if (record.countryCode != TextPool::kEmpty &&
            seen.firstTime(record.countryCode, groupOf(name, modeIndex, 1)))
            codes[static_cast<std::size_t>(modeIndex) * 2 + 1].push_back(record.countryCode);
    });
    out.version = store.blockVersion(block);
    out.valid = true;
}

// The figures of each band name and the multiplier lists of the rows those
// names reach, from the blocks' figures in store order: a code counts where
// it first appears in the whole log.
void scoreStore(EngineState &state, ScoreCache &cache) {
    const QsoStore &store = state.store;
    if (state.workedBands.size() > kMostBandNames)
        throw std::length_error("more band names than the band table allows");
    std::vector<BandName> names(state.workedBands.size());
    cache.rowsRebuilt = {};
    cache.multipliers = MultiplierLists();
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i].band = store.findText(state.workedBands[i]);
        names[i].row = bandRow(state.workedBands[i]);
        if (names[i].row >= 0) cache.rowsRebuilt[static_cast<std::size_t>(names[i].row)] = true;
    }
    if (cache.layout != store.layoutVersion() || cache.bands != state.workedBands)
        cache.blocks.clear();
    cache.blocks.resize(store.blockCount());

    TextMeanings meaning(store);
    SeenCodes seen(store.textCount(), 0);
    for (std::size_t block = 0; block < cache.blocks.size(); ++block) {
        BlockFigures &figures = cache.blocks[block];
        if (!figures.valid || figures.version != store.blockVersion(block))
            scoreBlock(store, block, names, meaning, seen, figures);
    }

    cache.figures.assign(names.size(), reports::BandFigures());
    seen.startOwner(1);
    for (const BlockFigures &block : cache.blocks) {
        for (std::size_t name = 0; name < names.size(); ++name) {
            const reports::BandFigures &part = block.bands[name];
            reports::BandFigures &figures = cache.figures[name];
            // A block's part has no points, counties or countries yet:
            // those are made over the whole log below.
            reports::addCounts(figures, part);
            figures.twoPointQsos += part.twoPointQsos;
            figures.fourPointQsos += part.fourPointQsos;
            for (int mode = 0; mode < kModeClasses; ++mode) {
                const auto &codes = block.codes[name];
                for (TextPool::Id county : codes[static_cast<std::size_t>(mode) * 2]) {
                    if (!seen.firstTime(county, groupOf(name, mode, 0))) continue;
                    ++figures.counties;
                    if (names[name].row >= 0)
                        appendOnce(cache.multipliers[static_cast<std::size_t>(names[name].row)]
                                                    [static_cast<std::size_t>(mode)],
                                   store.text(county));
                }
                for (TextPool::Id code : codes[static_cast<std::size_t>(mode) * 2 + 1])
                    if (seen.firstTime(code, groupOf(name, mode, 1))) ++figures.countries;
            }
        }
    }
    for (reports::BandFigures &figures : cache.figures)
        figures.points = 2 * figures.twoPointQsos + 4 * figures.fourPointQsos;
    cache.bands = state.workedBands;
    cache.layout = store.layoutVersion();
    cache.storeVersion = store.version();
    cache.valid = true;
}

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

reports::ResultFigures scoreLog(EngineState &state) {
    const bool html = state.htmlResult;
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
        reports::addCounts(totals, figures);
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
    reports::appendSummaryEnd(state.resultText, state.htmlResult, totals,
                              state.unwrittenFiles);

    exportLines.clear();
    if (state.exportRequested) {
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
