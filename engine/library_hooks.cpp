// The library's load and unload reach the engine's application object
// directly where no window framework sits in between (the POSIX build; on
// Windows the framework's application object takes these calls).
#include "engine/plugin_app.h"
#include "platform/library_lifecycle.h"

namespace platform {
namespace {
void *loadedModule = nullptr;  // written once at load, before any call
}

void libraryAttached(void *module) {
    loadedModule = module;
    engine::theApp().InitInstance();
}

void libraryDetached(bool processEnding) {
    try {
        engine::theApp().ExitInstance(processEnding);
    } catch (...) {
    }
}

void *libraryModule() { return loadedModule; }

}  // namespace platform
