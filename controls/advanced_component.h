// The colour mix-in shared by our custom-drawn controls: a face colour (the
// body, or the background of a dialog or edit field) and a text colour. A
// colour change always repaints, even when the colour is the one already
// shown, so a caller never has to know what is on screen.
#pragma once

#include <windows.h>

namespace controls {

class CAdvancedComponent {
public:
    // Store the colour, repaint at once; always true.
    virtual bool SetTextColor(COLORREF colour);
    virtual bool SetFaceColor(COLORREF colour);
    // Each control repaints itself its own way.
    virtual void Redraw() = 0;

    COLORREF GetFaceColor() const { return faceColor_; }
    COLORREF GetTextColor() const { return textColor_; }

protected:
    CAdvancedComponent() = default;
    // Not virtual and not public: a component is always owned as the control
    // it is mixed into, so deleting through a component pointer must not
    // compile.
    ~CAdvancedComponent() = default;
    CAdvancedComponent(const CAdvancedComponent &) = default;
    CAdvancedComponent &operator=(const CAdvancedComponent &) = default;

    COLORREF faceColor_ = 0;
    COLORREF textColor_ = 0;
};

}  // namespace controls
