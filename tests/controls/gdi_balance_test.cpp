// Every paint releases what it made: the process's GDI objects are as many
// after a thousand repaints as before.
#include "controls/drawn_ellipse.h"
#include "controls/drawn_rect.h"
#include "controls/mem_dc.h"
#include "tests/controls/gallery_fixture.h"
#include "tests/controls/gdi_census.h"

#include <gtest/gtest.h>

#include <array>

namespace controls_test {
namespace {

constexpr int kRepaints = 1000;

class GdiBalance : public GalleryTest {
protected:
    void SetUp() override {
        GalleryTest::SetUp();
        ASSERT_GE(liveGdiObjects(), 0) << "the GDI handle table cannot be read";
    }
    // Runs paint once to settle caches, then kRepaints times; the number of
    // GDI objects gained meanwhile.
    template <class Paint>
    long gained(Paint paint) {
        paint();
        gui_test::pumpMessages();
        const long before = liveGdiObjects();
        for (int i = 0; i < kRepaints; ++i) paint();
        gui_test::pumpMessages();
        return liveGdiObjects() - before;
    }
};

TEST_F(GdiBalance, RepaintingTheWholeGalleryKeepsTheCountFlat) {
    const int rectPaints = gallery.rects[2].Paints();
    const int ellipsePaints = gallery.ellipses[3].Paints();
    const int tablePaints = gallery.table.Paints();
    EXPECT_EQ(gained([&] {
                  gallery.RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW |
                                                    RDW_ALLCHILDREN);
              }),
              0);
    // Each repaint really went through every kind of paint.
    EXPECT_GE(gallery.rects[2].Paints() - rectPaints, kRepaints);
    EXPECT_GE(gallery.ellipses[3].Paints() - ellipsePaints, kRepaints);
    EXPECT_GE(gallery.table.Paints() - tablePaints, kRepaints);
    EXPECT_TRUE(gallery.table.LastPaintOffScreen());
}

TEST_F(GdiBalance, ColourChangesKeepTheCountFlat) {
    int step = 0;
    EXPECT_EQ(gained([&] {
                  const COLORREF colour = RGB(step % 256, 255 - step % 256, 128);
                  ++step;
                  gallery.SetFaceColor(colour);
                  gallery.rects[0].SetColors(colour, 0x010101, 0x808080);
                  gallery.ellipses[2].SetFaceColor(colour);
                  gallery.colouredEdit.SetFaceColor(colour);
              }),
              0);
}

TEST_F(GdiBalance, ShapesAndOffScreenContextsKeepTheCountFlat) {
    Canvas canvas(90, 30, 0);
    controls::DrawnRect rect;
    controls::DrawnEllipse ellipse;
    const RECT area = canvas.bounds();
    EXPECT_EQ(gained([&] {
                  controls::CMemDC dc(canvas.dc());
                  for (UINT state : {0u, 0x1u, 0x10u, 0x11u}) {
                      rect.Draw(dc, area, state, 0xF0F0F0);
                      rect.DrawLabel(dc, area, "Label", 0x010101);
                      ellipse.Draw(dc, area, state, 0x00FF00);
                      ellipse.DrawLabel(dc, area, "Label", 0x010101);
                  }
              }),
              0);
}

// A pen or brush left selected would be drawn with after it is deleted
// (and the system only frees it when something replaces it, so no count
// shows it): every step puts back what it selected.
TEST(GdiSelections, EveryStepLeavesTheContextsObjectsInPlace) {
    Canvas canvas(90, 30, 0);
    framework::CDC &dc = canvas.dc();
    const RECT area = canvas.bounds();
    const auto selected = [&dc] {
        return std::array<HGDIOBJ, 4>{::GetCurrentObject(dc, OBJ_PEN),
                                      ::GetCurrentObject(dc, OBJ_BRUSH),
                                      ::GetCurrentObject(dc, OBJ_FONT),
                                      ::GetCurrentObject(dc, OBJ_BITMAP)};
    };
    const auto before = selected();
    controls::DrawnRect rect;
    controls::DrawnEllipse ellipse;
    for (controls::DrawnObject *shape : {static_cast<controls::DrawnObject *>(&rect),
                                         static_cast<controls::DrawnObject *>(&ellipse)}) {
        for (UINT state : {0u, 0x1u, 0x10u, 0x11u}) {
            shape->Draw(dc, area, state, 0x00FF00);
            EXPECT_EQ(selected(), before) << "Draw " << state;
        }
        shape->DrawEdge(dc, area, -1);
        shape->Fill(dc, area, 0x0000FF);
        shape->DrawFocus(dc, area, 0x0000FF);
        shape->DrawLabel(dc, area, "Label", 0x010101);
        EXPECT_EQ(selected(), before);
    }
    {
        controls::CMemDC offScreen(dc);
        ellipse.Draw(offScreen, area, 0x11, 0x00FF00);
    }
    EXPECT_EQ(selected(), before);
}

}  // namespace
}  // namespace controls_test
