#include "controls/drawn_object.h"

namespace controls {

void DrawnObject::DrawLabel(framework::CDC &dc, RECT rect, const std::string &text,
                            COLORREF colour) {
    const COLORREF previous = dc.SetTextColor(colour);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawTextUtf8(text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(previous);
}

}  // namespace controls
