#include "controls/drawn_ellipse.h"

#include "framework/gdi.h"

namespace controls {

void DrawnEllipse::Draw(framework::CDC &dc, RECT rect, UINT state, COLORREF face) {
    RECT r = rect;
    Shrink(r, 1);
    DrawEdge(dc, r, 2);
    Shrink(r, 1);
    Fill(dc, r, face);
    if ((state & kFocus) == 0) return;
    if ((state & kSelected) != 0) {
        // Pressed: a doubled dark outline over the grey one.
        Shrink(r, -1);
        DrawEdge(dc, r, -1);
        Shrink(r, 1);
        DrawEdge(dc, r, -1);
    }
    Fill(dc, r, face);
    Shrink(r, 2);
    DrawFocus(dc, r, face);
    // The focus ring filled its inside with the current brush: the face
    // goes back in.
    Shrink(r, 1);
    Fill(dc, r, face);
}

void DrawnEllipse::DrawEdge(framework::CDC &dc, RECT rect, int depth) {
    // An inverted rectangle would be normalised and drawn outside the
    // button.
    if (IsEmpty(rect)) return;
    framework::CPen pen(PS_SOLID, 2, depth < 0 ? kSunkenOutline : kOutline);
    framework::ScopedSelect selected(dc, pen);
    dc.Ellipse(rect);
}

void DrawnEllipse::Fill(framework::CDC &dc, RECT rect, COLORREF colour) {
    if (IsEmpty(rect)) return;
    framework::CPen pen(PS_SOLID, 3, colour);
    framework::ScopedSelect selected(dc, pen);
    while (!IsEmpty(rect)) {
        Shrink(rect, 1);
        dc.Ellipse(rect);
    }
}

void DrawnEllipse::DrawFocus(framework::CDC &dc, RECT rect, COLORREF colour) {
    if (IsEmpty(rect)) return;
    framework::CPen pen(PS_DOT, 1, kFocusDots);
    framework::ScopedSelect selected(dc, pen);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(colour);
    dc.Ellipse(rect);
}

}  // namespace controls
