// The library's load and unload reach the engine's application object
// directly where no window framework sits in between (the POSIX build; on
// Windows the framework's application object takes these calls).
#include "plugin/plugin_app.h"
#include "platform/library_lifecycle.h"

namespace platform {
namespace {
void *loadedModule = nullptr;  // written once at load, before any call
}

void libraryAttached(void *module) {
    loadedModule = module;
    // Without a screen to show the station details on, those loaded from
    // the INI file are taken as confirmed.
    static reports::ConfirmingEditor stationDetails;
    plugin::theApp().InitInstance(stationDetails);
}

void libraryDetached(bool processEnding) {
    try {
        plugin::theApp().ExitInstance(processEnding);
    } catch (...) {
    }
}

void *libraryModule() { return loadedModule; }

}  // namespace platform
