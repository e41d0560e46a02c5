// The one object that owns all contest state, and its lock.
#pragma once

#include "engine/engine_state.h"
#include "engine/operations.h"
#include "engine/seams.h"

#include <mutex>

namespace engine {

class Engine {
public:
    Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // The library's engine, built at load.
    static Engine &instance();

    unsigned setVersion();
    int resetStats(const ResetArgs &args);
    int addData(const QsoArgs &args);
    int removeData(const QsoArgs &args);
    // The result stays valid until the next call.
    const char *getResult(int *score);
    int checkCall(const CheckCallArgs &args);
    int isValidExchange(const std::string &field, int index);

    // Seams; null restores the do-nothing default. The objects must outlive
    // their use by the engine.
    void setCompanionUi(CompanionUi *ui);
    void setCabrilloExport(CabrilloExport *cabrillo);
    CompanionUi &companionUi();

    // Runs f on the state under the lock, for the UI thread and tests.
    template <class F>
    auto withState(F &&f) {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(state_);
    }

private:
    std::mutex mutex_;   // guards state_ and the seam pointers
    EngineState state_;  // guarded by mutex_
    CompanionUi defaultUi_;
    CabrilloExport defaultCabrillo_;
    CompanionUi *ui_;              // guarded by mutex_
    CabrilloExport *cabrillo_;     // guarded by mutex_
};

}  // namespace engine
