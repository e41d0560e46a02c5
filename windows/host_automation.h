// The host's automation object as the UI thread uses it: found in the
// running-object table (never started by us), asked for the entry field's
// call, the mode and the frequency, and told to run macros. Every call is
// made on the thread that connected; a missing host makes every call a
// quiet no-op.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>

namespace ui {

class HostAutomation {
public:
    HostAutomation() = default;
    // Releases the host's interface, then COM for this thread.
    ~HostAutomation();
    HostAutomation(const HostAutomation &) = delete;
    HostAutomation &operator=(const HostAutomation &) = delete;

    // Initialises COM for the calling thread and looks the host up. True
    // when its object is running.
    bool connect();
    bool connected() const { return dispatch_ != nullptr; }

    // The host's texts in the system's 8-bit code page; none when the host
    // is missing or refused the call.
    std::optional<std::string> mode();
    std::optional<std::string> entryCall();
    std::optional<double> frequency();
    // False when the host is missing or refused the macro.
    bool runMacro(const std::string &macro);

private:
    HRESULT invoke(DISPID member, WORD flags, VARIANT *argument, VARIANT &result);
    std::optional<std::string> textOf(VARIANT &value);

    IDispatch *dispatch_ = nullptr;  // the UI thread's
    bool comInitialised_ = false;
};

}  // namespace ui
