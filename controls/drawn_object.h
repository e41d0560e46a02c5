// Shapes that paint a control: a rectangle or an ellipse. A shape only knows
// how to fill its body, draw a raised or sunken edge, mark the focus and
// centre a caption; Draw combines these by the owner-draw state bits. Shapes
// hold nothing, so a button makes one per paint and throws it away.
//
// Every rectangle arrives by value: each step shrinks its own copy. Every
// pen and brush lives for one step only and leaves the context as it found
// it (apart from the documented text attributes).
#pragma once

#include "framework/dc.h"

#include <windows.h>

#include <string>

namespace controls {

class DrawnObject {
public:
    // The state bits of an owner-draw request that the shapes look at; the
    // disabled bit belongs to the button.
    static constexpr UINT kSelected = ODS_SELECTED;  // 0x1
    static constexpr UINT kFocus = ODS_FOCUS;        // 0x10

    virtual ~DrawnObject() = default;

    virtual void Draw(framework::CDC &dc, RECT rect, UINT state, COLORREF face) = 0;
    // The text centred on one line, in colour, with a transparent
    // background. The text colour is put back afterwards; the background
    // mode stays transparent.
    virtual void DrawLabel(framework::CDC &dc, RECT rect, const std::string &text,
                           COLORREF colour);
    // depth > 0 raised, < 0 sunken; |depth| rings where the shape uses it.
    virtual void DrawEdge(framework::CDC &dc, RECT rect, int depth) = 0;
    virtual void Fill(framework::CDC &dc, RECT rect, COLORREF colour) = 0;
    virtual void DrawFocus(framework::CDC &dc, RECT rect, COLORREF colour) = 0;

protected:
    static void Shrink(RECT &rect, int by) { ::InflateRect(&rect, -by, -by); }
    static bool IsEmpty(const RECT &rect) {
        return rect.right <= rect.left || rect.bottom <= rect.top;
    }
};

}  // namespace controls
