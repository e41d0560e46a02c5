// The rectangular button: a face, a raised double ring, and when focused a
// dotted frame inside (pressed and focused: a sunken outer ring as well).
#pragma once

#include "controls/drawn_object.h"

namespace controls {

class DrawnRect : public DrawnObject {
public:
    void Draw(framework::CDC &dc, RECT rect, UINT state, COLORREF face) override;
    // Rings outermost first. One ring: pure white and mid grey. More: the
    // light and dark greys fade inwards (63/(i+1)+192 and 255/(i+2)).
    void DrawEdge(framework::CDC &dc, RECT rect, int depth) override;
    // Nothing for an empty or inverted rectangle.
    void Fill(framework::CDC &dc, RECT rect, COLORREF colour) override;
    // The system's dotted, inverting focus frame; the colour is not used.
    void DrawFocus(framework::CDC &dc, RECT rect, COLORREF colour) override;

    // The grey of ring index of a rings-deep edge; light or dark side.
    static COLORREF RingColour(int index, int rings, bool light);
};

}  // namespace controls
