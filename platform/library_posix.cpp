// On POSIX the library's load and unload are its constructor and destructor.
#include "platform/library_lifecycle.h"

namespace {

__attribute__((constructor)) void onLoad() { platform::libraryAttached(nullptr); }

// The destructor runs at dlclose and at process exit alike; neither may
// hang, so the application object's bounded stop is what runs here.
__attribute__((destructor)) void onUnload() { platform::libraryDetached(false); }

}  // namespace
