// The elliptic button: a grey (or, pressed and focused, near-black) outline,
// a face painted in concentric rings down to the centre, and when focused a
// dotted ring whose gaps show the face colour.
//
// Every ellipse drawn also fills its inside with the context's current
// brush; the face rings drawn afterwards paint over it.
#pragma once

#include "controls/drawn_object.h"

namespace controls {

class DrawnEllipse : public DrawnObject {
public:
    static constexpr COLORREF kOutline = RGB(128, 128, 128);
    static constexpr COLORREF kSunkenOutline = RGB(1, 1, 1);
    static constexpr COLORREF kFocusDots = RGB(1, 1, 1);

    void Draw(framework::CDC &dc, RECT rect, UINT state, COLORREF face) override;
    // One outline, a solid pen 2 pixels wide: near-black when depth < 0,
    // mid grey otherwise; how deep does not matter.
    void DrawEdge(framework::CDC &dc, RECT rect, int depth) override;
    // Rings of a 3-pixel pen, each one pixel further in, until the
    // rectangle is used up.
    void Fill(framework::CDC &dc, RECT rect, COLORREF colour) override;
    // A dotted one-pixel ring; the gaps are opaque in colour, and the
    // context stays in opaque background mode with colour as background.
    void DrawFocus(framework::CDC &dc, RECT rect, COLORREF colour) override;
};

}  // namespace controls
