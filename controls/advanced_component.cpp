#include "controls/advanced_component.h"

namespace controls {

bool CAdvancedComponent::SetTextColor(COLORREF colour) {
    textColor_ = colour;
    Redraw();
    return true;
}

bool CAdvancedComponent::SetFaceColor(COLORREF colour) {
    faceColor_ = colour;
    Redraw();
    return true;
}

}  // namespace controls
