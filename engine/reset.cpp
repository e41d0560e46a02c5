#include "engine/contest_rules.h"
#include "engine/operations.h"

#include "engine/bad_file_tally.h"
#include "engine/bad_qso_file.h"
#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace engine {
namespace {

const char *const kHostIni = "Vexa2.ini";

// Host versions that never get the companion windows.
const char *const kVersionsWithoutUi[] = {"2.18", "2.17", "2.16",
                                          "2.15", "2.14", "2.14R"};

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

void readHostVersion(EngineState &state, const std::string &hostFolder) {
    bool found = false;
    for (const std::string &name : platform::findFiles(hostFolder + "*.ini")) {
        if (name.find(kHostIni) != std::string::npos) {
            found = true;
            break;
        }
    }
    if (!found) {
        state.hostVersion = "Vexa";
        return;
    }
    std::unique_ptr<std::FILE, FileCloser> file(platform::openFile(kHostIni, "rb"));
    if (!file) return;
    std::string line;
    int c;
    bool more = true;
    while (more) {
        line.clear();
        while ((c = std::fgetc(file.get())) != EOF && c != '\n') line += static_cast<char>(c);
        more = c != EOF;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find("Vexa=") != std::string::npos) {
            state.hostVersion = line.size() > 5 ? line.substr(5) : std::string();
            return;
        }
    }
}

int readStartMarker() {
    const std::string text = platform::readProfileString(kIniSection, "Start", "",
                                                          kPluginIni);
    return std::atoi(text.c_str());
}

}  // namespace

std::string formatTime(const OleTime &time, const char *pattern) {
    const HostDateTime host = time.toHost();
    return platform::formatDateTime(&host, pattern);
}

void resetBeforeStationDetails(EngineState &state, const ResetArgs &args) {
    state.contestStart = args.contestStart;
    state.contestEnd = args.contestEnd;
    state.contestYear = formatTime(args.contestStart, "%Y");
    state.contestDate = formatTime(args.contestEnd, "%d.%m.%Y");
    readHostVersion(state, args.hostFolder);
    state.store.RemoveAll();
    state.workedBands.clear();
    state.refusedOnBand.clear();
    state.unwrittenFiles.clear();
    state.myCode = platform::readProfileString(kIniSection, "My_Country", "",
                                               kPluginIni);
    state.ownPrefix = args.ownPrefix;
    state.contestant = args.ownCall;
    if (isRussianSpeaking(args.ownPrefix)) state.russianUi = true;
    for (int row = 0; row < 2; ++row) {
        TextArray &cells = state.previousQsoRows[row];
        cells.clear();
        cells.push_back(bandRules().GetAt(row));
        cells.insert(cells.end(), 5, "-");
    }
    state.exportRequested = args.reportRequest != 0;
    // A lock left by a five-character number field must not outlive the log
    // it was typed in, or every later code field would be refused.
    state.secondFieldLock = false;
}

void markStationDetailsDone() {
    platform::writeProfileString(kIniSection, "Start", "1", kPluginIni);
}

bool resetAfterStationDetails(EngineState &state, const ResetArgs &args,
                              const CompanionUi &ui) {
    bool startUi = false;
    if (readStartMarker() != 0) {
        noteWrite(state, kPluginIni,
                  platform::writeProfileString(kIniSection, "Start", "0", kPluginIni));
    } else if (!ui.isRunning()) {
        startUi = true;
        for (const char *version : kVersionsWithoutUi)
            if (state.hostVersion == version) startUi = false;
        noteWrite(state, kPluginIni,
                  platform::writeProfileString(kIniSection, "Start", "1", kPluginIni));
    }

    state.badQsoFileName = contract::badQsoFileName(
        formatTime(args.contestEnd, contract::kBadQsoDatePattern));
    const bool created = bad_qso_file::create(state.badQsoFileName, bad_qso_file::kHeader);
    tallyAfterRewrite(state.badFileTally, state.badQsoFileName, created, 0);
    noteWrite(state, state.badQsoFileName, created);
    return startUi;
}

}  // namespace engine
