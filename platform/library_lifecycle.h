// Load and unload of the plug-in library, as the operating system reports
// them. The engine defines these; the platform's entry code calls them.
#pragma once

namespace platform {

// The library was loaded; module is the OS handle of the library (or null).
void libraryAttached(void *module);
// The library is being unloaded. processEnding: the whole process is going
// away, other threads are already gone and nothing may be waited for.
void libraryDetached(bool processEnding);

// The module handle passed at load, for loading resources.
void *libraryModule();

// Keeps the library mapped, its statics intact, until the process ends: for
// an unload that could not stop a thread still running the library's code.
void keepLibraryLoaded();
// True once keepLibraryLoaded() was called.
bool libraryKeptLoaded();

}  // namespace platform
