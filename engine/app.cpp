#include "engine/app.h"

#include "engine/cabrillo_export.h"
#include "engine/engine.h"

#include <chrono>
#include <thread>

namespace engine {

CTestApp &theApp() {
    static CTestApp app;
    return app;
}

bool CTestApp::InitInstance() {
    // The one Cabrillo log of the library, with the system's way of showing
    // the station details.
    static reports::CabrilloLog cabrilloLog;
    static CabrilloLogExport cabrilloExport(cabrilloLog,
                                            reports::defaultStationDetailsEditor());
    Engine::instance().setCabrilloExport(&cabrilloExport);
    return true;
}

int CTestApp::ExitInstance(bool processEnding) {
    // When the process ends, the UI thread is already gone: nothing to wait
    // for, and waiting under the loader lock could hang the host.
    if (processEnding) return 0;
    CompanionUi &ui = Engine::instance().companionUi();
    if (!ui.threadAlive()) return 0;
    ui.stop();
    // Give the UI thread time to leave its last instructions in this library
    // (a handful after it said it is done). A thread that a loaded machine
    // does not schedule for longer than this would run on in the unloaded
    // library; 20 ms left too little margin there.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return 0;
}

}  // namespace engine
