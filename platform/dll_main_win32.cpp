// The DLL's entry points: hand load and unload to the application object.
#include "platform/library_lifecycle.h"

#include <windows.h>

#include <atomic>

namespace {
// Set by an unload that could not stop the UI thread in time.
std::atomic<bool> keptLoaded{false};
}  // namespace

namespace platform {

void keepLibraryLoaded() {
    HMODULE self = nullptr;
    // Pinned: no later FreeLibrary, the host's included, unmaps the code
    // that the late thread may still run.
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&keepLibraryLoaded), &self);
    keptLoaded = true;
}

bool libraryKeptLoaded() { return keptLoaded.load(); }

}  // namespace platform

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    (void)reserved;
    try {
        if (reason == DLL_PROCESS_ATTACH) {
            // No per-thread work here. The system ignores this request while
            // the static runtime's thread-local callbacks need the calls.
            ::DisableThreadLibraryCalls(module);
            platform::libraryAttached(module);
        }
    } catch (...) {
        // A library whose tables could not be built must not be used:
        // fail the load rather than answer from half-built state.
        return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
    }
    return TRUE;
}

// The runtime's own entry point, which builds the statics, calls DllMain
// and, at unload, destroys the statics.
extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE module, DWORD reason, LPVOID reserved);

// The DLL's entry point (the linker's --entry). An unload stops the UI
// thread before the runtime destroys anything; when that thread could not
// be stopped in time the library stays loaded, and its statics must then
// stay whole too, so the runtime's unload step is skipped.
extern "C" BOOL WINAPI MorvantiaDllStartup(HANDLE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) {
        // A non-null reserved pointer: the process is ending, not a
        // FreeLibrary. Its other threads are gone; nothing may be waited on.
        platform::libraryDetached(reserved != nullptr);
        if (platform::libraryKeptLoaded()) return TRUE;
    }
    return DllMainCRTStartup(module, reason, reserved);
}
