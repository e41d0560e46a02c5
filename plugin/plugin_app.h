// The plug-in's application object on every system: wires the engine up
// when the library is loaded and stops its UI thread when it is unloaded.
#pragma once

#include "reports/cabrillo_log.h"

namespace plugin {

class PluginApp {
public:
    virtual ~PluginApp() = default;
    // stationDetails is this system's way of showing the Cabrillo header
    // fields to the operator before an export; it lives as long as the
    // library.
    virtual bool InitInstance(reports::StationDetailsEditor &stationDetails);
    // Stops the UI thread (bounded) unless the process is ending.
    virtual int ExitInstance(bool processEnding);
};

PluginApp &theApp();

}  // namespace plugin
