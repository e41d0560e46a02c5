// The colour-inheriting dialog and the coloured edit field, on real
// dialogs read back pixel by pixel: default colours, a colour change
// running down a tree of dialogs, edit and list controls, and parents that
// go before their children.
#include "controls/advanced_dialog.h"
#include "controls/advanced_edit.h"
#include "framework/win_app.h"
#include "tests/controls/gallery_ids.h"
#include "tests/controls/pixels.h"
#include "tests/gui/rig/gui_probe.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace controls_test {
namespace {

using controls::CAdvancedDialog;
using controls::CAdvancedEdit;
using gui_test::Image;

constexpr COLORREF kDefaultFace = 0x0AFF50;
constexpr COLORREF kDefaultText = 0xFF0A14;
constexpr COLORREF kWindowWhite = 0xFFFFFF;

RECT clientOf(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return r;
}

bool hasInk(HWND window, COLORREF colour) {
    return countColour(readClient(window), colour, clientOf(window)) > 0;
}

class ColourDialogTest : public ::testing::Test {
protected:
    void SetUp() override { framework::SetResourceModule(::GetModuleHandleW(nullptr)); }

    static void open(framework::CDialog &dialog) {
        ASSERT_TRUE(dialog.Create());
        dialog.ShowWindow(SW_SHOWNOACTIVATE);
        // No caret blinking in a field whose pixels a test reads.
        ::SetFocus(nullptr);
        dialog.RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        gui_test::pumpMessages();
    }
};

using DialogColours = ColourDialogTest;

TEST_F(DialogColours, WithoutASuitableParentTheDefaultsApply) {
    framework::CDialog plain(IDD_BUTTONS);
    framework::CWnd desktop(::GetDesktopWindow());
    CAdvancedDialog none(IDD_NEST_PARENT, nullptr);
    CAdvancedDialog overPlain(IDD_NEST_PARENT, &plain);
    CAdvancedDialog overWindow("#203", &desktop);
    for (const CAdvancedDialog *dialog : {&none, &overPlain, &overWindow}) {
        EXPECT_EQ(dialog->GetFaceColor(), kDefaultFace);
        EXPECT_EQ(dialog->GetTextColor(), kDefaultText);
        EXPECT_EQ(dialog->GetParentDialog(), nullptr);
    }
    EXPECT_EQ(overPlain.GetParentWnd(), &plain);
}

TEST_F(DialogColours, TheDefaultsPaintTheBackgroundAndTheTexts) {
    CAdvancedDialog dialog(IDD_NEST_PARENT, nullptr);
    open(dialog);
    EXPECT_EQ(readClient(dialog).at(2, 2), kDefaultFace);
    HWND text = dialog.GetDlgItemHandle(IDC_NEST_TEXT);
    const Image image = readClient(text);
    EXPECT_EQ(image.at(0, 0), kDefaultFace);
    EXPECT_GT(countColour(image, kDefaultText, clientOf(text)), 0);
}

TEST_F(DialogColours, AChildTakesItsParentsColoursAndJoinsIt) {
    CAdvancedDialog parent(IDD_NEST_PARENT, nullptr);
    parent.SetFaceColor(0x123456);
    parent.SetTextColor(0x654321);
    CAdvancedDialog first(IDD_NEST_CHILD, &parent);
    CAdvancedDialog second("#204", &parent);
    for (const CAdvancedDialog *child : {&first, &second}) {
        EXPECT_EQ(child->GetFaceColor(), 0x123456u);
        EXPECT_EQ(child->GetTextColor(), 0x654321u);
        EXPECT_EQ(child->GetParentDialog(), &parent);
    }
    EXPECT_EQ(parent.GetChildDialogs(), (std::vector<CAdvancedDialog *>{&first, &second}));
}

TEST_F(DialogColours, CopyColorsTakesBothColoursWithoutPropagating) {
    CAdvancedDialog source(IDD_NEST_PARENT, nullptr);
    source.SetFaceColor(1);
    source.SetTextColor(2);
    CAdvancedDialog target(IDD_NEST_PARENT, nullptr);
    CAdvancedDialog targetsChild(IDD_NEST_CHILD, &target);
    target.CopyColors(source);
    EXPECT_EQ(target.GetFaceColor(), 1u);
    EXPECT_EQ(target.GetTextColor(), 2u);
    EXPECT_EQ(targetsChild.GetFaceColor(), kDefaultFace);
}

TEST_F(DialogColours, TheDialogKnowsItsRunTimeClass) {
    CAdvancedDialog dialog(IDD_NEST_PARENT, nullptr);
    framework::CWnd *window = &dialog;
    EXPECT_STREQ(window->GetRuntimeClass()->className, "CAdvancedDialog");
    EXPECT_TRUE(window->IsKindOf(&framework::CDialog::runtimeClass));
    CAdvancedEdit edit;
    EXPECT_STREQ(edit.GetRuntimeClass()->className, "CAdvancedEdit");
    EXPECT_TRUE(edit.IsKindOf(&framework::CEdit::runtimeClass));
    EXPECT_FALSE(edit.IsKindOf(&framework::CDialog::runtimeClass));
}

// A popup with a child panel, and a grandchild panel inside that, all shown.
class DialogTree : public ColourDialogTest {
protected:
    void SetUp() override {
        ColourDialogTest::SetUp();
        open(parent_);
        open(child_);
        open(grandchild_);
        // Beside the child's text, so that both texts show.
        grandchild_.SetWindowPos(nullptr, 70, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        parent_.RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    HWND textOf(CAdvancedDialog &dialog) { return dialog.GetDlgItemHandle(IDC_NEST_TEXT); }

    CAdvancedDialog parent_{IDD_NEST_PARENT, nullptr};
    CAdvancedDialog child_{IDD_NEST_CHILD, &parent_};
    CAdvancedDialog grandchild_{IDD_NEST_CHILD, &child_};
};

TEST_F(DialogTree, StartsInTheInheritedColours) {
    for (CAdvancedDialog *dialog : {&parent_, &child_, &grandchild_}) {
        EXPECT_EQ(readClient(*dialog).at(2, 2), kDefaultFace);
        EXPECT_TRUE(hasInk(textOf(*dialog), kDefaultText));
    }
    EXPECT_EQ(::GetParent(child_), parent_.GetSafeHwnd());
    EXPECT_EQ(::GetParent(grandchild_), child_.GetSafeHwnd());
}

TEST_F(DialogTree, AColourChangeOnTheParentRepaintsChildAndGrandchildAtOnce) {
    parent_.SetFaceColor(0x3366CC);
    // The dialogs themselves are repainted before the call returns.
    for (CAdvancedDialog *dialog : {&parent_, &child_, &grandchild_}) {
        EXPECT_EQ(dialog->GetFaceColor(), 0x3366CCu);
        EXPECT_EQ(readClient(*dialog).at(2, 2), 0x3366CCu);
    }
    // Their texts are invalidated with them and repaint on the next pass of
    // the message loop.
    parent_.SetTextColor(0x0000C0);
    gui_test::pumpMessages();
    for (CAdvancedDialog *dialog : {&parent_, &child_, &grandchild_}) {
        EXPECT_EQ(readClient(textOf(*dialog)).at(0, 0), 0x3366CCu);
        EXPECT_TRUE(hasInk(textOf(*dialog), 0x0000C0)) << dialog->GetSafeHwnd();
        EXPECT_FALSE(hasInk(textOf(*dialog), kDefaultText));
    }
}

TEST_F(DialogTree, AChangeInTheMiddleReachesOnlyWhatLiesBelow) {
    child_.SetFaceColor(0x00C0C0);
    gui_test::pumpMessages();
    EXPECT_EQ(readClient(parent_).at(2, 2), kDefaultFace);
    EXPECT_EQ(readClient(child_).at(2, 2), 0x00C0C0u);
    EXPECT_EQ(readClient(grandchild_).at(2, 2), 0x00C0C0u);
}

TEST_F(DialogTree, EditAndListKeepTheirWhiteButTakeTheDialogsTextColour) {
    HWND edit = parent_.GetDlgItemHandle(IDC_NEST_EDIT);
    HWND list = parent_.GetDlgItemHandle(IDC_NEST_LIST);
    ::SetWindowTextW(edit, L"WWWW");
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"WWWW"));
    parent_.SetTextColor(0x0000C0);
    gui_test::pumpMessages();
    for (HWND control : {edit, list}) {
        const Image image = readClient(control);
        EXPECT_EQ(image.at(1, 1), kWindowWhite);
        EXPECT_GT(countColour(image, 0x0000C0, clientOf(control)), 0);
        EXPECT_EQ(countColour(image, 0x000000, clientOf(control)), 0);
        EXPECT_EQ(countColour(image, kDefaultFace, clientOf(control)), 0);
    }
}

// Edit fields with colours of their own.
class AdvancedEdit : public ColourDialogTest {
protected:
    // An edit field of dialog taken over, with face and text colours and a
    // line of text, repainted.
    void takeOver(framework::CDialog &dialog, COLORREF face, COLORREF text) {
        open(dialog);
        ASSERT_TRUE(edit_.SubclassDlgItem(IDC_NEST_ADVANCED_EDIT, &dialog));
        edit_.SetText("WWWW");
        edit_.SetFaceColor(face);
        edit_.SetTextColor(text);
    }
    CAdvancedEdit edit_;
};

TEST_F(AdvancedEdit, StartsBlackOnWhiteWithATransparentTextBackground) {
    EXPECT_EQ(edit_.GetFaceColor(), 0xFFFFFFu);
    EXPECT_EQ(edit_.GetTextColor(), 0x000000u);
    EXPECT_EQ(edit_.GetTransparent(), 1);
    edit_.SetTransparent(0);
    edit_.SetTransparent();
    EXPECT_EQ(edit_.GetTransparent(), 1);
}

TEST_F(AdvancedEdit, AnswersItsOwnColourRequestInsideAColourDialog) {
    CAdvancedDialog dialog(IDD_NEST_PARENT, nullptr);
    takeOver(dialog, 0x00FFFF, 0x0000FF);
    const Image image = readClient(edit_);
    EXPECT_EQ(image.at(1, 1), 0x00FFFFu);
    EXPECT_GT(countColour(image, 0x0000FF, clientOf(edit_)), 0);
    EXPECT_EQ(countColour(image, kDefaultText, clientOf(edit_)), 0);
    // The dialog's colour change passes the field by.
    dialog.SetTextColor(0x00C000);
    EXPECT_EQ(countColour(readClient(edit_), 0x00C000, clientOf(edit_)), 0);
}

TEST_F(AdvancedEdit, AnswersItsOwnColourRequestInsideAPlainDialog) {
    framework::CDialog dialog(IDD_NEST_PARENT);
    takeOver(dialog, 0xC0FFC0, 0x800000);
    const Image image = readClient(edit_);
    EXPECT_EQ(image.at(1, 1), 0xC0FFC0u);
    EXPECT_GT(countColour(image, 0x800000, clientOf(edit_)), 0);
}

TEST_F(AdvancedEdit, OpaqueTextSitsOnTheFaceColour) {
    CAdvancedDialog dialog(IDD_NEST_PARENT, nullptr);
    takeOver(dialog, 0x00FFFF, 0x0000FF);
    edit_.SetTransparent(0);
    const Image image = readClient(edit_);
    EXPECT_EQ(coloursIn(image), (std::set<COLORREF>{0x00FFFF, 0x0000FF}));
    Canvas canvas(4, 4, 0);
    edit_.CtlColor(canvas.dc(), CTLCOLOR_EDIT);
    EXPECT_EQ(canvas.dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(canvas.dc().GetBkColor(), 0x00FFFFu);
    edit_.SetTransparent(1);
    edit_.CtlColor(canvas.dc(), CTLCOLOR_EDIT);
    EXPECT_EQ(canvas.dc().GetBkMode(), TRANSPARENT);
    EXPECT_EQ(canvas.dc().GetTextColor(), 0x0000FFu);
}

// Parents and children that go in an unusual order, or would loop.
using DialogFamily = ColourDialogTest;

TEST_F(DialogFamily, ChildrenOutliveTheirParentWithoutPointingAtIt) {
    auto parent = std::make_unique<CAdvancedDialog>(IDD_NEST_PARENT, nullptr);
    CAdvancedDialog child(IDD_NEST_PARENT, parent.get());
    CAdvancedDialog grandchild(IDD_NEST_PARENT, &child);
    parent->SetFaceColor(0x112233);
    EXPECT_EQ(grandchild.GetFaceColor(), 0x112233u);
    parent.reset();
    EXPECT_EQ(child.GetParentDialog(), nullptr);
    EXPECT_EQ(child.GetParentWnd(), nullptr);
    EXPECT_EQ(grandchild.GetParentDialog(), &child);
    // Still a working tree of its own, with the colours it had.
    EXPECT_EQ(child.GetFaceColor(), 0x112233u);
    child.SetFaceColor(0x445566);
    EXPECT_EQ(grandchild.GetFaceColor(), 0x445566u);
    // And it opens without an owner.
    open(child);
    EXPECT_EQ(::GetWindow(child, GW_OWNER), nullptr);
    EXPECT_EQ(readClient(child).at(2, 2), 0x445566u);
}

TEST_F(DialogFamily, AChildThatGoesFirstLeavesItsParent) {
    CAdvancedDialog parent(IDD_NEST_PARENT, nullptr);
    auto first = std::make_unique<CAdvancedDialog>(IDD_NEST_CHILD, &parent);
    CAdvancedDialog second(IDD_NEST_CHILD, &parent);
    first.reset();
    EXPECT_EQ(parent.GetChildDialogs(), std::vector<CAdvancedDialog *>{&second});
    parent.SetFaceColor(0x010203);
    EXPECT_EQ(second.GetFaceColor(), 0x010203u);
}

TEST_F(DialogFamily, JoiningAnotherParentLeavesTheFirst) {
    CAdvancedDialog first(IDD_NEST_PARENT, nullptr);
    CAdvancedDialog second(IDD_NEST_PARENT, nullptr);
    second.SetFaceColor(0x0A0B0C);
    CAdvancedDialog child(IDD_NEST_CHILD, &first);
    child.InheritColors(&second);
    EXPECT_TRUE(first.GetChildDialogs().empty());
    EXPECT_EQ(second.GetChildDialogs(), std::vector<CAdvancedDialog *>{&child});
    EXPECT_EQ(child.GetFaceColor(), 0x0A0B0Cu);
    child.InheritColors(nullptr);
    EXPECT_TRUE(second.GetChildDialogs().empty());
    EXPECT_EQ(child.GetFaceColor(), kDefaultFace);
}

TEST_F(DialogFamily, ADialogCannotBecomeItsOwnAncestor) {
    CAdvancedDialog top(IDD_NEST_PARENT, nullptr);
    CAdvancedDialog middle(IDD_NEST_CHILD, &top);
    CAdvancedDialog bottom(IDD_NEST_CHILD, &middle);
    top.SetFaceColor(0x0F0F0F);
    top.InheritColors(&bottom);
    top.InheritColors(&top);
    EXPECT_EQ(top.GetParentDialog(), nullptr);
    EXPECT_EQ(top.GetFaceColor(), kDefaultFace);
    EXPECT_TRUE(bottom.GetChildDialogs().empty());
    // The propagation still ends.
    top.SetFaceColor(0x202020);
    EXPECT_EQ(bottom.GetFaceColor(), 0x202020u);
}

}  // namespace
}  // namespace controls_test
