// The plug-in's application object on Windows: the framework's application
// object, doing at load and unload what the engine's application object
// does on every system.
#pragma once

#include "framework/win_app.h"

namespace ui {

class WindowsApp : public framework::CWinApp {
public:
    static constexpr framework::CRuntimeClass runtimeClass{"WindowsApp",
                                                             &framework::CWinApp::runtimeClass};
    const framework::CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    bool InitInstance() override;
    // Stops the UI thread (bounded, and not at all when the process is
    // ending), then the framework's own exit.
    int ExitInstance() override;
};

// The one application object of the library.
WindowsApp &theApp();

}  // namespace ui
