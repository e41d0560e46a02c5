// Keeps the count of problem lines of the bad-QSO file in step with what the
// engine writes, so a result need not read the file back. Any write by
// someone else changes the file's stamp and sends the next count back to
// the file itself.
#pragma once

#include "engine/bad_qso_file.h"
#include "engine/engine_state.h"
#include "platform/files.h"

namespace engine {

inline std::optional<platform::FileStamp> stampOf(const std::string &fileName) {
    return platform::fileStamp(platform::nativePath(fileName));
}

// After appending lines that hold added problem lines: the count holds
// only if the append found the file as the engine last left it.
inline void tallyAfterAppend(BadFileTally &tally, bool written,
                             const platform::AppendStamps &stamps, int added) {
    if (!written || !tally.known || !stamps.before || stamps.before != tally.stamp ||
        !stamps.after) {
        tally.known = false;
        return;
    }
    tally.problemLines += added;
    tally.stamp = stamps.after;
}

// After writing the whole file anew with count problem lines.
inline void tallyAfterRewrite(BadFileTally &tally, const std::string &fileName, bool written,
                              int count) {
    tally.known = written;
    tally.problemLines = count;
    if (written) tally.stamp = stampOf(fileName);
}

// The count of the file as it stands now.
inline int problemLines(BadFileTally &tally, const std::string &fileName) {
    // The stamp is taken before reading: a write during the read leaves a
    // stamp that differs next time, never a stale count that looks current.
    const std::optional<platform::FileStamp> stamp = stampOf(fileName);
    if (tally.known && stamp == tally.stamp) return tally.problemLines;
    tally.problemLines = bad_qso_file::countProblemLines(fileName);
    tally.stamp = stamp;
    tally.known = true;
    return tally.problemLines;
}

}  // namespace engine
