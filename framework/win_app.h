// The application object of a library built on this framework, driven by
// the library's load and unload, and the module that dialogs and icons are
// loaded from.
#pragma once

#include "framework/object.h"

#include <windows.h>

namespace framework {

// Where templates and icons come from: the library's own module once it is
// attached. A program that shows the library's templates sets it to the
// loaded library.
HMODULE ResourceModule();
void SetResourceModule(HMODULE module);

class CWinApp : public CObject {
public:
    static constexpr CRuntimeClass runtimeClass{"CWinApp", &CObject::runtimeClass};
    const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    CWinApp() = default;
    ~CWinApp() override = default;
    CWinApp(const CWinApp &) = delete;
    CWinApp &operator=(const CWinApp &) = delete;

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }

    // The library was loaded: remembers the module and runs InitInstance.
    bool AttachLibrary(HMODULE module);
    // The library is being unloaded; processEnding: the process is going
    // away and no other thread may be waited for. Runs ExitInstance.
    int DetachLibrary(bool processEnding);

    HMODULE ModuleHandle() const { return module_; }
    // True during ExitInstance when the process is ending.
    bool ProcessEnding() const { return processEnding_; }

private:
    HMODULE module_ = nullptr;   // written at load, read-only afterwards
    bool processEnding_ = false; // written at unload
};

}  // namespace framework
