// The coloured push button of the companion windows: a template's control
// taken over and turned owner-drawn, painted by a rectangle or an ellipse
// shape in run-time face and text colours. Clicks stay the control's own.
#pragma once

#include "controls/advanced_component.h"
#include "framework/controls.h"

#include <windows.h>

namespace controls {

class CAdvancedButton : public framework::CButton, public CAdvancedComponent {
public:
    static constexpr framework::CRuntimeClass runtimeClass{"CAdvancedButton",
                                                           &framework::CButton::runtimeClass};
    const framework::CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    // The shape selector's values; anything but kEllipse draws a rectangle.
    static constexpr int kRectangle = 0;
    static constexpr int kEllipse = 1;
    // The longest caption shown, in characters.
    static constexpr int kMaxCaption = 511;

    // Colours start at black until attached or set.
    CAdvancedButton() = default;

    // Takes over parent's control id with these colours, as a rectangle,
    // without repainting. False, with nothing changed, when parent has no
    // such control or this button already holds one.
    bool AttachToDialogItem(int id, framework::CWnd *parent, COLORREF face, COLORREF text,
                            COLORREF disabledText);
    // Each repaints at once; SetColors is always true.
    bool SetColors(COLORREF face, COLORREF text, COLORREF disabledText);
    void SetShape(int shape);

    int GetShape() const { return shape_; }
    COLORREF GetDisabledTextColor() const { return disabledTextColor_; }

    // Invalidates, erases and repaints the whole button before returning;
    // nothing before the button is attached.
    void Redraw() override;

    void DrawItem(const DRAWITEMSTRUCT &item) override;

protected:
    // The control becomes owner-drawn before the take-over, so that its
    // very next paint already comes to DrawItem.
    void PreSubclassWindow() override;

private:
    COLORREF disabledTextColor_ = 0;
    int shape_ = kRectangle;
};

}  // namespace controls
