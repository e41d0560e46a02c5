// An edit field with its own colours: it answers the colour request that
// its dialog hands back to it, with a background of its face colour and its
// text colour, and by default a transparent text background.
#pragma once

#include "controls/advanced_component.h"
#include "framework/controls.h"
#include "framework/gdi.h"

#include <windows.h>

namespace controls {

class CAdvancedEdit : public framework::CEdit, public CAdvancedComponent {
public:
    static constexpr framework::CRuntimeClass runtimeClass{"CAdvancedEdit",
                                                           &framework::CEdit::runtimeClass};
    const framework::CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    // A new field is black on white, as a plain edit field looks, so that
    // taking one over changes nothing until colours are set.
    static constexpr COLORREF kInitialFace = RGB(255, 255, 255);
    static constexpr COLORREF kInitialText = RGB(0, 0, 0);

    CAdvancedEdit();

    // 1: text drawn on a transparent background; anything else: opaque, the
    // text cells filled with the face colour too. Repaints at once.
    void SetTransparent(int transparent);
    void SetTransparent() { SetTransparent(1); }
    int GetTransparent() const { return transparent_; }

    // Invalidates, erases and repaints the field before returning; nothing
    // before the field is attached.
    void Redraw() override;

    // The colour request handed back by the dialog.
    HBRUSH CtlColor(framework::CDC &dc, UINT kind) override;

private:
    int transparent_ = 1;
    // Recreated on every colour request: the face may have changed since.
    framework::CBrush background_;
};

}  // namespace controls
