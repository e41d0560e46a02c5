// The coloured button in the gallery, painted by the real owner-draw path
// and read back pixel by pixel: every look of both shapes, the label, taking
// over a control, shapes and colours changed at run time.
#include "controls/advanced_button.h"
#include "controls/drawn_rect.h"
#include "framework/text.h"
#include "tests/controls/gallery_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace controls_test {
namespace {

using controls::CAdvancedButton;
using gui_test::Image;

enum Look { kNormal, kSelected, kFocus, kPressed, kDisabled };

// Colours of the two sides of the ring just inside r (top and left, each
// short of its far end; right and bottom).
std::set<COLORREF> lightSides(const Image &image, RECT r) {
    std::set<COLORREF> colours;
    for (int x = r.left; x < r.right - 1; ++x) colours.insert(image.at(x, r.top));
    for (int y = r.top; y < r.bottom - 1; ++y) colours.insert(image.at(r.left, y));
    return colours;
}

std::set<COLORREF> darkSides(const Image &image, RECT r) {
    std::set<COLORREF> colours;
    for (int y = r.top; y < r.bottom; ++y) colours.insert(image.at(r.right - 1, y));
    for (int x = r.left; x < r.right; ++x) colours.insert(image.at(x, r.bottom - 1));
    return colours;
}

RECT clientOf(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return r;
}

RECT shrunk(RECT r, int by) {
    ::InflateRect(&r, -by, -by);
    return r;
}

// Where the button's font puts its caption, centred on one line.
RECT centredCaptionCell(HWND button) {
    const RECT client = clientOf(button);
    framework::CClientDC dc(button);
    framework::ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(button, WM_GETFONT, 0, 0)));
    const std::wstring caption = framework::Widen(gui_test::textOf(button));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int left = (client.right - extent.cx) / 2;
    const int top = (client.bottom - metrics.tmHeight) / 2;
    return {left, top, left + extent.cx, top + metrics.tmHeight};
}

class RectangleButtonLooks : public GalleryTest {
protected:
    Image look(Look which) { return repainted(gallery.rects[which]); }
    HWND window(Look which) { return gallery.rects[which]; }
    void expectRaisedRings(const Image &image, HWND button) {
        const RECT r = clientOf(button);
        EXPECT_EQ(lightSides(image, r), std::set<COLORREF>{0xFFFFFF});
        EXPECT_EQ(darkSides(image, r), std::set<COLORREF>{0x7F7F7F});
        EXPECT_EQ(lightSides(image, shrunk(r, 1)), std::set<COLORREF>{0xDFDFDF});
        EXPECT_EQ(darkSides(image, shrunk(r, 1)), std::set<COLORREF>{0x555555});
    }
    void expectFocusFrame(const Image &image, HWND button, bool present) {
        const RECT frame = shrunk(clientOf(button), 2);
        std::set<COLORREF> colours = lightSides(image, frame);
        const std::set<COLORREF> dark = darkSides(image, frame);
        colours.insert(dark.begin(), dark.end());
        if (present) {
            EXPECT_EQ(colours, (std::set<COLORREF>{kModeFace, kModeFace ^ 0xFFFFFF}));
        } else {
            EXPECT_EQ(colours, std::set<COLORREF>{kModeFace});
        }
    }
};

TEST_F(RectangleButtonLooks, NormalIsTheFaceInARaisedDoubleRing) {
    const Image image = look(kNormal);
    expectRaisedRings(image, window(kNormal));
    expectFocusFrame(image, window(kNormal), false);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{0xFFFFFF, 0x7F7F7F, 0xDFDFDF, 0x555555,
                                                    kModeFace, kLabel}));
}

TEST_F(RectangleButtonLooks, SelectedWithoutFocusStaysRaised) {
    const Image image = look(kSelected);
    expectRaisedRings(image, window(kSelected));
    expectFocusFrame(image, window(kSelected), false);
}

TEST_F(RectangleButtonLooks, FocusedShowsADottedFrameTwoPixelsInside) {
    const Image image = look(kFocus);
    expectRaisedRings(image, window(kFocus));
    expectFocusFrame(image, window(kFocus), true);
}

TEST_F(RectangleButtonLooks, FocusedAndSelectedShowsASunkenRingOverTheRaisedOne) {
    const Image image = look(kPressed);
    const RECT r = clientOf(window(kPressed));
    EXPECT_EQ(lightSides(image, r), std::set<COLORREF>{0x808080});
    EXPECT_EQ(darkSides(image, r), std::set<COLORREF>{0xFFFFFF});
    EXPECT_EQ(lightSides(image, shrunk(r, 1)), std::set<COLORREF>{0xDFDFDF});
    EXPECT_EQ(darkSides(image, shrunk(r, 1)), std::set<COLORREF>{0x555555});
    expectFocusFrame(image, window(kPressed), true);
}

TEST_F(RectangleButtonLooks, DisabledKeepsFaceAndEdgeWithItsLabelInTheDisabledColour) {
    const Image image = look(kDisabled);
    expectRaisedRings(image, window(kDisabled));
    const RECT inside = shrunk(clientOf(window(kDisabled)), 2);
    EXPECT_EQ(coloursIn(image, &inside), (std::set<COLORREF>{kModeFace, kDisabledLabel}));
}

TEST_F(RectangleButtonLooks, TheLabelIsCentred) {
    for (Look which : {kNormal, kDisabled}) {
        const Image image = look(which);
        const COLORREF ink = which == kDisabled ? kDisabledLabel : kLabel;
        const RECT found = boundsOf(image, [ink](COLORREF c) { return c == ink; });
        const RECT cell = centredCaptionCell(window(which));
        EXPECT_GT(found.right, found.left);
        EXPECT_GE(found.left, cell.left - 1);
        EXPECT_LE(found.right, cell.right + 1);
        EXPECT_GE(found.top, cell.top);
        EXPECT_LE(found.bottom, cell.bottom);
    }
}

TEST_F(RectangleButtonLooks, RealFocusAndPressComeFromTheDrawRequest) {
    // The gallery holds its looks; this button is left to the system.
    StateButton &button = gallery.rects[kNormal];
    ::SetFocus(button);
    gui_test::pumpMessages();
    expectFocusFrame(repainted(button), button, true);
    ::SendMessageW(button, BM_SETSTATE, TRUE, 0);
    const Image pressed = repainted(button);
    EXPECT_EQ(lightSides(pressed, clientOf(button)), std::set<COLORREF>{0x808080});
    ::SendMessageW(button, BM_SETSTATE, FALSE, 0);
    ::SetFocus(gallery.rects[kSelected]);
    gui_test::pumpMessages();
    const Image released = repainted(button);
    expectRaisedRings(released, button);
    expectFocusFrame(released, button, false);
}

class EllipseButtonLooks : public GalleryTest {
protected:
    Image look(Look which) { return repainted(gallery.ellipses[which]); }
    static COLORREF outlineAtLeft(const Image &image) {
        return image.at(1, image.height / 2);
    }
};

TEST_F(EllipseButtonLooks, NormalHasAGreyOutlineTheFaceAndTheDialogInTheCorners) {
    const Image image = look(kNormal);
    EXPECT_EQ(outlineAtLeft(image), 0x808080);
    EXPECT_EQ(image.at(image.width / 2, 3), kCountyFace);
    EXPECT_EQ(image.at(0, 0), kGalleryFace);
    EXPECT_EQ(image.at(image.width - 1, image.height - 1), kGalleryFace);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kGalleryFace, 0x808080, kCountyFace, kLabel}));
}

TEST_F(EllipseButtonLooks, SelectedWithoutFocusLooksNormal) {
    const Image normal = look(kNormal);
    const Image selected = look(kSelected);
    EXPECT_EQ(outlineAtLeft(selected), 0x808080);
    EXPECT_EQ(coloursIn(selected), coloursIn(normal));
}

TEST_F(EllipseButtonLooks, FocusedShowsADottedRingWithFaceColouredGaps) {
    // Without a caption, every near-black pixel is a dot of the ring.
    StateButton &button = gallery.ellipses[kFocus];
    button.SetText("");
    const Image image = repainted(button);
    EXPECT_EQ(outlineAtLeft(image), 0x808080);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kGalleryFace, 0x808080, kCountyFace, 0x010101}));
    const RECT ring = shrunk(clientOf(button), 4);
    // The dots run along the ellipse inscribed four pixels in (a gap may
    // fall on its very ends).
    const RECT dots = boundsOf(image, [](COLORREF c) { return c == 0x010101; });
    EXPECT_GE(dots.left, ring.left);
    EXPECT_LE(dots.left, ring.left + 2);
    EXPECT_LE(dots.right, ring.right);
    EXPECT_GE(dots.right, ring.right - 2);
    EXPECT_GE(dots.top, ring.top);
    EXPECT_LE(dots.top, ring.top + 1);
    EXPECT_LE(dots.bottom, ring.bottom);
    EXPECT_GE(dots.bottom, ring.bottom - 1);
    // Along the top of the ring: dots and face, nothing else.
    std::set<COLORREF> top;
    for (int x = ring.left + 20; x < ring.right - 20; ++x) top.insert(image.at(x, ring.top));
    EXPECT_EQ(top, (std::set<COLORREF>{0x010101, kCountyFace}));
    // Inside the ring the face again, none of the brush the ring filled
    // it with.
    const RECT inside{ring.left + 16, ring.top + 3, ring.right - 16, ring.bottom - 3};
    EXPECT_EQ(coloursIn(image, &inside), std::set<COLORREF>{kCountyFace});
}

TEST_F(EllipseButtonLooks, FocusedAndSelectedHasADarkOutline) {
    const Image image = look(kPressed);
    EXPECT_EQ(outlineAtLeft(image), 0x010101);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kGalleryFace, kCountyFace, 0x010101}));
}

TEST_F(EllipseButtonLooks, DisabledKeepsFaceAndOutlineWithItsLabelInTheDisabledColour) {
    const Image image = look(kDisabled);
    EXPECT_EQ(outlineAtLeft(image), 0x808080);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{kGalleryFace, 0x808080, kCountyFace}));
    // The label shares the outline's grey: it must be there, in the middle.
    const RECT middle{10, 4, image.width - 10, image.height - 4};
    EXPECT_GT(countColour(image, kDisabledLabel, middle), 0);
}

TEST_F(EllipseButtonLooks, CountyButtonsShowWorkedAndUnworkedColours) {
    const Image unworked = repainted(gallery.unworked);
    const Image worked = repainted(gallery.worked);
    EXPECT_EQ(coloursIn(unworked), (std::set<COLORREF>{kGalleryFace, 0x808080, kCountyFace, kLabel}));
    EXPECT_EQ(coloursIn(worked), (std::set<COLORREF>{kGalleryFace, 0x808080, kWorkedFace, kWorkedText}));
}

using AttachingAButton = GalleryTest;

TEST_F(AttachingAButton, AMissingControlReturnsFalseAndChangesNothing) {
    CAdvancedButton button;
    button.SetColors(0x111111, 0x222222, 0x333333);
    button.SetShape(CAdvancedButton::kEllipse);
    EXPECT_FALSE(button.AttachToDialogItem(4242, &gallery, 1, 2, 3));
    EXPECT_FALSE(button.AttachToDialogItem(IDC_RECT_NORMAL, nullptr, 1, 2, 3));
    EXPECT_EQ(button.GetSafeHwnd(), nullptr);
    EXPECT_EQ(button.GetFaceColor(), 0x111111u);
    EXPECT_EQ(button.GetTextColor(), 0x222222u);
    EXPECT_EQ(button.GetDisabledTextColor(), 0x333333u);
    EXPECT_EQ(button.GetShape(), CAdvancedButton::kEllipse);
}

TEST_F(AttachingAButton, AControlAlreadyTakenOrASecondControlIsRefused) {
    CAdvancedButton button;
    EXPECT_FALSE(button.AttachToDialogItem(IDC_RECT_NORMAL, &gallery, 1, 2, 3));
    EXPECT_EQ(button.GetFaceColor(), 0u);
    EXPECT_EQ(gallery.rects[kNormal].GetFaceColor(), kModeFace);
    EXPECT_FALSE(gallery.rects[kSelected].AttachToDialogItem(IDC_GALLERY_EDIT, &gallery, 1, 2, 3));
    EXPECT_EQ(gallery.rects[kSelected].GetFaceColor(), kModeFace);
    EXPECT_EQ(framework::CWnd::FromHandlePermanent(gallery.GetDlgItemHandle(IDC_GALLERY_EDIT)),
              nullptr);
}

TEST_F(AttachingAButton, StoresTheColoursAsARectangleWithoutRepainting) {
    framework::CDialog buttons(IDD_BUTTONS);
    ASSERT_TRUE(buttons.Create());
    buttons.ShowWindow(SW_SHOWNOACTIVATE);
    buttons.UpdateWindow();
    StateButton button;
    button.SetShape(CAdvancedButton::kEllipse);
    ASSERT_TRUE(button.AttachToDialogItem(IDC_WIDE_BUTTON, &buttons, 0x0000FF, 0x00FF00, 0xFF0000));
    EXPECT_EQ(button.Paints(), 0);
    EXPECT_EQ(button.GetShape(), CAdvancedButton::kRectangle);
    EXPECT_EQ(button.GetFaceColor(), 0x0000FFu);
    EXPECT_EQ(button.GetTextColor(), 0x00FF00u);
    EXPECT_EQ(button.GetDisabledTextColor(), 0xFF0000u);
    const Image image = repainted(button);
    EXPECT_EQ(button.Paints(), 1);
    EXPECT_EQ(image.at(image.width / 2, 3), 0x0000FFu);
}

TEST_F(AttachingAButton, AnyButtonTypeBecomesOwnerDrawn) {
    framework::CDialog buttons(IDD_BUTTONS);
    ASSERT_TRUE(buttons.Create());
    buttons.ShowWindow(SW_SHOWNOACTIVATE);
    for (int id : {IDC_CHECK_BOX, IDC_THREE_STATE, IDC_RADIO}) {
        StateButton button;
        ASSERT_TRUE(button.AttachToDialogItem(id, &buttons, 0x00FFFF, 0, 0));
        EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW) << id;
        const Image image = repainted(button);
        EXPECT_EQ(button.Paints(), 1) << id;
        EXPECT_EQ(image.at(0, 0), 0xFFFFFFu) << id;
        EXPECT_EQ(image.at(image.width / 2, 3), 0x00FFFFu) << id;
    }
}

TEST_F(AttachingAButton, TheButtonKnowsItsRunTimeClass) {
    framework::CWnd *window = &gallery.rects[kNormal];
    EXPECT_STREQ(window->GetRuntimeClass()->className, "CAdvancedButton");
    EXPECT_TRUE(window->IsKindOf(&framework::CButton::runtimeClass));
    EXPECT_FALSE(window->IsKindOf(&framework::CEdit::runtimeClass));
    EXPECT_EQ(framework::DynamicDowncast<CAdvancedButton>(window), &gallery.rects[kNormal]);
    EXPECT_EQ(framework::DynamicDowncast<CAdvancedButton>(gallery.GetDlgItem(IDC_GALLERY_EDIT)),
              nullptr);
    EXPECT_EQ(framework::CWnd::FromHandlePermanent(gallery.rects[kNormal]), window);
}

using ChangingAButton = GalleryTest;

TEST_F(ChangingAButton, ShapesOtherThanOneDrawRectangles) {
    StateButton &button = gallery.ellipses[kNormal];
    for (int shape : {2, -1, 0, 1}) {
        button.SetShape(shape);
        const Image image = readClient(button);
        if (shape == CAdvancedButton::kEllipse) {
            EXPECT_EQ(image.at(0, 0), kGalleryFace) << shape;
            EXPECT_EQ(image.at(1, image.height / 2), 0x808080u) << shape;
        } else {
            EXPECT_EQ(image.at(0, 0), 0xFFFFFFu) << shape;
            EXPECT_EQ(image.at(1, 1), 0xDFDFDFu) << shape;
            EXPECT_EQ(image.at(image.width - 1, image.height - 1), 0x7F7F7Fu) << shape;
        }
    }
}

TEST_F(ChangingAButton, EveryChangeIsOnScreenBeforeTheCallReturns) {
    StateButton &button = gallery.rects[kNormal];
    button.SetFaceColor(0x0000FF);
    EXPECT_EQ(readClient(button).at(4, 4), 0x0000FFu);
    button.SetColors(0x00FF00, 0xFF0000, 0x0000FF);
    const Image image = readClient(button);
    EXPECT_EQ(image.at(4, 4), 0x00FF00u);
    EXPECT_GT(countColour(image, 0xFF0000, clientOf(button)), 0);
    button.SetTextColor(0x00FFFF);
    EXPECT_GT(countColour(readClient(button), 0x00FFFF, clientOf(button)), 0);
    gallery.ellipses[kDisabled].SetColors(kCountyFace, kLabel, 0x0000FF);
    EXPECT_GT(countColour(readClient(gallery.ellipses[kDisabled]), 0x0000FF,
                          clientOf(gallery.ellipses[kDisabled])),
              0);
}

TEST_F(ChangingAButton, TheSameColourAgainStillRepaints) {
    StateButton &button = gallery.rects[kNormal];
    const int before = button.Paints();
    button.SetFaceColor(button.GetFaceColor());
    button.SetTextColor(button.GetTextColor());
    button.SetColors(button.GetFaceColor(), button.GetTextColor(), button.GetDisabledTextColor());
    button.SetShape(button.GetShape());
    EXPECT_EQ(button.Paints(), before + 4);
}

TEST_F(ChangingAButton, ChangesBeforeAttachingOnlyStoreTheColours) {
    CAdvancedButton button;
    EXPECT_TRUE(button.SetColors(1, 2, 3));
    EXPECT_TRUE(button.SetFaceColor(4));
    EXPECT_TRUE(button.SetTextColor(5));
    button.SetShape(CAdvancedButton::kEllipse);
    EXPECT_EQ(button.GetFaceColor(), 4u);
    EXPECT_EQ(button.GetTextColor(), 5u);
    EXPECT_EQ(button.GetDisabledTextColor(), 3u);
}

// Captions against a picture drawn the same way from a given text.
class ButtonCaption : public GalleryTest {
protected:
    void SetUp() override {
        GalleryTest::SetUp();
        ASSERT_TRUE(buttons_.Create());
        buttons_.ShowWindow(SW_SHOWNOACTIVATE);
        // The dialog gave the button the focus; its frame is not compared.
        ::SetFocus(nullptr);
        ASSERT_TRUE(button_.AttachToDialogItem(IDC_WIDE_BUTTON, &buttons_, kModeFace, kLabel,
                                               kDisabledLabel));
    }
    // The button as the rectangle shape draws it with this caption.
    Image expected(const std::string &caption) {
        const RECT client = clientOf(button_);
        Canvas canvas(client.right, client.bottom, 0);
        framework::ScopedSelect font(
            canvas.dc(), reinterpret_cast<HGDIOBJ>(::SendMessageW(button_, WM_GETFONT, 0, 0)));
        controls::DrawnRect shape;
        shape.Draw(canvas.dc(), client, 0, kModeFace);
        shape.DrawLabel(canvas.dc(), client, caption, kLabel);
        return canvas.image();
    }
    static std::string digits(std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('0' + i % 10);
        return text;
    }
    framework::CDialog buttons_{IDD_BUTTONS};
    StateButton button_;
};

TEST_F(ButtonCaption, ALongCaptionShowsItsFirst511Characters) {
    button_.SetText(digits(600));
    const Image shown = repainted(button_);
    EXPECT_EQ(firstDifference(shown, expected(digits(511))), "");
    EXPECT_NE(firstDifference(shown, expected(digits(512))), "");
    EXPECT_NE(firstDifference(shown, expected(digits(600))), "");
}

TEST_F(ButtonCaption, ACaptionOf511CharactersShowsWhole) {
    button_.SetText(digits(511));
    EXPECT_EQ(firstDifference(repainted(button_), expected(digits(511))), "");
}

TEST_F(ButtonCaption, NonLatinCaptionsArriveWhole) {
    const std::string russian = "\xD0\x93\xD1\x80\xD0\xB0\xD1\x84\xD1\x81\xD1\x82\xD0\xB2\xD0\xB0";
    button_.SetText(russian);
    EXPECT_EQ(firstDifference(repainted(button_), expected(russian)), "");
}

}  // namespace
}  // namespace controls_test
