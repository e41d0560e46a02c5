#include "engine/operations.h"

#include "engine/bad_qso_file.h"

namespace engine {
namespace {

const char *const kRewrittenHeader = "MORVANTIA CONTEST UBN file  ";

}  // namespace

int removeQso(EngineState &state, const QsoArgs &args, CompanionUi &ui) {
    const int index = state.store.findFirst(args.call, args.band, args.mode, args.time);
    if (index >= 0) {
        if (args.countryPrefix == "YO") ui.resetCountyWindow();
        state.store.RemoveAt(index);
    }

    // Lines of this call at this minute go, whether or not the QSO was
    // stored, so refused QSOs are cleaned up too. An empty call or a time
    // without a minute would match every line: then nothing goes.
    const bool filter = !args.call.empty() && args.time.status == HOST_DATETIME_VALID;
    const std::string timeKey = " " + formatTime(args.time, "%H%M") + " ";
    std::vector<std::string> lines;
    std::vector<std::string> kept;
    // A file that cannot be read is left as it is, never replaced by its
    // header alone.
    const bool readable = bad_qso_file::readLines(state.badQsoFileName, lines);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (filter && line.find(args.call) != std::string::npos &&
            line.find(timeKey) != std::string::npos)
            continue;
        kept.push_back(line);
    }

    if (state.store.GetSize() == 0) {
        state.workedBands.clear();
        for (int row = 0; row < 2; ++row)
            for (TextArray &list : state.multipliers[row]) list.clear();
    }

    if (readable)
        noteWrite(state, state.badQsoFileName,
                  bad_qso_file::rewrite(state.badQsoFileName, kRewrittenHeader, kept));

    state.refreshPending = 1;
    if (ui.isRunning()) ui.postRefresh();
    return 1;
}

}  // namespace engine
