#include "engine/engine.h"

#include "platform/message_box.h"

namespace engine {

Engine::Engine() : ui_(&defaultUi_), cabrillo_(&defaultCabrillo_) {}

Engine &Engine::instance() {
    static Engine engine;
    return engine;
}

void Engine::setCompanionUi(CompanionUi *ui) {
    std::lock_guard<std::mutex> lock(mutex_);
    ui_ = ui != nullptr ? ui : &defaultUi_;
}

void Engine::setCabrilloExport(CabrilloExport *cabrillo) {
    std::lock_guard<std::mutex> lock(mutex_);
    cabrillo_ = cabrillo != nullptr ? cabrillo : &defaultCabrillo_;
}

CompanionUi &Engine::companionUi() {
    std::lock_guard<std::mutex> lock(mutex_);
    return *ui_;
}

unsigned Engine::setVersion() {
    std::lock_guard<std::mutex> lock(mutex_);
    state_.htmlResult = true;
    return 0;
}

int Engine::resetStats(const ResetArgs &args) {
    CabrilloExport *cabrillo;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        resetBeforeStationDetails(state_, args);
        cabrillo = cabrillo_;
    }
    if (args.reportRequest != 0) {
        // The station-details dialog is modal: never hold the lock across it.
        cabrillo->editStationDetails(args.ownCall, args.contestStart,
                                     args.contestEnd);
        markStationDetailsDone();
    }
    CompanionUi *ui;
    bool startUi;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        startUi = resetAfterStationDetails(state_, args, *ui_);
        ui = ui_;
    }
    // Starting may first stop a running UI thread, which sends its windows
    // WM_CLOSE: their handlers take the lock, so it must be free here.
    if (startUi) ui->start();
    return 1;
}

int Engine::addData(const QsoArgs &args) {
    BadFileAppend append;
    int result;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        result = addQso(state_, args, append);
    }
    if (append.lines.empty()) return result;
    // As for a removal: the file is written by the host's thread alone, and
    // the companion windows need not wait for it.
    appendBadLines(append);
    std::lock_guard<std::mutex> lock(mutex_);
    finishAppend(state_, append);
    return result;
}

int Engine::removeData(const QsoArgs &args) {
    BadFileRewrite rewrite;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rewrite = removeFromStore(state_, args, *ui_);
    }
    // Replacing the file may wait for the disk; the companion windows do not
    // wait with it. Only the host's thread writes the file, one entry point
    // at a time, so nothing else changes it meanwhile.
    rewriteBadFile(rewrite, args);
    std::lock_guard<std::mutex> lock(mutex_);
    return finishRemoval(state_, rewrite, *ui_);
}

int Engine::checkCall(const CheckCallArgs &args) {
    std::lock_guard<std::mutex> lock(mutex_);
    return engine::checkCall(state_, args, *ui_);
}

int Engine::isValidExchange(const std::string &field, int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    return engine::isValidExchange(state_, field, index);
}

const char *Engine::getResult(int *score) {
    std::vector<CabrilloQso> exportLines;
    CabrilloExport *cabrillo;
    int claimed;
    std::string hostVersion;
    const char *text;
    reports::ResultFigures totals;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        totals = scoreLog(state_);
    }
    // The INI file is read and written whole, and the system may wait for
    // the disk when the new file replaces the old: the companion windows
    // must not wait for that. Only this entry point, on the host's thread,
    // changes resultText, so it stays as it was left.
    const bool claimedWritten = writeClaimedScore(totals.score);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finishResult(state_, totals, claimedWritten, exportLines);
        claimed = totals.score;
        if (score != nullptr) *score = claimed;
        cabrillo = cabrillo_;
        hostVersion = state_.hostVersion;
        text = state_.resultText.c_str();
        if (!state_.exportRequested) return text;
    }
    // Writing the log and telling the user about it happen outside the
    // lock: the message box is modal. resultText is only ever changed by
    // this entry point, on the host's thread.
    for (const CabrilloQso &qso : exportLines) cabrillo->addQsoLine(qso);
    if (std::optional<CabrilloExport::Outcome> outcome =
            cabrillo->writeLog(claimed, hostVersion)) {
        platform::showMessage(outcome->message, "Output",
                              platform::MessageIcon::Information);
        // -1 tells the host a log was written; a failed write leaves the
        // score in place, so the failure is not reported as success.
        if (outcome->written && score != nullptr) *score = -1;
    }
    return text;
}

}  // namespace engine
