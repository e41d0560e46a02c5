// The plug-in's application object on every system: wires the engine up
// when the library is loaded and stops its UI thread when it is unloaded.
#pragma once

namespace engine {

class PluginApp {
public:
    virtual ~PluginApp() = default;
    virtual bool InitInstance();
    // Stops the UI thread (bounded) unless the process is ending.
    virtual int ExitInstance(bool processEnding);
};

PluginApp &theApp();

}  // namespace engine
