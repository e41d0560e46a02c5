#include "windows/companion_dialog.h"

#include "engine/engine_state.h"
#include "platform/profile.h"
#include "resources/resource.h"

namespace ui {

std::string readSetting(const char *key) {
    return platform::readProfileString(engine::kIniSection, key, "", engine::kPluginIni);
}

void writeSetting(const std::string &key, const std::string &value) {
    platform::writeProfileString(engine::kIniSection, key, value, engine::kPluginIni);
}

CompanionDialog::CompanionDialog(int templateId, const companion::PositionKeys &keys,
                                 UiThreadState &shared)
    : framework::CDialog(templateId), shared_(shared), keys_(keys) {}

void CompanionDialog::MoveToSavedPosition() {
    shared_.position = companion::positionFromIni(readSetting(keys_.x), readSetting(keys_.y));
    SetWindowPos(nullptr, shared_.position.x, shared_.position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CompanionDialog::MakeTopmost() {
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CompanionDialog::FinishFrame() {
    background_.CreateSolidBrush(kWindowBackground);
    SetIconFromResource(IDI_MORVANTIA, true);
    if (HMENU menu = GetSystemMenu(false))
        ::EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

HBRUSH CompanionDialog::OnCtlColor(framework::CDC &dc, framework::CWnd *, UINT) {
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(kWindowBackground);
    return background_.Get();
}

bool CompanionDialog::OnMessage(UINT message, WPARAM, LPARAM, LRESULT &) {
    if (message == WM_SETCURSOR) SavePosition();
    // The message still gets its default handling.
    return false;
}

void CompanionDialog::SavePosition() {
    RECT rect;
    if (!GetWindowRect(rect)) return;
    for (const auto &[key, value] :
         companion::positionWrites(shared_.position, keys_, rect.left, rect.top))
        writeSetting(key, value);
}

void CompanionDialog::PostNcDestroy() {
    // The callback may delete this object: nothing of it is used after.
    std::function<void()> onDestroyed = std::move(onDestroyed_);
    if (onDestroyed) onDestroyed();
}

}  // namespace ui
