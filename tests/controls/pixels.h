// Reading drawn pixels back: a canvas in memory for the shapes, and a
// window's client area read as it is now (without the repaint that the
// rig's capture does first, so that a test sees what the last paint left).
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"
#include "tests/gui/rig/image.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <set>
#include <string>

namespace controls_test {

// A 32-bit picture selected into a memory context, filled with background.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background);
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    framework::CDC &dc() { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    RECT bounds() const { return {0, 0, width_, height_}; }
    // The picture as it is now.
    gui_test::Image image() const;

private:
    int width_, height_;
    framework::CDC dc_;
    framework::CBitmap bitmap_;
    std::optional<framework::ScopedSelect> selection_;
    void *bits_ = nullptr;
};

// window's client area as it is on screen now.
gui_test::Image readClient(HWND window);

// The distinct colours of image inside rect (all of it when rect is null).
std::set<COLORREF> coloursIn(const gui_test::Image &image, const RECT *rect = nullptr);
// How many pixels inside rect have colour.
int countColour(const gui_test::Image &image, COLORREF colour, const RECT &rect);
// The smallest rectangle holding every pixel for which match is true; empty
// when none does.
RECT boundsOf(const gui_test::Image &image, const std::function<bool(COLORREF)> &match);
// The first pixel that differs between two pictures of the same size, as
// text ("" when they are equal).
std::string firstDifference(const gui_test::Image &a, const gui_test::Image &b);
// "0xBBGGRR", for failure messages.
std::string hex(COLORREF colour);

}  // namespace controls_test
