// Everything the contest engine keeps between entry-point calls.
#pragma once

#include "engine/info.h"
#include "platform/files.h"
#include "reports/summary.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

constexpr const char *kPluginIni = "Plugins\\Morvantia.ini";
constexpr const char *kIniSection = "Settings";

using TextArray = std::vector<std::string>;

using MultiplierLists = std::array<std::array<TextArray, 3>, 3>;

// What one block of the store's records adds to each band name's figures:
// the counts, and the county and country-code numbers in the order they
// first appear in the block (per band name, 2 x mode class + 0 for
// counties, + 1 for country codes).
struct BlockFigures {
    bool valid = false;
    uint64_t version = 0;  // the block's version when computed
    std::vector<reports::BandFigures> bands;
    std::vector<std::array<std::vector<TextPool::Id>, 6>> codes;
};

// The figures of the last scoring, kept while their inputs stay the same:
// per block of records while the block, the store's layout and the band
// names are unchanged, and the whole result while nothing changed at all.
// A new QSO then costs a result the pass over its own block only.
struct ScoreCache {
    bool valid = false;
    uint64_t storeVersion = 0;
    uint64_t layout = 0;
    TextArray bands;  // the band names scored, in their sorted order
    std::vector<BlockFigures> blocks;
    std::vector<reports::BandFigures> figures;  // one per band name
    MultiplierLists multipliers;                // the rows the pass rebuilt
    std::array<bool, 3> rowsRebuilt{};
};

// How many lines of the bad-QSO file list a refused or bad QSO, as of the
// file's stamp: while the file keeps that stamp nobody else wrote it, and
// the count holds without reading the file again.
struct BadFileTally {
    bool known = false;
    int problemLines = 0;
    std::optional<platform::FileStamp> stamp;  // none: no such file
};

// All fields are guarded by Engine::mutex_.
struct EngineState {
    QsoStore store;
    TextArray workedBands;
    // QSOs refused after their band entered workedBands (wrong mode, no
    // exchange), by band name: while one is still in the host's log its band
    // keeps its row in the summary, as a rescore of the log would show it.
    std::unordered_map<std::string, int> refusedOnBand;
    // Three rows of the previous-QSO table; reset refills rows 0 and 1.
    std::array<TextArray, 3> previousQsoRows;
    // Worked counties by band row and mode class, shown by the county tracker.
    MultiplierLists multipliers;

    std::string myCode;
    std::string ownPrefix;
    std::string contestant;
    std::string contestYear;
    std::string contestDate;
    std::string hostVersion;
    std::string badQsoFileName;
    OleTime contestStart;
    OleTime contestEnd;

    // The companion windows speak Russian (a Russian-speaking own prefix
    // was seen; nothing sets it back while the library stays loaded).
    bool russianUi = false;
    // The host asked the last reset for the Cabrillo export.
    bool exportRequested = false;
    // The host announced its version (setVersion): it reads the summary as
    // HTML.
    bool htmlResult = false;
    // The next call check may post a refresh to the companion windows.
    bool refreshPending = true;
    // The first exchange field held the serial and the code together, so
    // the second field takes nothing.
    bool secondFieldLock = false;

    std::string resultText;
    int claimedScore = 0;
    ScoreCache scoreCache;
    BadFileTally badFileTally;

    // Files the plug-in failed to write since the last reset, each named
    // once, shown below the score so that a full disk is never silent.
    std::vector<std::string> unwrittenFiles;
};

// Remembers fileName as unwritten when written is false.
inline void noteWrite(EngineState &state, const std::string &fileName, bool written) {
    if (written) return;
    for (const std::string &name : state.unwrittenFiles)
        if (name == fileName) return;
    state.unwrittenFiles.push_back(fileName);
}

}  // namespace engine
