// The DLL's entry point: hands load and unload to the application object.
#include "platform/library_lifecycle.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    try {
        switch (reason) {
        case DLL_PROCESS_ATTACH:
            // No per-thread work here. The system ignores this request while
            // the static runtime's thread-local callbacks need the calls.
            ::DisableThreadLibraryCalls(module);
            platform::libraryAttached(module);
            break;
        case DLL_PROCESS_DETACH:
            // A non-null reserved pointer: the process is ending, not a
            // FreeLibrary. Its other threads are gone; nothing may be waited on.
            platform::libraryDetached(reserved != nullptr);
            break;
        default:
            break;
        }
    } catch (...) {
        // A library whose tables could not be built must not be used:
        // fail the load rather than answer from half-built state.
        return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
    }
    return TRUE;
}
