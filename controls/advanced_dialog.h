// A dialog base that paints its background and static texts in its own face
// and text colours, takes its colours from a parent of the same kind, and
// passes every colour change on to its child dialogs, depth first.
//
// The parent and children point at each other; whichever goes first unhooks
// itself from the other side, so neither is ever left holding a dangling
// pointer. Used on the thread that owns the dialogs.
#pragma once

#include "controls/advanced_component.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

#include <windows.h>

#include <string>
#include <vector>

namespace controls {

class CAdvancedDialog : public framework::CDialog, public CAdvancedComponent {
public:
    static constexpr framework::CRuntimeClass runtimeClass{"CAdvancedDialog",
                                                           &framework::CDialog::runtimeClass};
    const framework::CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    // Colours of a dialog without a parent of its own kind (0x00BBGGRR).
    static constexpr COLORREF kDefaultFace = 0x0AFF50;
    static constexpr COLORREF kDefaultText = 0xFF0A14;

    CAdvancedDialog(int templateId, framework::CWnd *parent);
    CAdvancedDialog(const std::string &templateName, framework::CWnd *parent);
    ~CAdvancedDialog() override;
    CAdvancedDialog(const CAdvancedDialog &) = delete;
    CAdvancedDialog &operator=(const CAdvancedDialog &) = delete;

    // Joins parent when it is a CAdvancedDialog, taking its colours; else
    // the default colours and no parent. Leaves a parent joined before. A
    // parent that is this dialog or one of its descendants would loop the
    // colour propagation for ever, and counts as no parent.
    void InheritColors(framework::CWnd *parent);
    // Takes other's face and text colours without repainting.
    void CopyColors(const CAdvancedDialog &other);

    // Repaints at once, then hands the colours to every child, which
    // repaints and hands them on.
    void Redraw() override;

    CAdvancedDialog *GetParentDialog() const { return parentDialog_; }
    const std::vector<CAdvancedDialog *> &GetChildDialogs() const { return children_; }

protected:
    HBRUSH OnCtlColor(framework::CDC &dc, framework::CWnd *control, UINT kind) override;

private:
    void LeaveParent();
    bool IsSelfOrDescendant(const CAdvancedDialog *dialog) const;

    bool propagate_ = true;
    // Recreated on every colour request: the face may have changed since.
    framework::CBrush background_;
    CAdvancedDialog *parentDialog_ = nullptr;
    std::vector<CAdvancedDialog *> children_;  // in order of joining
};

}  // namespace controls
