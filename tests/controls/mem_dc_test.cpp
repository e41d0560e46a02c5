// Off-screen drawing: over a window nothing shows until the CMemDC goes,
// then the whole picture at once, in the target's own coordinates; over a
// printing context (a metafile) the drawing goes straight through.
#include "controls/mem_dc.h"
#include "tests/controls/gdi_census.h"
#include "tests/controls/pixels.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace controls_test {
namespace {

using controls::CMemDC;
using gui_test::Image;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

// A shown top-level window with a white background that paints nothing
// else, so that what a test draws on it stays there.
class PlainWindow {
public:
    PlainWindow() {
        static const ATOM windowClass = [] {
            WNDCLASSW description{};
            description.lpfnWndProc = ::DefWindowProcW;
            description.hInstance = ::GetModuleHandleW(nullptr);
            description.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
            description.lpszClassName = L"MorvantiaControlsPlain";
            return ::RegisterClassW(&description);
        }();
        window_ = ::CreateWindowExW(0, MAKEINTATOM(windowClass), L"plain", WS_POPUP | WS_VISIBLE,
                                    40, 40, 120, 80, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ::UpdateWindow(window_);
    }
    ~PlainWindow() { ::DestroyWindow(window_); }
    PlainWindow(const PlainWindow &) = delete;
    PlainWindow &operator=(const PlainWindow &) = delete;
    operator HWND() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The picture every test paints: a filled background and an ellipse.
void paintPicture(framework::CDC &dc, const RECT &area) {
    dc.FillSolidRect(area, kRed);
    framework::CBrush brush(kBlue);
    framework::ScopedSelect selected(dc, brush);
    dc.Ellipse({area.left + 10, area.top + 10, area.right - 10, area.bottom - 10});
}

TEST(CMemDCOverAWindow, ShowsNothingUntilItGoesThenTheWholePicture) {
    PlainWindow window;
    ASSERT_NE(static_cast<HWND>(window), nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    framework::CClientDC target(window);
    {
        CMemDC dc(target);
        EXPECT_TRUE(dc.IsOffScreen());
        EXPECT_NE(dc.GetSafeHdc(), target.GetSafeHdc());
        EXPECT_TRUE(::EqualRect(&dc.DrawingRect(), &client));
        paintPicture(dc, client);
        EXPECT_EQ(coloursIn(readClient(window)), std::set<COLORREF>{kWhite});
    }
    Canvas expected(client.right, client.bottom, kWhite);
    paintPicture(expected.dc(), client);
    EXPECT_EQ(firstDifference(readClient(window), expected.image()), "");
}

TEST(CMemDCOverAWindow, DrawsInTheTargetsCoordinatesWithinItsClipBox) {
    PlainWindow window;
    RECT client{};
    ::GetClientRect(window, &client);
    framework::CClientDC target(window);
    ::IntersectClipRect(target, 30, 20, 90, 60);
    {
        CMemDC dc(target);
        const RECT clip{30, 20, 90, 60};
        EXPECT_TRUE(::EqualRect(&dc.DrawingRect(), &clip));
        // Drawn over the whole client area; only the clip box can arrive.
        dc.FillSolidRect(client, kRed);
        dc.FillSolidRect({40, 30, 41, 31}, kBlue);
    }
    const Image image = readClient(window);
    EXPECT_EQ(image.at(40, 30), kBlue);
    EXPECT_EQ(image.at(30, 20), kRed);
    EXPECT_EQ(image.at(89, 59), kRed);
    EXPECT_EQ(image.at(29, 20), kWhite);
    EXPECT_EQ(image.at(90, 59), kWhite);
    EXPECT_EQ(countColour(image, kRed, client), 60 * 40 - 1);
}

TEST(CMemDCOverAWindow, AGivenRectangleIsTheOnlyPartCopied) {
    PlainWindow window;
    RECT client{};
    ::GetClientRect(window, &client);
    framework::CClientDC target(window);
    const RECT part{10, 10, 30, 25};
    {
        CMemDC dc(target, &part);
        EXPECT_TRUE(::EqualRect(&dc.DrawingRect(), &part));
        dc.FillSolidRect(client, kRed);
    }
    const Image image = readClient(window);
    EXPECT_EQ(countColour(image, kRed, client), 20 * 15);
    EXPECT_EQ(countColour(image, kRed, part), 20 * 15);
}

TEST(CMemDCOverAWindow, LeavesTheTargetAndTheProcessAsItFoundThem) {
    Canvas target(64, 48, kWhite);
    const HGDIOBJ bitmap = ::GetCurrentObject(target.dc(), OBJ_BITMAP);
    // One round first: 32-bit Wine keeps one object of its own from the
    // first off-screen drawing of a process; a leak grows with each round.
    {
        CMemDC dc(target.dc());
        paintPicture(dc, target.bounds());
    }
    const long before = liveGdiObjects();
    ASSERT_GE(before, 0) << "the GDI handle table cannot be read";
    for (int i = 0; i < 20; ++i) {
        CMemDC dc(target.dc());
        paintPicture(dc, target.bounds());
    }
    EXPECT_EQ(liveGdiObjects(), before);
    EXPECT_EQ(::GetCurrentObject(target.dc(), OBJ_BITMAP), bitmap);
    POINT origin{};
    ::GetWindowOrgEx(target.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

// What a finished enhanced metafile holds: its record types, and whether
// any record copies a bitmap in (a fill is recorded as a blit without one).
struct Recording {
    std::vector<DWORD> types;
    bool copiesBitmap = false;
};

int CALLBACK noteRecord(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM context) {
    auto *found = reinterpret_cast<Recording *>(context);
    found->types.push_back(record->iType);
    switch (record->iType) {
    case EMR_BITBLT:
        if (reinterpret_cast<const EMRBITBLT *>(record)->cbBmiSrc != 0) found->copiesBitmap = true;
        break;
    case EMR_STRETCHBLT:
        if (reinterpret_cast<const EMRSTRETCHBLT *>(record)->cbBmiSrc != 0)
            found->copiesBitmap = true;
        break;
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE:
    case EMR_MASKBLT:
    case EMR_PLGBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
        found->copiesBitmap = true;
        break;
    default:
        break;
    }
    return 1;
}

Recording recordingOf(HENHMETAFILE metafile) {
    Recording recording;
    ::EnumEnhMetaFile(nullptr, metafile, &noteRecord, &recording, nullptr);
    return recording;
}

bool holds(const std::vector<DWORD> &types, DWORD type) {
    for (DWORD t : types)
        if (t == type) return true;
    return false;
}

TEST(CMemDCOverAPrintingContext, DrawsStraightIntoAMetafile) {
    framework::CDC recorder;
    recorder.Attach(::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr),
                    framework::CDC::Ownership::Borrowed);
    ASSERT_NE(recorder.GetSafeHdc(), nullptr);
    ASSERT_TRUE(recorder.IsPrinting());
    const RECT area{0, 0, 64, 48};
    {
        CMemDC dc(recorder);
        EXPECT_FALSE(dc.IsOffScreen());
        EXPECT_EQ(dc.GetSafeHdc(), recorder.GetSafeHdc());
        paintPicture(dc, area);
    }
    HENHMETAFILE metafile = ::CloseEnhMetaFile(recorder.Detach());
    ASSERT_NE(metafile, nullptr);
    const Recording recording = recordingOf(metafile);
    // Drawing records, not a picture copied in.
    EXPECT_TRUE(holds(recording.types, EMR_ELLIPSE));
    EXPECT_FALSE(recording.copiesBitmap);
    // And played back, it is the picture.
    Canvas played(64, 48, kWhite);
    ::PlayEnhMetaFile(played.dc(), metafile, &area);
    EXPECT_EQ(played.image().at(2, 2), kRed);
    EXPECT_EQ(played.image().at(32, 24), kBlue);
    ::DeleteEnhMetaFile(metafile);
}

TEST(CMemDCOverAPrintingContext, AnOldStyleMetafileRecordsTheDrawingToo) {
    framework::CDC recorder;
    recorder.Attach(::CreateMetaFileW(nullptr), framework::CDC::Ownership::Borrowed);
    ASSERT_NE(recorder.GetSafeHdc(), nullptr);
    {
        CMemDC dc(recorder);
        EXPECT_FALSE(dc.IsOffScreen());
        EXPECT_EQ(dc.GetSafeHdc(), recorder.GetSafeHdc());
        paintPicture(dc, {0, 0, 64, 48});
    }
    HMETAFILE metafile = ::CloseMetaFile(recorder.Detach());
    ASSERT_NE(metafile, nullptr);
    Canvas played(64, 48, kWhite);
    ::PlayMetaFile(played.dc(), metafile);
    EXPECT_EQ(played.image().at(32, 24), kBlue);
    ::DeleteMetaFile(metafile);
}

TEST(CMemDCWithoutABitmap, DrawsStraightThroughAnEmptyClipBox) {
    Canvas target(64, 48, kWhite);
    HRGN nothing = ::CreateRectRgn(0, 0, 0, 0);
    ::SelectClipRgn(target.dc(), nothing);
    ::DeleteObject(nothing);
    const long before = liveGdiObjects();
    {
        CMemDC dc(target.dc());
        EXPECT_FALSE(dc.IsOffScreen());
        EXPECT_EQ(dc.GetSafeHdc(), target.dc().GetSafeHdc());
        paintPicture(dc, target.bounds());
    }
    EXPECT_EQ(liveGdiObjects(), before);
    EXPECT_EQ(coloursIn(target.image()), std::set<COLORREF>{kWhite});
}

TEST(CMemDCWithoutABitmap, ANullTargetIsHarmless) {
    framework::CDC none;
    CMemDC dc(none);
    EXPECT_FALSE(dc.IsOffScreen());
    EXPECT_EQ(dc.GetSafeHdc(), nullptr);
}

}  // namespace
}  // namespace controls_test
