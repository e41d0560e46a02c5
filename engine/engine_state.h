// Everything the contest engine keeps between entry-point calls.
#pragma once

#include "engine/info.h"

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

constexpr const char *kPluginIni = "Plugins\\Morvantia.ini";
constexpr const char *kIniSection = "Settings";

using TextArray = std::vector<std::string>;

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
    std::array<std::array<TextArray, 3>, 3> multipliers;

    std::string myCode;
    std::string ownPrefix;
    std::string contestant;
    std::string contestYear;
    std::string contestDate;
    std::string hostVersion;
    std::string badQsoFileName;
    OleTime contestStart;
    OleTime contestEnd;

    int russianUi = 0;
    int reportRequest = 0;
    int htmlResult = 0;
    int refreshPending = 1;
    int secondFieldLock = 0;

    std::string resultText;
    int claimedScore = 0;

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
