#include "controls/advanced_edit.h"

namespace controls {

CAdvancedEdit::CAdvancedEdit() {
    faceColor_ = kInitialFace;
    textColor_ = kInitialText;
}

void CAdvancedEdit::SetTransparent(int transparent) {
    transparent_ = transparent;
    Redraw();
}

void CAdvancedEdit::Redraw() {
    if (GetSafeHwnd() == nullptr) return;
    RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH CAdvancedEdit::CtlColor(framework::CDC &dc, UINT) {
    dc.SetBkMode(transparent_ == 1 ? TRANSPARENT : OPAQUE);
    // Opaque text cells in the face colour: the text then sits on the
    // field's own background, never on a stray system colour.
    dc.SetBkColor(faceColor_);
    dc.SetTextColor(textColor_);
    background_.CreateSolidBrush(faceColor_);
    return background_;
}

}  // namespace controls
