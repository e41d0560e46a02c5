#include "plugin/plugin_app.h"

#include "engine/engine.h"
#include "plugin/cabrillo_export.h"
#include "platform/library_lifecycle.h"

namespace plugin {

using engine::CompanionUi;
using engine::Engine;

PluginApp &theApp() {
    static PluginApp app;
    return app;
}

bool PluginApp::InitInstance(reports::StationDetailsEditor &stationDetails) {
    // The one Cabrillo log of the library.
    static reports::CabrilloLog cabrilloLog;
    static CabrilloLogExport cabrilloExport(cabrilloLog, stationDetails);
    Engine::instance().setCabrilloExport(&cabrilloExport);
    return true;
}

int PluginApp::ExitInstance(bool processEnding) {
    // When the process ends, the UI thread is already gone: nothing to wait
    // for, and waiting under the loader lock could hang the host.
    if (processEnding) return 0;
    CompanionUi &ui = Engine::instance().companionUi();
    if (!ui.threadAlive()) return 0;
    // A UI thread that did not end by the stop's deadline may still run
    // this library's code: unmapping it would crash the host, so the
    // library stays loaded (and whole) for the rest of the process.
    if (!ui.stop()) platform::keepLibraryLoaded();
    return 0;
}

}  // namespace plugin
