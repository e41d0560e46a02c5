// The framework's dialogs and controls on the plug-in's real templates:
// threads and modal loops, subclassing, requests routed to the controls'
// own handlers, data exchange, and handlers that fail.
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/text.h"
#include "framework/win_app.h"
#include "resources/resource.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/plugin_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>

namespace gui_test {
namespace {

using framework::CButton;
using framework::CDataExchange;
using framework::CDC;
using framework::CDialog;
using framework::CEdit;
using framework::CWnd;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kTable = 0xC6FFFF;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session_.loaded()) << session_.error();
        framework::SetResourceModule(session_.module());
    }
    PluginSession session_;
};

// Runs f on a thread of its own; join() waits at most timeoutMs.
class UiThread {
public:
    template <class F>
    explicit UiThread(F f) {
        std::packaged_task<INT_PTR()> task(std::move(f));
        result_ = task.get_future();
        thread_ = std::thread([task = std::move(task), this]() mutable {
            id_ = ::GetCurrentThreadId();
            task();
        });
    }
    ~UiThread() {
        if (thread_.joinable()) thread_.join();
    }
    // True when f returned in time; its result in result.
    bool join(INT_PTR &result, DWORD timeoutMs = 5000) {
        if (!waitUntil([&] { return result_.wait_for(std::chrono::seconds(0)) ==
                                    std::future_status::ready; },
                       timeoutMs))
            return false;
        result = result_.get();
        thread_.join();
        return true;
    }
    DWORD id() const { return id_; }

private:
    std::future<INT_PTR> result_;
    std::thread thread_;
    std::atomic<DWORD> id_{0};
};

// Ends a modal dialog that a failed test left open, so the thread can end.
void forceEnd(HWND dialog) {
    if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST_F(DialogTest, ModalDialogOnASecondThreadEndsOnWmCloseSentFromAnother) {
    std::atomic<bool> returned{false};
    UiThread ui([&] {
        CDialog dialog(IDD_COUNTY);
        const INT_PTR result = dialog.DoModal();
        returned = true;
        return result;
    });
    HWND window = waitForWindow("YO-COUNTY");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetWindowThreadProcessId(window, nullptr), ui.id());
    EXPECT_FALSE(returned);
    // Synchronous, like the host thread's stop: it returns once the UI
    // thread has handled it.
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    INT_PTR result = 0;
    const bool ended = ui.join(result);
    if (!ended) forceEnd(window);
    ASSERT_TRUE(ended);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(DialogTest, ModelessDialogLivesOnItsThreadsLoopAndGoesOnWmClose) {
    class Tracker : public CDialog {
    public:
        Tracker() : CDialog(IDD_COUNTY) {}
        bool destroyed = false;

    protected:
        void PostNcDestroy() override {
            destroyed = true;
            ::PostQuitMessage(0);
        }
    };
    UiThread ui([] {
        Tracker tracker;
        if (!tracker.Create()) return INT_PTR{-1};
        tracker.ShowWindow(SW_SHOWNOACTIVATE);
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!::IsDialogMessageW(tracker, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        // Detached when the window went: nothing dangles.
        return INT_PTR{tracker.destroyed && tracker.GetSafeHwnd() == nullptr &&
                       !tracker.IsModal()};
    });
    HWND window = waitForWindow("YO-COUNTY");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetWindowThreadProcessId(window, nullptr), ui.id());
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    INT_PTR result = 0;
    ASSERT_TRUE(ui.join(result));
    EXPECT_EQ(result, 1);
}

// Station details with data exchange of texts and drop-down texts.
class Details : public CDialog {
public:
    Details() : CDialog(IDD_STATION_DETAILS) {}
    std::string contest, operatorCategory, location, soapbox, name;

protected:
    void DoDataExchange(CDataExchange &dx) override {
        dx.Text(IDC_CAB_CONTEST, contest);
        dx.ComboText(IDC_CAB_CATEGORY_OPERATOR, operatorCategory);
        dx.ComboText(IDC_CAB_LOCATION, location);
        dx.Text(IDC_CAB_SOAPBOX, soapbox);
        dx.Text(IDC_CAB_NAME, name);
    }
};

void setText(HWND dialog, int id, const std::string &utf8) {
    const std::wstring wide = framework::Widen(utf8);
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

TEST_F(DialogTest, DataExchangeShowsTheMembersAndTakesBackWhatOkConfirms) {
    Details details;
    details.contest = "MORVANTIA";
    details.operatorCategory = "SINGLE-OP";
    details.location = "Somewhere else";  // not one of the suggestions
    details.soapbox = "line one\r\nline two";
    details.name = "Ион Попеску";
    UiThread ui([&] { return details.DoModal(); });
    HWND window = waitForWindow("MORVANTIA");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(controlText(window, IDC_CAB_CONTEST), "MORVANTIA");
    EXPECT_EQ(controlText(window, IDC_CAB_CATEGORY_OPERATOR), "SINGLE-OP");
    EXPECT_EQ(controlText(window, IDC_CAB_LOCATION), "Somewhere else");
    EXPECT_EQ(controlText(window, IDC_CAB_SOAPBOX), "line one\r\nline two");
    EXPECT_EQ(controlText(window, IDC_CAB_NAME), "Ион Попеску");
    // The suggestions are there beside the text.
    EXPECT_EQ(listEntries(::GetDlgItem(window, IDC_CAB_CATEGORY_OPERATOR)).size(), 3u);

    setText(window, IDC_CAB_CONTEST, "OTHER");
    setText(window, IDC_CAB_CATEGORY_OPERATOR, "multi-op");  // case as typed
    setText(window, IDC_CAB_SOAPBOX, "a\r\nb\r\nc");
    setText(window, IDC_CAB_NAME, "Код вашей страны");
    clickControl(window, IDOK);
    INT_PTR result = 0;
    const bool ended = ui.join(result);
    if (!ended) forceEnd(window);
    ASSERT_TRUE(ended);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(details.contest, "OTHER");
    EXPECT_EQ(details.operatorCategory, "multi-op");
    EXPECT_EQ(details.location, "Somewhere else");
    EXPECT_EQ(details.soapbox, "a\r\nb\r\nc");
    EXPECT_EQ(details.name, "Код вашей страны");
}

TEST_F(DialogTest, CancelLeavesTheMembersAsTheyWere) {
    Details details;
    details.contest = "MORVANTIA";
    UiThread ui([&] { return details.DoModal(); });
    HWND window = waitForWindow("MORVANTIA");
    ASSERT_NE(window, nullptr);
    setText(window, IDC_CAB_CONTEST, "CHANGED");
    clickControl(window, IDCANCEL);
    INT_PTR result = 0;
    const bool ended = ui.join(result);
    if (!ended) forceEnd(window);
    ASSERT_TRUE(ended);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(details.contest, "MORVANTIA");
}

// Setup template: check boxes, a command handler and a custom message.
class Switches : public CDialog {
public:
    Switches() : CDialog(IDD_SETUP) {}
    int countyTracker = 0, previousQso = 0, onTop = 0;
    std::vector<int> commands;  // ids of clicks that reached OnCommand
    int refreshes = 0;
    bool throwOnClick = false;

protected:
    void DoDataExchange(CDataExchange &dx) override {
        dx.Check(IDC_SETUP_COUNTY_TRACKER, countyTracker);
        dx.Check(IDC_SETUP_PREVIOUS_QSO, previousQso);
        dx.Check(IDC_SETUP_ON_TOP, onTop);
    }
    bool OnCommand(int id, int code, HWND control) override {
        if (code == BN_CLICKED && id != IDOK && id != IDCANCEL) {
            commands.push_back(id);
            if (throwOnClick) throw std::runtime_error("handler failed");
            return true;
        }
        return CDialog::OnCommand(id, code, control);
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT &result) override {
        if (message != WM_USER + 500) return false;
        ++refreshes;
        result = 0;
        return true;
    }
};

TEST_F(DialogTest, CheckBoxesExchangeTheirStatesAndClicksReachTheCommandHandler) {
    Switches setup;
    setup.countyTracker = 1;
    setup.onTop = 1;
    UiThread ui([&] { return setup.DoModal(); });
    HWND window = waitForWindow("Setup");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(checkState(window, IDC_SETUP_COUNTY_TRACKER), BST_CHECKED);
    EXPECT_EQ(checkState(window, IDC_SETUP_PREVIOUS_QSO), BST_UNCHECKED);
    EXPECT_EQ(checkState(window, IDC_SETUP_ON_TOP), BST_CHECKED);
    clickControl(window, IDC_SETUP_PREVIOUS_QSO);
    clickControl(window, IDC_SETUP_ON_TOP);
    EXPECT_EQ(checkState(window, IDC_SETUP_PREVIOUS_QSO), BST_CHECKED);
    ::PostMessageW(window, WM_USER + 500, 0, 0);
    ::PostMessageW(window, WM_USER + 500, 0, 0);
    // Enter: the dialog's OK action takes the states back.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    INT_PTR result = 0;
    const bool ended = ui.join(result);
    if (!ended) forceEnd(window);
    ASSERT_TRUE(ended);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(setup.countyTracker, 1);
    EXPECT_EQ(setup.previousQso, 1);
    EXPECT_EQ(setup.onTop, 0);
    EXPECT_EQ(setup.commands, (std::vector<int>{IDC_SETUP_PREVIOUS_QSO, IDC_SETUP_ON_TOP}));
    EXPECT_EQ(setup.refreshes, 2);
}

TEST_F(DialogTest, AHandlerThatThrowsLeavesTheDialogRunning) {
    Switches setup;
    setup.throwOnClick = true;
    UiThread ui([&] { return setup.DoModal(); });
    HWND window = waitForWindow("Setup");
    ASSERT_NE(window, nullptr);
    clickControl(window, IDC_SETUP_CW);
    clickControl(window, IDC_SETUP_SSB);
    EXPECT_TRUE(::IsWindow(window));
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    INT_PTR result = 0;
    const bool ended = ui.join(result);
    if (!ended) forceEnd(window);
    ASSERT_TRUE(ended);
    EXPECT_EQ(setup.commands, (std::vector<int>{IDC_SETUP_CW, IDC_SETUP_SSB}));
}

// A push button that paints itself in one colour, as the controls library's
// buttons will: the take-over hook makes it owner-drawn.
class PaintedButton : public CButton {
public:
    COLORREF face = kRed;
    int hookCalls = 0;
    bool hookSawOwnProcedure = false;  // the control's own procedure still in place
    int draws = 0;

protected:
    void PreSubclassWindow() override {
        ++hookCalls;
        hookSawOwnProcedure = ::GetWindowLongPtrW(GetSafeHwnd(), GWLP_WNDPROC) == original;
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    }
    void DrawItem(const DRAWITEMSTRUCT &item) override {
        ++draws;
        CDC dc(item.hDC);
        dc.FillSolidRect(item.rcItem, face);
    }

public:
    LONG_PTR original = 0;
};

class ButtonHost : public CDialog {
public:
    explicit ButtonHost(int id, int controlId) : CDialog(id), controlId_(controlId) {}
    PaintedButton button;
    bool subclassed = false;
    bool missingSubclassed = true;
    int parentDraws = 0;

protected:
    bool OnInitDialog() override {
        button.original = ::GetWindowLongPtrW(GetDlgItemHandle(controlId_), GWLP_WNDPROC);
        subclassed = button.SubclassDlgItem(controlId_, this);
        PaintedButton missing;
        missingSubclassed = missing.SubclassDlgItem(9999, this);
        return CDialog::OnInitDialog();
    }
    bool OnDrawItem(int, const DRAWITEMSTRUCT &) override {
        ++parentDraws;
        return true;
    }

private:
    int controlId_;
};

TEST_F(DialogTest, SubclassingCallsTheHookFirstAndRoutesOwnerDrawToTheButton) {
    ButtonHost host(IDD_SETUP, IDC_SETUP_CW);
    ASSERT_TRUE(host.Create());
    host.ShowWindow(SW_SHOWNOACTIVATE);
    HWND control = host.GetDlgItemHandle(IDC_SETUP_CW);
    EXPECT_TRUE(host.subclassed);
    EXPECT_FALSE(host.missingSubclassed);
    EXPECT_EQ(host.button.hookCalls, 1);
    EXPECT_TRUE(host.button.hookSawOwnProcedure);
    EXPECT_NE(::GetWindowLongPtrW(control, GWLP_WNDPROC), host.button.original);
    EXPECT_EQ(::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), &host.button);
    EXPECT_TRUE(host.button.IsKindOf(&CButton::runtimeClass));
    EXPECT_FALSE(host.button.IsKindOf(&CEdit::runtimeClass));

    EXPECT_EQ(pixelOf(control, 10, 8), kRed);
    host.button.face = kBlue;
    host.button.RedrawWindow();
    EXPECT_EQ(pixelOf(control, 10, 8), kBlue);
    EXPECT_GT(host.button.draws, 0);
    EXPECT_EQ(host.parentDraws, 0);

    // A second object cannot take the same control over.
    PaintedButton second;
    EXPECT_FALSE(second.SubclassWindow(control));
    EXPECT_EQ(second.hookCalls, 0);

    host.DestroyWindow();
    EXPECT_EQ(host.button.GetSafeHwnd(), nullptr);
    EXPECT_EQ(host.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, OwnerDrawOfAControlWithoutObjectGoesToTheDialog) {
    class Table : public CDialog {
    public:
        Table() : CDialog(IDD_PREVIOUS_QSO) {}
        int draws = 0;

    protected:
        bool OnDrawItem(int id, const DRAWITEMSTRUCT &item) override {
            if (id != IDC_PREV_TABLE) return false;
            ++draws;
            CDC dc(item.hDC);
            dc.FillSolidRect(item.rcItem, kTable);
            return true;
        }
    };
    Table table;
    ASSERT_TRUE(table.Create());
    table.ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_EQ(pixelOf(table.GetDlgItemHandle(IDC_PREV_TABLE), 30, 30), kTable);
    EXPECT_GT(table.draws, 0);
}

// An edit field with colours of its own, as the controls library's edit
// field will have.
class TintedEdit : public CEdit {
public:
    int requests = 0;
    framework::CBrush brush{kRed};

    HBRUSH CtlColor(CDC &dc, UINT kind) override {
        ++requests;
        lastKind = kind;
        dc.SetBkColor(kRed);
        return brush;
    }
    UINT lastKind = 0;
};

class ColourHost : public CDialog {
public:
    ColourHost() : CDialog(IDD_STATION_DETAILS) {}
    TintedEdit edit;
    framework::CBrush blue{kBlue};
    int staticRequests = 0;

protected:
    bool OnInitDialog() override {
        edit.SubclassDlgItem(IDC_CAB_CONTEST, this);
        return CDialog::OnInitDialog();
    }
    HBRUSH OnCtlColor(CDC &dc, CWnd *control, UINT kind) override {
        if (kind == CTLCOLOR_STATIC && control != nullptr && control->GetText() == "CONTEST") {
            ++staticRequests;
            dc.SetBkColor(kBlue);
            return blue;
        }
        return CDialog::OnCtlColor(dc, control, kind);
    }
};

TEST_F(DialogTest, ColourRequestsReachTheControlsOwnHandlerAndTheDialogs) {
    ColourHost host;
    ASSERT_TRUE(host.Create());
    host.ShowWindow(SW_SHOWNOACTIVATE);
    HWND edit = host.GetDlgItemHandle(IDC_CAB_CONTEST);
    // Inside the edit's client area, away from any text.
    RECT client{};
    ::GetClientRect(edit, &client);
    EXPECT_EQ(pixelOf(edit, client.right - 3, client.bottom / 2), kRed);
    EXPECT_GT(host.edit.requests, 0);
    EXPECT_EQ(host.edit.lastKind, static_cast<UINT>(CTLCOLOR_EDIT));

    // The label left of it, painted by the dialog's own answer.
    HWND label = nullptr;
    for (HWND child = ::GetWindow(host, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (textOf(child) == "CONTEST") label = child;
    ASSERT_NE(label, nullptr);
    ::GetClientRect(label, &client);
    EXPECT_EQ(pixelOf(label, client.right - 2, client.bottom - 2), kBlue);
    EXPECT_GT(host.staticRequests, 0);

    // Other edits keep the system's colours.
    HWND name = host.GetDlgItemHandle(IDC_CAB_NAME);
    ::GetClientRect(name, &client);
    EXPECT_EQ(pixelOf(name, client.right - 3, client.bottom / 2), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(DialogTest, ItemsWithoutObjectsAreBorrowedAndWindowCallsReachThem) {
    class Plain : public CDialog {
    public:
        Plain() : CDialog(IDD_SETUP) {}
    };
    Plain setup;
    ASSERT_TRUE(setup.Create());
    setup.ShowWindow(SW_SHOWNOACTIVATE);
    CWnd *label = setup.GetDlgItem(IDC_SETUP_COUNTRY_LABEL);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(setup.GetDlgItem(IDC_SETUP_COUNTRY_LABEL), label);  // the same wrapper again
    EXPECT_EQ(setup.GetDlgItem(4242), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(*label), nullptr);

    label->ShowWindow(SW_SHOW);
    label->MoveWindow(140, 90, 100, 25);
    label->SetText(" Код вашей страны");
    EXPECT_TRUE(isVisible(*label));
    const RECT r = rectInParent(*label);
    EXPECT_EQ(r.left, 140);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(textOf(*label), " Код вашей страны");
    EXPECT_EQ(label->GetText(), " Код вашей страны");

    // The Close item of the system menu can be switched off.
    HMENU menu = setup.GetSystemMenu(false);
    ASSERT_NE(menu, nullptr);
    ::EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);

    EXPECT_TRUE(setup.SetIconFromResource(IDI_MORVANTIA, true));
    EXPECT_NE(::SendMessageW(setup, WM_GETICON, ICON_BIG, 0), 0);

    // Kept above other windows without moving.
    setup.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(setup.GetExStyle() & WS_EX_TOPMOST);
}

TEST_F(DialogTest, OpeningAndClosingDialogsLeavesNoGdiOrUserObjects) {
    auto cycle = [] {
        ColourHost host;
        if (!host.Create()) return false;
        host.ShowWindow(SW_SHOWNOACTIVATE);
        host.SetIconFromResource(IDI_MORVANTIA, true);
        host.SetIconFromResource(IDI_MORVANTIA, false);
        captureClient(host);
        return true;
    };
    ASSERT_TRUE(cycle());  // warms up what the system caches
    const ProcessCounts before = processCounts();
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(cycle());
    pumpMessages();
    const ProcessCounts after = processCounts();
    // A leak would grow by at least one object per dialog.
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kSystemGdiCache);
    EXPECT_EQ(after.userObjects, before.userObjects);
    EXPECT_EQ(after.windows, before.windows);
}

TEST_F(DialogTest, ComboBoxFindsSelectsAndReadsItsEntries) {
    class Plain : public CDialog {
    public:
        Plain() : CDialog(IDD_SETUP) {}
    };
    Plain setup;
    ASSERT_TRUE(setup.Create());
    framework::CComboBox counties(setup.GetDlgItemHandle(IDC_SETUP_COUNTY));
    ASSERT_EQ(counties.GetCount(), 48);
    EXPECT_EQ(counties.GetCurSel(), CB_ERR);
    const int ct = counties.FindStringExact("ct");  // letter case ignored
    ASSERT_GE(ct, 0);
    EXPECT_EQ(counties.GetLBText(ct), "CT");
    EXPECT_EQ(counties.SetCurSel(ct), ct);
    EXPECT_EQ(counties.GetText(), "CT");
    EXPECT_EQ(counties.FindStringExact("ZZ"), CB_ERR);
    EXPECT_EQ(counties.GetLBText(480), "");
    // Sorted: a new entry goes to its place.
    EXPECT_EQ(counties.GetLBText(counties.AddString("AA")), "AA");
    EXPECT_EQ(counties.GetLBText(0), "AA");
    counties.ResetContent();
    EXPECT_EQ(counties.GetCount(), 0);
}

TEST(DeviceContext, ThreeDimensionalFrameAndFillsLandOnTheRightPixels) {
    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    framework::CBitmap bitmap;
    {
        framework::CClientDC display(nullptr);
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(display, 20, 20));
    }
    {
        framework::ScopedSelect selected(memory, bitmap);
        memory.FillSolidRect({0, 0, 20, 20}, RGB(0, 128, 0));
        memory.FillSolidRect({5, 5, 5, 10}, kRed);  // empty: paints nothing
        memory.Draw3dRect({2, 2, 12, 12}, RGB(255, 255, 255), RGB(128, 128, 128));
        EXPECT_EQ(memory.GetPixel(2, 2), RGB(255, 255, 255));     // top-left corner
        EXPECT_EQ(memory.GetPixel(10, 2), RGB(255, 255, 255));    // top edge
        EXPECT_EQ(memory.GetPixel(11, 2), RGB(128, 128, 128));    // top-right corner
        EXPECT_EQ(memory.GetPixel(2, 11), RGB(128, 128, 128));    // bottom-left corner
        EXPECT_EQ(memory.GetPixel(11, 11), RGB(128, 128, 128));   // bottom-right corner
        EXPECT_EQ(memory.GetPixel(5, 5), RGB(0, 128, 0));         // inside untouched
        EXPECT_EQ(memory.GetPixel(12, 12), RGB(0, 128, 0));       // outside untouched
        // Selection is put back: the bitmap is still the one drawn on.
        EXPECT_EQ(::GetCurrentObject(memory, OBJ_BITMAP), bitmap.Get());
    }
    EXPECT_NE(::GetCurrentObject(memory, OBJ_BITMAP), bitmap.Get());
}

TEST(DeviceContext, TextInUtf8AndColoursComeBackAsSet) {
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    EXPECT_EQ(memory.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(memory.GetTextColor(), RGB(1, 2, 3));
    memory.SetBkMode(TRANSPARENT);
    EXPECT_EQ(memory.GetBkMode(), TRANSPARENT);
    const POINT previous = memory.SetWindowOrg(5, 7);
    EXPECT_EQ(previous.x, 0);
    EXPECT_EQ(memory.GetWindowOrg().y, 7);
    EXPECT_FALSE(memory.IsPrinting());
    RECT rect{0, 0, 200, 40};
    EXPECT_GT(memory.DrawTextUtf8("Графства", rect, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_GT(rect.right, 0);
}

}  // namespace
}  // namespace gui_test
