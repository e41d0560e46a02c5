// A stand-in for the logging program's automation object, registered as
// "Vexa2.Application" in the running-object table, as the real program
// registers itself. It answers the members the plug-in reads (2 frequency,
// 7 mode, 8 with 5: the call in the entry field) with values the test sets,
// and records every macro text sent to member 16.
//
// Create it on a thread that has initialised COM as a single-threaded
// apartment and keeps pumping messages while other threads call it (the
// gui_probe waits do).
#pragma once

#include <windows.h>
#include <objbase.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace gui_test {

// Dispatch members of the host's automation object.
enum VexaMember : DISPID {
    kVexaFrequency = 2,
    kVexaMode = 7,
    kVexaGetField = 8,
    kVexaRunMacro = 16,
};
// Argument of member 8 that asks for the call in the entry field.
constexpr long kVexaEntryCall = 5;

// The running-object table and the ProgID are shared by every process on
// the desktop, and ctest runs test programs side by side: while one is held,
// no other process registers a stand-in. Hold one around a check that no
// host is running; FakeVexa holds one for its lifetime.
class VexaLock {
public:
    VexaLock();
    ~VexaLock();
    VexaLock(const VexaLock &) = delete;
    VexaLock &operator=(const VexaLock &) = delete;
    bool held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_ = false;
};

// COM for the test's own thread, which serves the stand-in's calls.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (ok_) ::CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_;
};

class FakeVexa {
public:
    FakeVexa();
    ~FakeVexa();
    FakeVexa(const FakeVexa &) = delete;
    FakeVexa &operator=(const FakeVexa &) = delete;

    // Registered in the running-object table (and the ProgID in the
    // registry); when false, error() says why.
    bool registered() const { return cookie_ != 0; }
    const std::string &error() const { return error_; }

    void setFrequency(double hertz);
    void setMode(const std::string &mode);
    void setEntryCall(const std::string &call);

    // Macro texts received through member 16, oldest first (UTF-8).
    std::vector<std::string> macros() const;
    void clearMacros();
    // How often each member was invoked.
    int calls(DISPID member) const;

    // The class id the ProgID names.
    static const CLSID &classId();

    struct State;

private:
    VexaLock lock_;
    std::shared_ptr<State> state_;
    IUnknown *object_ = nullptr;
    DWORD cookie_ = 0;
    std::string error_;
};

}  // namespace gui_test
