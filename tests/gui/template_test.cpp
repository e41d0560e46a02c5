// The dialog templates of the DLL, control by control: each opens from the
// plug-in's own module and holds what the windows built on it rely on (ids,
// kinds, styles, texts, positions, what is hidden or disabled, and the
// initial drop-down lists).
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/text.h"
#include "framework/win_app.h"
#include "resources/resource.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/plugin_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

namespace gui_test {
namespace {

enum class Kind { Static, CenteredStatic, PushButton, DefPushButton, CheckBox, OwnerDraw, Edit,
                  MultiLineEdit, DropDown, SortedDropDown };

struct Expected {
    int id;
    Kind kind;
    const char *text;
    int x, y, width, height;  // dialog units; height of a drop-down: its list
    bool visible;
    bool enabled;
    DWORD exStyle;  // extended style bits that must be set
};

const char *kindName(Kind kind) {
    switch (kind) {
    case Kind::Static: return "static";
    case Kind::CenteredStatic: return "centred static";
    case Kind::PushButton: return "push button";
    case Kind::DefPushButton: return "default push button";
    case Kind::CheckBox: return "auto check box";
    case Kind::OwnerDraw: return "owner-drawn button";
    case Kind::Edit: return "edit";
    case Kind::MultiLineEdit: return "multi-line edit";
    case Kind::DropDown: return "drop-down";
    case Kind::SortedDropDown: return "sorted drop-down";
    }
    return "?";
}

// Whether the control's class and style make it that kind.
bool hasKind(HWND control, Kind kind) {
    const std::string cls = classOf(control);
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_EXSTYLE));
    // The dialog manager draws a template's edit border as a sunken edge.
    const bool bordered = (style & WS_BORDER) != 0 || (exStyle & WS_EX_CLIENTEDGE) != 0;
    // A combo box hands its scroll bar style on to its list.
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    const bool listScrolls = cls == "ComboBox" && ::GetComboBoxInfo(control, &combo) &&
                             (::GetWindowLongPtrW(combo.hwndList, GWL_STYLE) & WS_VSCROLL) != 0;
    switch (kind) {
    case Kind::Static: return cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT;
    case Kind::CenteredStatic: return cls == "Static" && (style & SS_TYPEMASK) == SS_CENTER;
    case Kind::PushButton: return cls == "Button" && (style & BS_TYPEMASK) == BS_PUSHBUTTON;
    case Kind::DefPushButton: return cls == "Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    case Kind::CheckBox: return cls == "Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    case Kind::OwnerDraw: return cls == "Button" && (style & BS_TYPEMASK) == BS_OWNERDRAW;
    case Kind::Edit:
        return cls == "Edit" && (style & ES_MULTILINE) == 0 && bordered &&
               (style & ES_AUTOHSCROLL) != 0;
    case Kind::MultiLineEdit:
        return cls == "Edit" && (style & ES_MULTILINE) && (style & ES_WANTRETURN) &&
               (style & WS_VSCROLL) && bordered;
    case Kind::DropDown:
        return cls == "ComboBox" && (style & 0x3) == CBS_DROPDOWN && (style & CBS_SORT) == 0;
    case Kind::SortedDropDown:
        return cls == "ComboBox" && (style & 0x3) == CBS_DROPDOWN && (style & CBS_SORT) &&
               listScrolls;
    }
    return false;
}

// One template of the plug-in's module, open modelessly on this thread and
// shown (so that visibility means what it says).
class OpenTemplate {
public:
    explicit OpenTemplate(int id) : dialog_(id) {
        framework::SetResourceModule(session_.module());
        if (session_.loaded() && dialog_.Create()) {
            ::ShowWindow(dialog_, SW_SHOWNOACTIVATE);
            pumpMessages();
        }
    }
    HWND window() const { return dialog_.GetSafeHwnd(); }
    HWND item(int id) const { return ::GetDlgItem(window(), id); }
    RECT pixels(int x, int y, int w, int h) const { return dialogUnitsToPixels(window(), x, y, w, h); }

private:
    PluginSession session_;
    framework::CDialog dialog_;
};

void expectControl(const OpenTemplate &open, const Expected &e) {
    SCOPED_TRACE("control " + std::to_string(e.id) + " (" + e.text + ")");
    HWND control = open.item(e.id);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(hasKind(control, e.kind)) << "not a " << kindName(e.kind) << ": class "
                                          << classOf(control);
    EXPECT_EQ(textOf(control), e.text);
    EXPECT_EQ(isVisible(control), e.visible);
    EXPECT_EQ(isEnabled(control), e.enabled);
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & e.exStyle, e.exStyle) << std::hex << exStyle;

    const RECT want = open.pixels(e.x, e.y, e.width, e.height);
    const RECT got = rectInParent(control);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right - got.left, want.right - want.left);
    if (e.kind == Kind::DropDown || e.kind == Kind::SortedDropDown) {
        // A closed drop-down is one line high; the template's height is
        // that of the box with its list open.
        // The list shows whole entries only, under the edit line, so it may
        // come out up to two entries shorter.
        RECT dropped{};
        ::SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        const int entry = static_cast<int>(::SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
        const int height = dropped.bottom - dropped.top;
        EXPECT_LE(height, want.bottom - want.top);
        EXPECT_GT(height, want.bottom - want.top - 2 * entry - 4);
    } else {
        EXPECT_EQ(got.bottom - got.top, want.bottom - want.top);
    }
}

// Caption, size, frame and font of a template.
void expectDialog(const OpenTemplate &open, const char *caption, int width, int height,
                  DWORD style, const wchar_t *face) {
    HWND window = open.window();
    EXPECT_EQ(textOf(window), caption);
    RECT client{};
    ::GetClientRect(window, &client);
    const RECT want = open.pixels(0, 0, width, height);
    EXPECT_EQ(client.right, want.right);
    EXPECT_EQ(client.bottom, want.bottom);
    const DWORD actual = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(actual & style, style) << std::hex << actual;
    EXPECT_EQ(actual & WS_CHILD, 0u);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_NE(::GetObjectW(font, sizeof logFont, &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, face);
    framework::CClientDC screen(nullptr);
    const int eightPoint = -::MulDiv(8, screen.GetDeviceCaps(LOGPIXELSY), 72);
    EXPECT_EQ(logFont.lfHeight, eightPoint);
}

const std::vector<std::string> kCountyList = {
    "AB", "AG", "AR", "BC", "BH", "BN", "BR", "BT", "BV", "BU", "BZ", "CJ",
    "CL", "CS", "CT", "CV", "DB", "DJ", "GJ", "GL", "GR", "HD", "HR", "IF",
    "IL", "IS", "MH", "MM", "MS", "NT", "OT", "PH", "SB", "SJ", "SM", "SV",
    "TL", "TM", "TR", "VS", "VL", "VN", "XA", "XB", "XC", "XD", "XE", "XF"};

TEST(SetupTemplate, HoldsTheModeButtonsSwitchesAndHiddenOwnCodeInputs) {
    OpenTemplate open(IDD_SETUP);
    ASSERT_NE(open.window(), nullptr);
    expectDialog(open, "Setup", 179, 94, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                 L"MS Shell Dlg");
    const DWORD modeButton = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE;
    const Expected controls[] = {
        {143, Kind::Static, "Mode", 39, 9, 56, 10, true, true, 0},
        {113, Kind::PushButton, "CW", 7, 20, 39, 16, true, true, modeButton},
        {118, Kind::PushButton, "BPSK31", 48, 21, 39, 16, true, true, modeButton},
        {116, Kind::PushButton, "SSB", 8, 46, 39, 16, true, true, modeButton},
        {120, Kind::PushButton, "BPSK63", 48, 46, 39, 16, true, true, modeButton},
        {122, Kind::PushButton, "BPSK125", 29, 71, 39, 16, true, true, modeButton},
        {145, Kind::Static, "View", 104, 9, 56, 10, true, true, 0},
        {135, Kind::CheckBox, "YO Canton", 96, 19, 81, 13, true, true, 0},
        {136, Kind::CheckBox, "Previson QSO", 96, 32, 81, 13, true, true, 0},
        {141, Kind::CheckBox, "Window on top", 96, 44, 68, 13, true, true, 0},
        {140, Kind::CenteredStatic, "Choce your 2 letters code YO County", 98, 57, 66, 17, false,
         true, 0},
        {137, Kind::SortedDropDown, "", 111, 75, 33, 178, false, true, 0},
        {150, Kind::CenteredStatic, "Input your code country", 71, 57, 65, 16, false, true, 0},
        {148, Kind::Edit, "", 74, 75, 32, 13, false, true, 0},
    };
    for (const Expected &e : controls) expectControl(open, e);
    // The check boxes start clear.
    for (int id : {135, 136, 141}) EXPECT_EQ(checkState(open.window(), id), BST_UNCHECKED);
}

TEST(SetupTemplate, CountyDropDownOffersTheContestsCountiesInOrder) {
    OpenTemplate open(IDD_SETUP);
    ASSERT_NE(open.window(), nullptr);
    std::vector<std::string> sorted = kCountyList;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(listEntries(open.item(137)), sorted);
}

TEST(PreviousQsoTemplate, IsOneOwnerDrawnTableInASizableWindow) {
    OpenTemplate open(IDD_PREVIOUS_QSO);
    ASSERT_NE(open.window(), nullptr);
    expectDialog(open, "Previous  QSO", 287, 79, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                 L"MS Shell Dlg");
    expectControl(open, {113, Kind::OwnerDraw, "", 0, 2, 286, 75, true, true, WS_EX_CLIENTEDGE});
}

TEST(CountyTemplate, HoldsOneCheckBoxPerCountyInSixRowsOfEight) {
    OpenTemplate open(IDD_COUNTY);
    ASSERT_NE(open.window(), nullptr);
    expectDialog(open, "YO-COUNTY", 220, 92, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                 L"MS Shell Dlg");
    const char *const order[48] = {
        "AB", "AG", "AR", "BC", "BH", "BN", "BR", "BT", "BV", "BU", "BZ", "CJ",
        "CL", "CS", "CT", "CV", "DB", "DJ", "GJ", "GL", "GR", "HD", "HR", "IF",
        "IL", "IS", "MH", "MM", "MS", "NT", "OT", "PH", "SB", "SJ", "SM", "SV",
        "TL", "TM", "TR", "VL", "VN", "VS", "XA", "XB", "XC", "XD", "XE", "XF"};
    const int firstIds[10] = {135, 136, 138, 139, 141, 142, 144, 146, 147, 149};
    const int rowY[6] = {7, 20, 33, 46, 59, 73};
    const int columnX[6][8] = {{7, 32, 57, 83, 109, 133, 159, 185},
                               {7, 32, 57, 83, 109, 134, 160, 186},
                               {7, 32, 57, 83, 109, 134, 160, 186},
                               {7, 32, 57, 83, 109, 134, 160, 186},
                               {7, 32, 57, 83, 109, 133, 159, 185},
                               {7, 31, 57, 83, 109, 133, 159, 185}};
    for (int i = 0; i < 48; ++i) {
        const int id = i < 10 ? firstIds[i] : 1024 + (i - 10);
        expectControl(open, {id, Kind::CheckBox, order[i], columnX[i / 8][i % 8], rowY[i / 8], 23,
                             9, true, true, 0});
        EXPECT_EQ(checkState(open.window(), id), BST_UNCHECKED);
    }
}

// The station-details template fixes kinds, order and sizes, not pixels:
// each field has its label on its left, and the rows go down the window in
// the order of the log's header.
struct Field {
    int id;
    Kind kind;
    const char *label;
    bool enabled;
    std::vector<std::string> suggestions;
};

TEST(StationDetailsTemplate, HoldsEveryHeaderFieldBelowTheOneBefore) {
    OpenTemplate open(IDD_STATION_DETAILS);
    ASSERT_NE(open.window(), nullptr);
    expectDialog(open, "MORVANTIA", 255, 361, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                 L"MS Sans Serif");
    const std::vector<Field> fields = {
        {124, Kind::Edit, "CONTEST", true, {}},
        {125, Kind::Edit, "CALLSIGN", true, {}},
        {127, Kind::DropDown, "CATEGORY-OPERATOR", true, {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
        {133, Kind::DropDown, "CATEGORY-ASSISTED", true, {"ASSISTED", "NON-ASSISTED"}},
        {132, Kind::DropDown, "CATEGORY-BAND", true, {"ALL", "80M", "40M"}},
        {131, Kind::DropDown, "CATEGORY-MODE", true, {"CW", "SSB", "DIGI", "MIXED"}},
        {130, Kind::DropDown, "CATEGORY-POWER", true, {"HIGH", "LOW", "QRP"}},
        {129, Kind::DropDown, "CATEGORY-TIME", false, {}},
        {128, Kind::DropDown, "CATEGORY-TRANSMITTER", true, {"ONE", "TWO", "UNLIMITED"}},
        {134, Kind::DropDown, "CATEGORY-OVERLAY", false, {}},
        {121, Kind::Edit, "NAME", true, {}},
        {108, Kind::Edit, "ADDRESS", true, {}},
        {112, Kind::Edit, "ADDRESS-CITY", true, {}},
        {111, Kind::Edit, "ADDRESS-STATE-PROVINCE", true, {}},
        {110, Kind::Edit, "ADDRESS-POSTALCODE", true, {}},
        {109, Kind::Edit, "ADDRESS-COUNTRY", true, {}},
        {119, Kind::Edit, "OPERATORS", true, {}},
        {117, Kind::Edit, "CLUB", true, {}},
        {137, Kind::DropDown, "LOCATION", true, {"DX"}},
        {106, Kind::MultiLineEdit, "SOAPBOX", true, {}},
        {115, Kind::Edit, "E-MAIL", true, {}},
    };
    RECT client{};
    ::GetClientRect(open.window(), &client);
    // Labels by text.
    std::vector<HWND> statics;
    for (HWND child = ::GetWindow(open.window(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (classOf(child) == "Static") statics.push_back(child);
    auto label = [&](const std::string &text) -> HWND {
        for (HWND s : statics)
            if (textOf(s) == text) return s;
        return nullptr;
    };

    int previousTop = -1;
    for (const Field &f : fields) {
        SCOPED_TRACE(f.label);
        HWND control = open.item(f.id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(hasKind(control, f.kind)) << "not a " << kindName(f.kind);
        EXPECT_TRUE(isVisible(control));
        EXPECT_EQ(isEnabled(control), f.enabled);
        const RECT r = rectInParent(control);
        EXPECT_GT(r.top, previousTop);
        previousTop = r.top;
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
        HWND caption = label(f.label);
        ASSERT_NE(caption, nullptr);
        const RECT l = rectInParent(caption);
        EXPECT_LE(l.right, r.left);
        EXPECT_LT(l.top, r.bottom);
        EXPECT_GT(l.bottom, r.top);
        EXPECT_EQ(isEnabled(caption), f.enabled);
        EXPECT_EQ(textOf(control), "");
        if (f.kind == Kind::DropDown) {
            EXPECT_EQ(listEntries(control), f.suggestions);
        }
    }

    // CLAIMED sits right of CALLSIGN, on its row.
    HWND claimed = open.item(123);
    ASSERT_NE(claimed, nullptr);
    EXPECT_TRUE(hasKind(claimed, Kind::Edit));
    const RECT call = rectInParent(open.item(125));
    const RECT score = rectInParent(claimed);
    EXPECT_GE(score.left, call.right);
    EXPECT_EQ(score.top, call.top);
    ASSERT_NE(label("CLAIMED"), nullptr);

    // OK and CANCEL below everything else.
    HWND ok = open.item(IDOK);
    HWND cancel = open.item(IDCANCEL);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(hasKind(ok, Kind::DefPushButton));
    EXPECT_TRUE(hasKind(cancel, Kind::PushButton));
    EXPECT_EQ(textOf(ok), "OK");
    EXPECT_EQ(textOf(cancel), "CANCEL");
    EXPECT_GT(rectInParent(ok).top, previousTop);
    EXPECT_LE(rectInParent(ok).bottom, client.bottom);
}

TEST(Icon, LoadsFromTheModuleAtBothSizes) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    for (int size : {16, 32, 48}) {
        const std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&::DestroyIcon)> icon(
            static_cast<HICON>(::LoadImageW(session.module(), MAKEINTRESOURCEW(IDI_MORVANTIA),
                                            IMAGE_ICON, size, size, 0)),
            &::DestroyIcon);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
        const framework::CBitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        ::GetObjectW(colour, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
    }
}

TEST(VersionInformation, NamesTheLibraryAndItsVersion) {
    const std::wstring path = framework::Widen(pluginPath());
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    wchar_t *text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\OriginalFilename",
                                 reinterpret_cast<void **>(&text), &length));
    EXPECT_STREQ(text, L"StatsMorvantia.dll");
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\InternalName",
                                 reinterpret_cast<void **>(&text), &length));
    EXPECT_STREQ(text, L"Stats");
}

}  // namespace
}  // namespace gui_test
