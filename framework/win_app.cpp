#include "framework/win_app.h"

#include <atomic>

namespace framework {
namespace {
// Written at load (or by a test program before it opens a dialog); read by
// any thread that loads a template.
std::atomic<HMODULE> resourceModule{nullptr};
}  // namespace

HMODULE ResourceModule() { return resourceModule.load(); }
void SetResourceModule(HMODULE module) { resourceModule.store(module); }

bool CWinApp::AttachLibrary(HMODULE module) {
    module_ = module;
    SetResourceModule(module);
    return InitInstance();
}

int CWinApp::DetachLibrary(bool processEnding) {
    processEnding_ = processEnding;
    return ExitInstance();
}

}  // namespace framework
