// The rectangle shape and the label, drawn on a canvas and read back: face,
// raised and sunken rings, the focus frame, and rectangles it must leave
// alone.
#include "controls/drawn_rect.h"
#include "tests/controls/pixels.h"

#include <gtest/gtest.h>

#include <set>

namespace controls_test {
namespace {

using controls::DrawnObject;
using controls::DrawnRect;
using gui_test::Image;

constexpr COLORREF kBackground = 0x123456;  // never painted by a shape
constexpr COLORREF kFace = 0xF0F0F0;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kMidGrey = 0x808080;

// The colours of the one-pixel frame just inside r: the light sides (top
// row and left column, each short of its far end) and the dark sides.
struct Ring {
    std::set<COLORREF> topLeft, bottomRight;
};

Ring ringAt(const Image &image, RECT r) {
    Ring ring;
    for (int x = r.left; x < r.right - 1; ++x) ring.topLeft.insert(image.at(x, r.top));
    for (int y = r.top; y < r.bottom - 1; ++y) ring.topLeft.insert(image.at(r.left, y));
    for (int y = r.top; y < r.bottom; ++y) ring.bottomRight.insert(image.at(r.right - 1, y));
    for (int x = r.left; x < r.right; ++x) ring.bottomRight.insert(image.at(x, r.bottom - 1));
    return ring;
}

void expectRing(const Image &image, RECT r, COLORREF topLeft, COLORREF bottomRight) {
    const Ring ring = ringAt(image, r);
    EXPECT_EQ(ring.topLeft, std::set<COLORREF>{topLeft}) << "light sides of ring at " << r.left;
    EXPECT_EQ(ring.bottomRight, std::set<COLORREF>{bottomRight})
        << "dark sides of ring at " << r.left;
}

RECT shrunk(RECT r, int by) {
    ::InflateRect(&r, -by, -by);
    return r;
}

// Everything outside r still shows the background.
void expectUntouchedOutside(const Image &image, RECT r) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const POINT p{x, y};
            if (!::PtInRect(&r, p)) {
                ASSERT_EQ(image.at(x, y), kBackground) << x << "," << y;
            }
        }
}

// A dotted frame drawn by inverting: only the face and its inverse, both.
void expectDottedFrame(const Image &image, RECT r, COLORREF face) {
    const Ring ring = ringAt(image, r);
    std::set<COLORREF> all = ring.topLeft;
    all.insert(ring.bottomRight.begin(), ring.bottomRight.end());
    EXPECT_EQ(all, (std::set<COLORREF>{face, face ^ 0xFFFFFF}));
}

const RECT kButton{10, 8, 90, 38};

TEST(DrawnRectEdge, DepthTwoIsARaisedDoubleRingOfFadingGreys) {
    Canvas canvas(100, 50, kBackground);
    DrawnRect().DrawEdge(canvas.dc(), kButton, 2);
    const Image image = canvas.image();
    expectRing(image, kButton, 0xFFFFFF, 0x7F7F7F);
    expectRing(image, shrunk(kButton, 1), 0xDFDFDF, 0x555555);
    expectRing(image, shrunk(kButton, 2), kBackground, kBackground);
    expectUntouchedOutside(image, kButton);
}

TEST(DrawnRectEdge, NegativeDepthSwapsTheSides) {
    Canvas canvas(100, 50, kBackground);
    DrawnRect().DrawEdge(canvas.dc(), kButton, -2);
    const Image image = canvas.image();
    expectRing(image, kButton, 0x7F7F7F, 0xFFFFFF);
    expectRing(image, shrunk(kButton, 1), 0x555555, 0xDFDFDF);
}

TEST(DrawnRectEdge, DeeperEdgesKeepFadingInwards) {
    Canvas canvas(100, 50, kBackground);
    DrawnRect().DrawEdge(canvas.dc(), kButton, 3);
    const Image image = canvas.image();
    expectRing(image, kButton, 0xFFFFFF, 0x7F7F7F);
    expectRing(image, shrunk(kButton, 1), 0xDFDFDF, 0x555555);
    expectRing(image, shrunk(kButton, 2), 0xD5D5D5, 0x3F3F3F);
    expectRing(image, shrunk(kButton, 3), kBackground, kBackground);
}

TEST(DrawnRectEdge, DepthOneIsPureWhiteAndMidGrey) {
    for (int depth : {1, -1}) {
        Canvas canvas(100, 50, kBackground);
        DrawnRect().DrawEdge(canvas.dc(), kButton, depth);
        const Image image = canvas.image();
        if (depth > 0) {
            expectRing(image, kButton, kWhite, kMidGrey);
        } else {
            expectRing(image, kButton, kMidGrey, kWhite);
        }
        expectRing(image, shrunk(kButton, 1), kBackground, kBackground);
    }
}

TEST(DrawnRectEdge, DepthZeroDrawsNothing) {
    Canvas canvas(100, 50, kBackground);
    DrawnRect().DrawEdge(canvas.dc(), kButton, 0);
    expectUntouchedOutside(canvas.image(), {0, 0, 0, 0});
}

TEST(DrawnRectFill, PaintsExactlyTheRectangle) {
    Canvas canvas(100, 50, kBackground);
    DrawnRect().Fill(canvas.dc(), kButton, kFace);
    const Image image = canvas.image();
    EXPECT_EQ(coloursIn(image, &kButton), std::set<COLORREF>{kFace});
    expectUntouchedOutside(image, kButton);
}

TEST(DrawnRectFill, EmptyOrInvertedRectanglesPaintNothing) {
    const RECT nothing[] = {{20, 10, 20, 30}, {20, 10, 60, 10}, {60, 30, 20, 10}, {60, 10, 20, 30},
                            {20, 30, 60, 10}};
    for (const RECT &r : nothing) {
        Canvas canvas(100, 50, kBackground);
        DrawnRect shape;
        shape.Fill(canvas.dc(), r, kFace);
        shape.DrawFocus(canvas.dc(), r, kFace);
        shape.Draw(canvas.dc(), r, DrawnObject::kFocus | DrawnObject::kSelected, kFace);
        expectUntouchedOutside(canvas.image(), {0, 0, 0, 0});
    }
}

TEST(DrawnRectFocus, IsADottedInvertingFrameThatASecondCallRemoves) {
    Canvas canvas(100, 50, kBackground);
    DrawnRect shape;
    shape.Fill(canvas.dc(), kButton, kFace);
    const Image before = canvas.image();
    shape.DrawFocus(canvas.dc(), kButton, kFace);
    const Image framed = canvas.image();
    expectDottedFrame(framed, kButton, kFace);
    expectUntouchedOutside(framed, kButton);
    const RECT inside = shrunk(kButton, 1);
    EXPECT_EQ(coloursIn(framed, &inside), std::set<COLORREF>{kFace});
    shape.DrawFocus(canvas.dc(), kButton, kFace);
    EXPECT_EQ(firstDifference(canvas.image(), before), "");
}

// The four looks of Draw, by state bits.
class DrawnRectLooks : public ::testing::Test {
protected:
    Image draw(UINT state) {
        Canvas canvas(100, 50, kBackground);
        DrawnRect().Draw(canvas.dc(), kButton, state, kFace);
        return canvas.image();
    }
};

TEST_F(DrawnRectLooks, NormalIsTheFaceInARaisedDoubleRing) {
    const Image image = draw(0);
    expectRing(image, kButton, 0xFFFFFF, 0x7F7F7F);
    expectRing(image, shrunk(kButton, 1), 0xDFDFDF, 0x555555);
    const RECT inside = shrunk(kButton, 2);
    EXPECT_EQ(coloursIn(image, &inside), std::set<COLORREF>{kFace});
    expectUntouchedOutside(image, kButton);
}

TEST_F(DrawnRectLooks, SelectedWithoutFocusStaysRaised) {
    EXPECT_EQ(firstDifference(draw(DrawnObject::kSelected), draw(0)), "");
}

TEST_F(DrawnRectLooks, FocusAddsADottedFrameTwoPixelsInside) {
    const Image image = draw(DrawnObject::kFocus);
    expectRing(image, kButton, 0xFFFFFF, 0x7F7F7F);
    expectRing(image, shrunk(kButton, 1), 0xDFDFDF, 0x555555);
    expectDottedFrame(image, shrunk(kButton, 2), kFace);
    const RECT inside = shrunk(kButton, 3);
    EXPECT_EQ(coloursIn(image, &inside), std::set<COLORREF>{kFace});
}

TEST_F(DrawnRectLooks, FocusedAndSelectedIsASunkenRingOverTheRaisedOne) {
    const Image image = draw(DrawnObject::kFocus | DrawnObject::kSelected);
    expectRing(image, kButton, kMidGrey, kWhite);
    expectRing(image, shrunk(kButton, 1), 0xDFDFDF, 0x555555);
    expectDottedFrame(image, shrunk(kButton, 2), kFace);
    expectUntouchedOutside(image, kButton);
}

TEST_F(DrawnRectLooks, OtherStateBitsChangeNothing) {
    // Disabled, checked, default and hot belong to the button, not the shape.
    const UINT others = ODS_DISABLED | ODS_CHECKED | ODS_DEFAULT | ODS_HOTLIGHT | ODS_GRAYED;
    EXPECT_EQ(firstDifference(draw(others), draw(0)), "");
}

// The label, shared by both shapes.
class DrawnLabel : public ::testing::Test {
protected:
    static constexpr COLORREF kInk = 0x0000C0;
    static constexpr COLORREF kPreviousText = 0x00C000;
    static constexpr COLORREF kPreviousBack = 0xC00000;

    DrawnLabel() : canvas_(120, 40, kBackground) {
        canvas_.dc().SetTextColor(kPreviousText);
        canvas_.dc().SetBkColor(kPreviousBack);
        canvas_.dc().SetBkMode(OPAQUE);
    }
    // Where DrawText puts a centred single line of text in the canvas.
    RECT centredCell(const std::wstring &text) {
        SIZE extent{};
        ::GetTextExtentPoint32W(canvas_.dc(), text.c_str(), static_cast<int>(text.size()),
                                &extent);
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(canvas_.dc(), &metrics);
        const int left = (canvas_.width() - extent.cx) / 2;
        const int top = (canvas_.height() - metrics.tmHeight) / 2;
        return {left, top, left + extent.cx, top + metrics.tmHeight};
    }
    Canvas canvas_;
};

TEST_F(DrawnLabel, IsCentredOnOneLineInTheGivenColour) {
    DrawnRect().DrawLabel(canvas_.dc(), canvas_.bounds(), "Hello", kInk);
    const Image image = canvas_.image();
    const RECT ink = boundsOf(image, [](COLORREF c) { return c != kBackground; });
    const RECT cell = centredCell(L"Hello");
    EXPECT_GT(ink.right, ink.left);
    EXPECT_GE(ink.left, cell.left - 1);
    EXPECT_LE(ink.right, cell.right + 1);
    EXPECT_GE(ink.top, cell.top);
    EXPECT_LE(ink.bottom, cell.bottom);
    // Both halves hold ink: centred, not pushed to one side.
    EXPECT_GT(countColour(image, kInk, {0, 0, 60, 40}), 0);
    EXPECT_GT(countColour(image, kInk, {60, 0, 120, 40}), 0);
}

TEST_F(DrawnLabel, DrawsTransparentlyAndPutsTheTextColourBack) {
    DrawnRect().DrawLabel(canvas_.dc(), canvas_.bounds(), "Hello", kInk);
    EXPECT_EQ(countColour(canvas_.image(), kPreviousBack, canvas_.bounds()), 0);
    EXPECT_EQ(canvas_.dc().GetTextColor(), kPreviousText);
    EXPECT_EQ(canvas_.dc().GetBkMode(), TRANSPARENT);
}

TEST_F(DrawnLabel, StaysOnOneLineAndInsideItsRectangle) {
    const RECT box{30, 10, 90, 30};
    DrawnRect().DrawLabel(canvas_.dc(), box, "a line\nthat would wrap if it could", kInk);
    const Image image = canvas_.image();
    const RECT ink = boundsOf(image, [](COLORREF c) { return c != kBackground; });
    const RECT cell = centredCell(L"W");
    EXPECT_GE(ink.left, box.left);
    EXPECT_LE(ink.right, box.right);
    EXPECT_LE(ink.bottom - ink.top, cell.bottom - cell.top);
}

}  // namespace
}  // namespace controls_test
