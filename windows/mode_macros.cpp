#include "windows/mode_macros.h"

#include "resources/resource.h"

namespace companion {

const std::vector<ModeButton> &modeButtons() {
    // CW's rate macro goes out only when the mode is restored at opening.
    static const std::vector<ModeButton> buttons{
        {"CW", IDC_SETUP_CW, {"<MODE:CW>"}, {"<MODE:CW>", "<BAUDRATE:27>"}},
        {"SSB", IDC_SETUP_SSB, {"<MODE:SSB>"}, {"<MODE:SSB>"}},
        {"BPSK31", IDC_SETUP_BPSK31, {"<MODE:BPSK31>"}, {"<MODE:BPSK31>"}},
        {"BPSK63", IDC_SETUP_BPSK63, {"<MODE:BPSK31>", "<BAUDRATE:63>"},
         {"<MODE:BPSK31>", "<BAUDRATE:63>"}},
        {"BPSK125", IDC_SETUP_BPSK125, {"<MODE:BPSK31>", "<BAUDRATE:125>"},
         {"<MODE:BPSK31>", "<BAUDRATE:125>"}},
    };
    return buttons;
}

std::optional<int> openingMode(const std::string &iniMode) {
    if (iniMode.empty()) return 0;
    const std::vector<ModeButton> &buttons = modeButtons();
    for (int i = 0; i < kModeButtonCount; ++i)
        if (iniMode == buttons[static_cast<std::size_t>(i)].name) return i;
    return std::nullopt;
}

std::optional<int> modeOfControl(int controlId) {
    const std::vector<ModeButton> &buttons = modeButtons();
    for (int i = 0; i < kModeButtonCount; ++i)
        if (buttons[static_cast<std::size_t>(i)].controlId == controlId) return i;
    return std::nullopt;
}

}  // namespace companion
