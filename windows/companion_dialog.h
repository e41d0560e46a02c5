// What the three companion windows have in common: the shared background
// colour, icon 105, no Close item, black text, and a position read from and
// saved to their own pair of INI keys in the one saved position.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "windows/refresh.h"
#include "windows/window_position.h"

#include <functional>

namespace ui {

constexpr COLORREF kWindowBackground = 0xC6FAFF;
// The refresh request, posted to the setup window with both parameters 0.
constexpr UINT kRefreshMessage = WM_USER + 500;
// Asks the setup window to reset the county tracker; posted before the
// refresh request that follows a removal.
constexpr UINT kResetTrackerMessage = WM_APP + 1;

// State of the UI thread that outlives any one setup window; only the UI
// thread touches it.
struct UiThreadState {
    companion::SavedPosition position;
    int onTop = 0;  // companion windows open topmost
    companion::RefreshState refresh;
};

// The plug-in's INI section, as the windows read and write it.
std::string readSetting(const char *key);
void writeSetting(const std::string &key, const std::string &value);

class CompanionDialog : public framework::CDialog {
public:
    // Called once the window is gone (from its last message); the object
    // may be deleted there.
    void SetOnDestroyed(std::function<void()> onDestroyed) { onDestroyed_ = std::move(onDestroyed); }

protected:
    CompanionDialog(int templateId, const companion::PositionKeys &keys, UiThreadState &shared);

    // Reads the position keys into the saved position and moves there,
    // keeping size and Z order.
    void MoveToSavedPosition();
    void MakeTopmost();
    // Background brush, icon 105, Close item disabled.
    void FinishFrame();

    HBRUSH OnCtlColor(framework::CDC &dc, framework::CWnd *control, UINT kind) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) override;
    void PostNcDestroy() override;

    UiThreadState &shared_;

private:
    void SavePosition();

    companion::PositionKeys keys_;
    framework::CBrush background_;
    std::function<void()> onDestroyed_;
};

}  // namespace ui
