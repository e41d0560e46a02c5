// On POSIX the library's load and unload are its constructor and destructor.
#include "platform/library_lifecycle.h"

#include <dlfcn.h>

namespace {

__attribute__((constructor)) void onLoad() { platform::libraryAttached(nullptr); }

// The destructor runs at dlclose and at process exit alike; neither may
// hang, so the application object's bounded stop is what runs here.
__attribute__((destructor)) void onUnload() { platform::libraryDetached(false); }

}  // namespace

namespace platform {
namespace {
bool keptLoaded = false;  // the unloading thread's only
}

void keepLibraryLoaded() {
    keptLoaded = true;
    // A second, never closed reference that also survives dlclose.
    Dl_info self{};
    if (dladdr(reinterpret_cast<void *>(&keepLibraryLoaded), &self) != 0 && self.dli_fname != nullptr)
        dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

bool libraryKeptLoaded() { return keptLoaded; }

}  // namespace platform
