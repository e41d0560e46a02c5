#include "controls/advanced_button.h"

#include "controls/drawn_ellipse.h"
#include "controls/drawn_rect.h"
#include "framework/text.h"

#include <memory>

namespace controls {

bool CAdvancedButton::AttachToDialogItem(int id, framework::CWnd *parent, COLORREF face,
                                         COLORREF text, COLORREF disabledText) {
    if (!SubclassDlgItem(id, parent)) return false;
    faceColor_ = face;
    textColor_ = text;
    disabledTextColor_ = disabledText;
    shape_ = kRectangle;
    return true;
}

bool CAdvancedButton::SetColors(COLORREF face, COLORREF text, COLORREF disabledText) {
    faceColor_ = face;
    textColor_ = text;
    disabledTextColor_ = disabledText;
    Redraw();
    return true;
}

void CAdvancedButton::SetShape(int shape) {
    shape_ = shape;
    Redraw();
}

void CAdvancedButton::Redraw() {
    // Without a window of our own the request would repaint the whole
    // desktop.
    if (GetSafeHwnd() == nullptr) return;
    RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CAdvancedButton::PreSubclassWindow() {
    // The type bits are a number, not flags: or-ing owner-draw into a radio
    // button or a three-state box would make another type, so the type is
    // replaced.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CAdvancedButton::DrawItem(const DRAWITEMSTRUCT &item) {
    std::unique_ptr<DrawnObject> shape;
    if (shape_ == kEllipse) {
        shape = std::make_unique<DrawnEllipse>();
    } else {
        shape = std::make_unique<DrawnRect>();
    }

    wchar_t caption[kMaxCaption + 1] = {};
    int length = ::GetWindowTextW(item.hwndItem, caption, kMaxCaption + 1);
    if (length < 0) length = 0;
    // A surrogate pair cut in two at the limit is no character at all.
    if (length == kMaxCaption && IS_HIGH_SURROGATE(caption[length - 1])) --length;

    framework::CDC dc(item.hDC);
    shape->Draw(dc, item.rcItem, item.itemState, faceColor_);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    shape->DrawLabel(dc, item.rcItem,
                     framework::Narrow(caption, static_cast<std::size_t>(length)),
                     disabled ? disabledTextColor_ : textColor_);
}

}  // namespace controls
