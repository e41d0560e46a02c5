#include "windows/windows_app.h"

#include "engine/engine.h"
#include "platform/library_lifecycle.h"
#include "plugin/plugin_app.h"
#include "windows/cabrillo_dialog_win32.h"
#include "windows/companion_ui_win32.h"

namespace ui {

bool WindowsApp::InitInstance() {
    if (!framework::CWinApp::InitInstance()) return false;
    // The operator confirms the station details in a dialog.
    static CabrilloDialogEditor stationDetails;
    if (!plugin::theApp().InitInstance(stationDetails)) return false;
    // The companion windows on their own UI thread.
    engine::Engine::instance().setCompanionUi(&companionUi());
    return true;
}

int WindowsApp::ExitInstance() {
    plugin::theApp().ExitInstance(ProcessEnding());
    return framework::CWinApp::ExitInstance();
}

WindowsApp &theApp() {
    // Built with the library's other statics, before the loader reports
    // the load.
    static WindowsApp app;
    return app;
}

}  // namespace ui

// On Windows the library's load and unload reach the engine through the
// application object.
namespace platform {

void libraryAttached(void *module) {
    // A failure here must fail the load (DllMain turns the exception into
    // FALSE), not leave a half-built library behind.
    ui::theApp().AttachLibrary(static_cast<HMODULE>(module));
}

void libraryDetached(bool processEnding) {
    try {
        ui::theApp().DetachLibrary(processEnding);
    } catch (...) {
    }
}

void *libraryModule() { return ui::theApp().ModuleHandle(); }

}  // namespace platform
