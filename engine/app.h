// The library's application object: set up at load, torn down at unload.
#pragma once

namespace engine {

class CTestApp {
public:
    virtual ~CTestApp() = default;
    virtual bool InitInstance();
    // Stops the UI thread (bounded) unless the process is ending.
    virtual int ExitInstance(bool processEnding);
};

CTestApp &theApp();

}  // namespace engine
