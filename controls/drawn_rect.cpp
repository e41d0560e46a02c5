#include "controls/drawn_rect.h"

#include <cstdlib>

namespace controls {

void DrawnRect::Draw(framework::CDC &dc, RECT rect, UINT state, COLORREF face) {
    Fill(dc, rect, face);
    DrawEdge(dc, rect, 2);
    // A pressed button without the focus keeps its raised look: the buttons
    // are pressed by the program to show a state, not only by the mouse.
    if ((state & kFocus) == 0) return;
    if ((state & kSelected) != 0) DrawEdge(dc, rect, -1);
    Shrink(rect, 2);
    DrawFocus(dc, rect, face);
}

COLORREF DrawnRect::RingColour(int index, int rings, bool light) {
    if (rings == 1) return light ? RGB(255, 255, 255) : RGB(128, 128, 128);
    const int level = light ? 63 / (index + 1) + 192 : 255 / (index + 2);
    return PALETTERGB(level, level, level);
}

void DrawnRect::DrawEdge(framework::CDC &dc, RECT rect, int depth) {
    const int rings = std::abs(depth);
    for (int i = 0; i < rings; ++i) {
        const COLORREF light = RingColour(i, rings, true);
        const COLORREF dark = RingColour(i, rings, false);
        if (depth > 0) {
            dc.Draw3dRect(rect, light, dark);
        } else {
            dc.Draw3dRect(rect, dark, light);
        }
        Shrink(rect, 1);
    }
}

void DrawnRect::Fill(framework::CDC &dc, RECT rect, COLORREF colour) {
    dc.FillSolidRect(rect, colour);
}

void DrawnRect::DrawFocus(framework::CDC &dc, RECT rect, COLORREF) {
    // The system normalises an inverted rectangle and would frame pixels
    // outside the button: a button too small for a frame gets none.
    if (IsEmpty(rect)) return;
    dc.DrawFocusRect(rect);
}

}  // namespace controls
