// The engine's operations on its state, one file each. Callers hold the
// engine lock; none of these shows a window or waits for another thread.
#pragma once

#include "engine/engine_state.h"
#include "engine/seams.h"
#include "platform/files.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

struct ResetArgs {
    std::string hostFolder;
    int reportRequest = 0;
    std::string ownCall;
    OleTime contestStart;
    OleTime contestEnd;
    std::string ownPrefix;
};

struct QsoArgs {
    std::string ownCall;
    std::string call;
    OleTime time;
    uint32_t frequencyHz = 0;
    std::string mode;
    std::string rstSent;
    std::string rstReceived;
    std::string exchSent;
    std::string exchReceived;
    std::string countryPrefix;
    std::string band;
};

struct CheckCallArgs {
    std::string call;
    std::string mode;
    std::string county;
    // The host may leave the band texts out; step 3 of the check needs to
    // know.
    std::optional<std::string> band;
    std::optional<std::string> secondBand;
};

std::string formatTime(const OleTime &time, const char *pattern);

// Log reset, split where the station-details step runs without the lock.
void resetBeforeStationDetails(EngineState &state, const ResetArgs &args);
// True when the UI thread is to be started; the caller starts it after
// releasing the lock.
bool resetAfterStationDetails(EngineState &state, const ResetArgs &args,
                              const CompanionUi &ui);
void markStationDetailsDone();

int addQso(EngineState &state, const QsoArgs &args);

// The intake in three steps, so that the bad-QSO file is written without
// the engine lock: addQso checks and stores the QSO and collects its
// problem lines; appendBadLines, which touches no engine state, appends
// them; finishAppend records the outcome.
struct BadFileAppend {
    std::string fileName;
    std::vector<std::string> lines;
    bool written = false;
    platform::AppendStamps stamps;
};
int addQso(EngineState &state, const QsoArgs &args, BadFileAppend &append);
void appendBadLines(BadFileAppend &append);
void finishAppend(EngineState &state, const BadFileAppend &append);
// A removal in three steps, so that the bad-QSO file is read and rewritten
// without the engine lock: removeFromStore takes the QSO out of the store
// and says which DUPE lines go with it; rewriteBadFile, which touches no
// engine state, rewrites the file; finishRemoval records the outcome and
// asks the companion windows to refresh. It always returns 1.
struct BadFileRewrite {
    std::string fileName;
    std::vector<std::string> staleDupeLines;
    bool read = false;
    bool written = false;
    int problemLines = 0;
    std::optional<platform::FileStamp> stamp;  // after the rewrite
};
BadFileRewrite removeFromStore(EngineState &state, const QsoArgs &args, CompanionUi &ui);
void rewriteBadFile(BadFileRewrite &rewrite, const QsoArgs &args);
int finishRemoval(EngineState &state, const BadFileRewrite &rewrite, CompanionUi &ui);
int checkCall(EngineState &state, const CheckCallArgs &args, CompanionUi &ui);
int isValidExchange(EngineState &state, const std::string &field, int index);

// A result in three steps, so that the INI file is written without the
// engine lock: scoreLog recomputes the score and puts the summary's head and
// band rows into state.resultText; writeClaimedScore records the score in
// the INI file; finishResult appends the summary's end and fills
// exportLines when a Cabrillo export was requested.
reports::ResultFigures scoreLog(EngineState &state);
bool writeClaimedScore(int32_t score);
void finishResult(EngineState &state, const reports::ResultFigures &totals,
                  bool claimedWritten, std::vector<CabrilloQso> &exportLines);

// The Cabrillo mode of a stored mode.
std::string cabrilloMode(const std::string &mode);

}  // namespace engine
