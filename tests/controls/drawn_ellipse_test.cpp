// The ellipse shape drawn on a canvas and read back: the outline by depth
// sign, the face in concentric rings down to the centre, and the dotted
// focus ring with face-coloured gaps.
#include "controls/drawn_ellipse.h"
#include "tests/controls/pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace controls_test {
namespace {

using controls::DrawnEllipse;
using controls::DrawnObject;
using gui_test::Image;

constexpr COLORREF kBackground = 0x123456;  // never painted by a shape
constexpr COLORREF kBrush = 0x654321;       // the context's current brush
constexpr COLORREF kFace = 0x00FF00;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kNearBlack = 0x010101;

// A canvas whose current brush has a colour of its own, so that whatever
// an ellipse fills with it shows.
class BrushCanvas : public Canvas {
public:
    BrushCanvas(int width, int height)
        : Canvas(width, height, kBackground), brush_(kBrush), selection_(dc(), brush_) {}

private:
    framework::CBrush brush_;
    framework::ScopedSelect selection_;
};

// How far (x, y) lies from the centre of the ellipse inscribed in r, in
// units of its radii: 1 on the ellipse.
double radiusOf(const RECT &r, int x, int y) {
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const double a = (r.right - r.left) / 2.0, b = (r.bottom - r.top) / 2.0;
    const double dx = (x + 0.5 - cx) / a, dy = (y + 0.5 - cy) / b;
    return std::sqrt(dx * dx + dy * dy);
}

// The colours found where radiusOf(r) lies in [from, to).
std::set<COLORREF> coloursBetween(const Image &image, const RECT &r, double from, double to) {
    std::set<COLORREF> colours;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const double d = radiusOf(r, x, y);
            if (d >= from && d < to) colours.insert(image.at(x, y));
        }
    return colours;
}

const RECT kButton{4, 4, 124, 48};

RECT shrunk(RECT r, int by) {
    ::InflateRect(&r, -by, -by);
    return r;
}

TEST(DrawnEllipseEdge, OutlineIsGreyUnlessTheDepthIsNegative) {
    for (int depth : {2, 1, 0, 7, -1, -2, -7}) {
        BrushCanvas canvas(128, 52);
        DrawnEllipse().DrawEdge(canvas.dc(), kButton, depth);
        const Image image = canvas.image();
        const COLORREF outline = depth < 0 ? kNearBlack : kGrey;
        // The pen runs along the inscribed ellipse; inside it the brush.
        EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kBackground, outline, kBrush}))
            << "depth " << depth;
        // The two-pixel pen is centred on the rectangle's edge.
        const int middle = (kButton.top + kButton.bottom) / 2;
        EXPECT_EQ(image.at(kButton.left, middle), outline) << "depth " << depth;
        EXPECT_EQ(image.at(kButton.right - 1, middle), outline) << "depth " << depth;
        EXPECT_EQ(image.at(kButton.left - 2, middle), kBackground);
        EXPECT_EQ(coloursBetween(image, kButton, 0, 0.8), std::set<COLORREF>{kBrush});
    }
}

TEST(DrawnEllipseFill, PaintsConcentricRingsDownToTheCentre) {
    // Button shapes: wider than high (a county button, a mode button) and
    // a tiny one.
    for (const RECT &r : {kButton, RECT{4, 4, 39, 19}, RECT{2, 2, 90, 31}, RECT{5, 5, 8, 8}}) {
        BrushCanvas canvas(128, 52);
        DrawnEllipse().Fill(canvas.dc(), r, kFace);
        const Image image = canvas.image();
        // Each ring filled its inside with the brush, and the next ring
        // covered that: none of the brush is left.
        EXPECT_EQ(countColour(image, kBrush, canvas.bounds()), 0) << r.left << "," << r.right;
        EXPECT_EQ(image.at((r.left + r.right) / 2, (r.top + r.bottom) / 2), kFace);
        EXPECT_EQ(coloursBetween(image, r, 0, 0.9), std::set<COLORREF>{kFace});
        const RECT painted = boundsOf(image, [](COLORREF c) { return c != kBackground; });
        EXPECT_GE(painted.left, r.left);
        EXPECT_GE(painted.top, r.top);
        EXPECT_LE(painted.right, r.right);
        EXPECT_LE(painted.bottom, r.bottom);
    }
}

TEST(DrawnEllipseFill, EmptyOrInvertedRectanglesStopAtOnce) {
    for (const RECT &r : {RECT{20, 10, 20, 30}, RECT{20, 10, 60, 10}, RECT{60, 30, 20, 10}}) {
        BrushCanvas canvas(128, 52);
        DrawnEllipse shape;
        shape.Fill(canvas.dc(), r, kFace);
        shape.DrawEdge(canvas.dc(), r, 2);
        shape.DrawFocus(canvas.dc(), r, kFace);
        EXPECT_EQ(coloursIn(canvas.image()), std::set<COLORREF>{kBackground});
    }
}

TEST(DrawnEllipseFocus, IsADottedRingWhoseGapsShowTheGivenColour) {
    Canvas canvas(128, 52, kBackground);
    framework::ScopedSelect hollow(canvas.dc(), ::GetStockObject(HOLLOW_BRUSH));
    DrawnEllipse().DrawFocus(canvas.dc(), kButton, kFace);
    const Image image = canvas.image();
    const std::set<COLORREF> ring = coloursBetween(image, kButton, 0.9, 1.0);
    EXPECT_TRUE(ring.count(kNearBlack)) << "no dots";
    EXPECT_TRUE(ring.count(kFace)) << "no face-coloured gaps";
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kBackground, kNearBlack, kFace}));
    EXPECT_EQ(coloursBetween(image, kButton, 0, 0.85), std::set<COLORREF>{kBackground});
    // The gaps need the opaque mode, which stays.
    EXPECT_EQ(canvas.dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(canvas.dc().GetBkColor(), kFace);
}

// The looks of Draw, by state bits, on a canvas with a visible brush.
class DrawnEllipseLooks : public ::testing::Test {
protected:
    Image draw(UINT state) {
        BrushCanvas canvas(128, 52);
        DrawnEllipse().Draw(canvas.dc(), kButton, state, kFace);
        return canvas.image();
    }
    // The outline runs one pixel inside the button's rectangle.
    static COLORREF outlineAtLeft(const Image &image) {
        return image.at(kButton.left + 1, (kButton.top + kButton.bottom) / 2);
    }
};

TEST_F(DrawnEllipseLooks, NormalIsAGreyOutlineAroundTheFace) {
    const Image image = draw(0);
    EXPECT_EQ(outlineAtLeft(image), kGrey);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kBackground, kGrey, kFace}));
    EXPECT_EQ(coloursBetween(image, shrunk(kButton, 1), 0, 0.9), std::set<COLORREF>{kFace});
    // The corners of the rectangle stay the parent's.
    EXPECT_EQ(image.at(kButton.left, kButton.top), kBackground);
    EXPECT_EQ(image.at(kButton.right - 1, kButton.bottom - 1), kBackground);
}

TEST_F(DrawnEllipseLooks, SelectedWithoutFocusLooksNormal) {
    EXPECT_EQ(firstDifference(draw(DrawnObject::kSelected), draw(0)), "");
}

TEST_F(DrawnEllipseLooks, FocusAddsADottedRingFourPixelsInWithTheFaceInside) {
    const Image image = draw(DrawnObject::kFocus);
    EXPECT_EQ(outlineAtLeft(image), kGrey);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kBackground, kGrey, kFace, kNearBlack}));
    const RECT ring = shrunk(kButton, 4);
    // Every dot lies on the ring, and its inside is the face again.
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) == kNearBlack) {
                ASSERT_GT(radiusOf(ring, x, y), 0.85) << x << "," << y;
                ASSERT_LT(radiusOf(ring, x, y), 1.05) << x << "," << y;
            }
    EXPECT_EQ(image.at(ring.left, (ring.top + ring.bottom) / 2), kNearBlack);
    EXPECT_EQ(coloursBetween(image, ring, 0, 0.85), std::set<COLORREF>{kFace});
}

TEST_F(DrawnEllipseLooks, FocusedAndSelectedHasADarkOutline) {
    const Image image = draw(DrawnObject::kFocus | DrawnObject::kSelected);
    EXPECT_EQ(outlineAtLeft(image), kNearBlack);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kBackground, kFace, kNearBlack}));
    EXPECT_EQ(coloursBetween(image, shrunk(kButton, 4), 0, 0.85), std::set<COLORREF>{kFace});
}

}  // namespace
}  // namespace controls_test
