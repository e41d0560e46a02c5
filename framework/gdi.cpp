#include "framework/gdi.h"

namespace framework {

bool CIcon::Load(HMODULE module, int id, bool big) {
    // Not shared: a shared icon would stay cached in the system after our
    // module is unloaded; ours goes with the window that shows it.
    HICON icon = static_cast<HICON>(::LoadImageW(
        module, MAKEINTRESOURCEW(id), IMAGE_ICON, ::GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON),
        ::GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON), 0));
    if (icon == nullptr) return false;
    Reset();
    icon_ = icon;
    return true;
}

void CIcon::Reset() {
    if (icon_ != nullptr) ::DestroyIcon(icon_);
    icon_ = nullptr;
}

}  // namespace framework
