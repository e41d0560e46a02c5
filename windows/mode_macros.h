// The five operating modes of the setup window: which macros each sends to
// the host on a click and when the window opens, and which INI value it
// keeps.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace companion {

struct ModeButton {
    const char *name;  // the "Mode" INI value
    int controlId;
    std::vector<std::string> clickMacros;
    std::vector<std::string> openingMacros;
};

constexpr int kModeButtonCount = 5;
// In the setup window's member order: CW, SSB, BPSK31, BPSK63, BPSK125.
const std::vector<ModeButton> &modeButtons();

// The button restored when the window opens with this "Mode" value: CW for
// "CW" and for no value at all, none for a text that names no mode.
std::optional<int> openingMode(const std::string &iniMode);

// The button with this control id, or none.
std::optional<int> modeOfControl(int controlId);

}  // namespace companion
