#include "engine/operations.h"

#include "engine/bad_file_tally.h"
#include "engine/bad_qso_file.h"
#include "engine/contest_rules.h"
#include "platform/files.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace engine {
namespace {

// Takes the record at index out of its group of copies (same call, band and
// mode, the intake's dupe rule) and returns the DUPE lines the file no longer
// needs, one entry per line: the record's own, one per earlier copy, and one
// of each later copy, which now repeats one QSO fewer. When the record was
// the copy that counted, the next copy counts in its place, so the log
// scores as a rescore of what remains would.
std::vector<std::string> leaveGroup(QsoStore &store, QsoStore::Slot slot) {
    const QsoRecord &leaving = store.at(slot);
    const std::string leavingLine(store.text(leaving.dupeLine));
    std::vector<std::string> stale;
    bool nextCounts = leaving.dupe == 0;
    bool before = true;
    for (QsoStore::Slot s : store.slotsOfCall(leaving.call)) {
        if (s == slot) {
            before = false;
            continue;
        }
        const QsoRecord &copy = store.at(s);
        if (copy.band != leaving.band || copy.mode != leaving.mode) continue;
        if (before) {
            if (!leavingLine.empty()) stale.push_back(leavingLine);
            continue;
        }
        if (copy.dupeLine != TextPool::kEmpty) stale.emplace_back(store.text(copy.dupeLine));
        if (nextCounts) {
            store.clearDupeAt(s);
            nextCounts = false;
        }
    }
    return stale;
}

using Searcher = std::boyer_moore_horspool_searcher<std::string::const_iterator>;

bool contains(std::string_view line, const Searcher &searcher) {
    return std::search(line.begin(), line.end(), searcher) != line.end();
}

// Drops the lines of this call at this minute, whether or not the QSO was
// stored, so refused QSOs are cleaned up too, and then one line for each
// entry of stale. An empty call or a time without a minute would match
// every line: then only stale lines go. The file's lines (after its
// header) are read from former and the kept ones written to the returned
// content, behind header; problemLines counts the kept refused and bad ones.
std::string keptContent(const std::string &former, const QsoArgs &args,
                        const std::vector<std::string> &stale, int &problemLines) {
    const bool filter = !args.call.empty() && args.time.status == HOST_DATETIME_VALID;
    const std::string timeKey = " " + formatTime(args.time, "%H%M") + " ";
    // Fields of a bad-QSO line are separated by two blanks, and the call is
    // never the first or last field: YO5A must not find YO5AB.
    const std::string callField = "  " + args.call + "  ";
    // Every line is full of double blanks: a plain search would stop at
    // each of them; this one skips ahead by the pattern's length.
    const Searcher callSearch(callField.begin(), callField.end());
    const Searcher timeSearch(timeKey.begin(), timeKey.end());
    // Counted by text: a QSO logged many times has many identical lines.
    std::unordered_map<std::string, int> toDrop;
    for (const std::string &line : stale) ++toDrop[line];
    std::string content = bad_qso_file::kRewrittenHeader;
    content += "\r\n";
    content.reserve(former.size() + 2);
    problemLines = 0;
    bool header = true;
    bad_qso_file::forEachLine(former, [&](std::string_view line) {
        if (header) {
            header = false;
            return;
        }
        if (filter && contains(line, callSearch) && contains(line, timeSearch)) return;
        if (!toDrop.empty()) {
            auto found = toDrop.find(std::string(line));
            if (found != toDrop.end() && found->second > 0) {
                --found->second;
                return;
            }
        }
        content.append(line.data(), line.size());
        content += "\r\n";
        if (!bad_qso_file::isDupeLine(line)) ++problemLines;
    });
    return content;
}

// A band leaves the summary with the last stored or refused QSO that names
// it, so an empty log shows no band at all. The county tracker's lists of a
// band row that no band name reaches any more are emptied.
void forgetUnusedBands(EngineState &state) {
    TextArray &bands = state.workedBands;
    bands.erase(std::remove_if(bands.begin(), bands.end(),
                               [&state](const std::string &band) {
                                   return state.refusedOnBand.count(band) == 0 &&
                                          state.store.countOnBand(band) == 0;
                               }),
                bands.end());
    for (int row = 0; row < 2; ++row) {
        const bool reached = std::any_of(bands.begin(), bands.end(), [row](const std::string &name) {
            return bandRow(name) == row;
        });
        if (!reached)
            for (TextArray &list : state.multipliers[row]) list.clear();
    }
}

// A QSO the store never took was refused; one of those on this band leaves.
void forgetRefused(EngineState &state, const std::string &band) {
    auto refused = state.refusedOnBand.find(band);
    if (refused == state.refusedOnBand.end()) return;
    if (--refused->second <= 0) state.refusedOnBand.erase(refused);
}

}  // namespace

BadFileRewrite removeFromStore(EngineState &state, const QsoArgs &args, CompanionUi &ui) {
    BadFileRewrite rewrite;
    rewrite.fileName = state.badQsoFileName;
    const QsoStore::Slot slot =
        state.store.findFirstSlot(args.call, args.band, args.mode, args.time);
    if (slot != QsoStore::kNoSlot) {
        if (args.countryPrefix == "YO") ui.resetCountyWindow();
        rewrite.staleDupeLines = leaveGroup(state.store, slot);
        state.store.removeSlot(slot);
    } else {
        forgetRefused(state, args.band);
    }
    forgetUnusedBands(state);
    return rewrite;
}

void rewriteBadFile(BadFileRewrite &rewrite, const QsoArgs &args) {
    // A file that cannot be read is left as it is, never replaced by its
    // header alone.
    std::string former;
    rewrite.read = bad_qso_file::readAll(rewrite.fileName, former);
    if (!rewrite.read) return;
    const std::string content =
        keptContent(former, args, rewrite.staleDupeLines, rewrite.problemLines);
    // A file that already holds these bytes is left alone: replacing it
    // makes the system write it out again, the slowest step by far.
    rewrite.written = content == former || platform::writeFileWhole(rewrite.fileName, content);
    if (rewrite.written) rewrite.stamp = stampOf(rewrite.fileName);
}

int finishRemoval(EngineState &state, const BadFileRewrite &rewrite, CompanionUi &ui) {
    if (rewrite.read) {
        state.badFileTally.known = rewrite.written;
        state.badFileTally.problemLines = rewrite.problemLines;
        state.badFileTally.stamp = rewrite.stamp;
        noteWrite(state, rewrite.fileName, rewrite.written);
    } else {
        state.badFileTally.known = false;
    }
    state.refreshPending = true;
    if (ui.isRunning()) ui.postRefresh();
    return 1;
}

}  // namespace engine
