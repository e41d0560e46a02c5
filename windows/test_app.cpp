#include "windows/test_app.h"

#include "engine/app.h"
#include "engine/engine.h"
#include "platform/library_lifecycle.h"
#include "windows/companion_ui_win32.h"

namespace ui {

bool CTestApp::InitInstance() {
    if (!framework::CWinApp::InitInstance()) return false;
    if (!engine::theApp().InitInstance()) return false;
    // The companion windows on their own UI thread.
    engine::Engine::instance().setCompanionUi(&companionUi());
    return true;
}

int CTestApp::ExitInstance() {
    engine::theApp().ExitInstance(ProcessEnding());
    return framework::CWinApp::ExitInstance();
}

CTestApp &theApp() {
    // Built with the library's other statics, before the loader reports
    // the load.
    static CTestApp app;
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
