// The setup window: the UI thread's modal dialog. It switches the host's
// mode, opens and closes the two companion windows, takes the operator's own
// code, and runs the refresh on message 1524.
#pragma once

#include "controls/advanced_button.h"
#include "windows/companion_dialog.h"
#include "windows/companion_texts.h"
#include "windows/county_window.h"
#include "windows/host_automation.h"
#include "windows/mode_macros.h"
#include "windows/previous_qso_window.h"

#include <array>
#include <string>
#include <vector>

namespace ui {

class CompanionUiWin32;

class Setup : public CompanionDialog {
public:
    explicit Setup(CompanionUiWin32 &ui);
    // Destroys the companion windows still open, on this thread.
    ~Setup() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(framework::CDataExchange &dx) override;
    // Enter does nothing; Escape and WM_CLOSE end the modal loop.
    void OnOK() override {}
    bool OnCommand(int id, int notifyCode, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) override;
    void PostNcDestroy() override;

private:
    void InitOwnCode();
    void InitLabels();
    void SelectMode(int index);
    void SendMacros(const std::vector<std::string> &macros);
    void OnModeClicked(int index);
    void OnPreviousQsoClicked();
    void OnCountyTrackerClicked();
    void OnOnTopClicked();
    void OnCountyChosen();
    void OnCountryTyped();
    void OnRefresh();
    void OnResetTracker();

    // Creates and shows a companion window kept in slot, published to the
    // host's thread; the window clears both when it is gone.
    template <class Window>
    Window *OpenCompanion(Window *&slot, void (CompanionUiWin32::*publish)(HWND));
    void OpenPreviousQso(companion::PreviousQsoCaption caption);
    void OpenCountyTracker();
    void ClosePreviousQso();
    void CloseCountyTracker();
    void PostRefresh();
    void SetMyCode(const std::string &code);

    CompanionUiWin32 &ui_;
    // Copied from the engine when the window opens.
    bool russian_ = false;
    std::string contestYear_;
    std::string ownPrefix_;

    std::string county_;   // drop-down 137 (UTF-8, as the control holds it)
    std::array<controls::CAdvancedButton, companion::kModeButtonCount> modeButtons_;
    int viewPreviousQso_ = 0;   // check box 136
    int showCountyTracker_ = 0; // check box 135
    int windowOnTop_ = 0;       // check box 141
    std::string country_;  // field 148 (UTF-8)
    bool initialising_ = false;

    HostAutomation host_;
    // Open companion windows; each clears its pointer when it is gone.
    Prev_QSO *previousQso_ = nullptr;
    Yo_county *countyTracker_ = nullptr;
};

}  // namespace ui
