#include "controls/advanced_dialog.h"

#include "controls/advanced_edit.h"

#include <algorithm>

namespace controls {

CAdvancedDialog::CAdvancedDialog(int templateId, framework::CWnd *parent)
    : framework::CDialog(templateId, parent) {
    InheritColors(parent);
}

CAdvancedDialog::CAdvancedDialog(const std::string &templateName, framework::CWnd *parent)
    : framework::CDialog(templateName, parent) {
    InheritColors(parent);
}

CAdvancedDialog::~CAdvancedDialog() {
    LeaveParent();
    // Children that outlive us keep the colours they have and open without
    // an owner from now on.
    for (CAdvancedDialog *child : children_) {
        child->parentDialog_ = nullptr;
        if (child->GetParentWnd() == this) child->SetParentWnd(nullptr);
    }
    children_.clear();
}

void CAdvancedDialog::InheritColors(framework::CWnd *parent) {
    propagate_ = true;
    LeaveParent();
    CAdvancedDialog *dialog = framework::DynamicDowncast<CAdvancedDialog>(parent);
    if (dialog != nullptr && !IsSelfOrDescendant(dialog)) {
        CopyColors(*dialog);
        dialog->children_.push_back(this);
        parentDialog_ = dialog;
    } else {
        faceColor_ = kDefaultFace;
        textColor_ = kDefaultText;
    }
}

void CAdvancedDialog::CopyColors(const CAdvancedDialog &other) {
    faceColor_ = other.faceColor_;
    textColor_ = other.textColor_;
}

void CAdvancedDialog::Redraw() {
    if (GetSafeHwnd() != nullptr) RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (!propagate_) return;
    // By index: a child's repaint runs its message handlers, and the list
    // must stay valid even if one of them makes or drops a child dialog.
    for (std::size_t i = 0; i < children_.size(); ++i) {
        CAdvancedDialog *child = children_[i];
        child->CopyColors(*this);
        child->Redraw();
    }
}

HBRUSH CAdvancedDialog::OnCtlColor(framework::CDC &dc, framework::CWnd *control, UINT kind) {
    // The standard answer first: it also asks the control itself, and an
    // edit field with colours of its own answers there.
    HBRUSH standard = framework::CDialog::OnCtlColor(dc, control, kind);
    if (framework::DynamicDowncast<CAdvancedEdit>(control) != nullptr) return standard;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(textColor_);
    // Typed-in text and list entries stay on the system's white.
    if (kind == CTLCOLOR_EDIT || kind == CTLCOLOR_LISTBOX) return standard;
    background_.CreateSolidBrush(faceColor_);
    return background_;
}

void CAdvancedDialog::LeaveParent() {
    if (parentDialog_ == nullptr) return;
    std::vector<CAdvancedDialog *> &siblings = parentDialog_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parentDialog_ = nullptr;
}

bool CAdvancedDialog::IsSelfOrDescendant(const CAdvancedDialog *dialog) const {
    for (const CAdvancedDialog *d = dialog; d != nullptr; d = d->parentDialog_)
        if (d == this) return true;
    return false;
}

}  // namespace controls
