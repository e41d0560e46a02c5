#include "tests/controls/gallery.h"

#include "controls/mem_dc.h"

namespace controls_test {

void StateButton::DrawItem(const DRAWITEMSTRUCT &item) {
    ++paints_;
    DRAWITEMSTRUCT held = item;
    held.itemState |= held_;
    CAdvancedButton::DrawItem(held);
}

void OffScreenTable::DrawItem(const DRAWITEMSTRUCT &item) {
    ++paints_;
    framework::CDC target(item.hDC);
    controls::CMemDC dc(target);
    lastOffScreen_ = dc.IsOffScreen();
    const RECT &area = item.rcItem;
    dc.FillSolidRect(area, kTableFace);
    const int row = area.bottom / 3;
    dc.FillSolidRect({0, 2 * row + 10, area.right, 3 * row - 10}, kTableBar);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOutUtf8(20, 22, "Band");
    dc.TextOutUtf8(100, 22, "CW");
    dc.TextOutUtf8(160, 22, "SSB");
    dc.TextOutUtf8(220, 22, "DIGI");
    dc.TextOutUtf8(20, row + 10, "80m");
    dc.TextOutUtf8(90, row + 10, "12:34");
    dc.TextOutUtf8(20, 2 * row + 10, "40m");
    dc.TextOutUtf8(160, 2 * row + 10, "   -");
}

bool Gallery::OnInitDialog() {
    CAdvancedDialog::OnInitDialog();
    const int rectIds[] = {IDC_RECT_NORMAL, IDC_RECT_SELECTED, IDC_RECT_FOCUS, IDC_RECT_PRESSED,
                           IDC_RECT_DISABLED};
    const int ellipseIds[] = {IDC_ELLIPSE_NORMAL, IDC_ELLIPSE_SELECTED, IDC_ELLIPSE_FOCUS,
                              IDC_ELLIPSE_PRESSED, IDC_ELLIPSE_DISABLED};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        rects[i].AttachToDialogItem(rectIds[i], this, kModeFace, kLabel, kDisabledLabel);
        rects[i].SetShape(controls::CAdvancedButton::kRectangle);
        rects[i].Hold(kLooks[i]);
        ellipses[i].AttachToDialogItem(ellipseIds[i], this, kCountyFace, kLabel, kDisabledLabel);
        ellipses[i].SetShape(controls::CAdvancedButton::kEllipse);
        ellipses[i].Hold(kLooks[i]);
    }
    unworked.AttachToDialogItem(IDC_COUNTY_UNWORKED, this, kCountyFace, kLabel, kDisabledLabel);
    unworked.SetShape(controls::CAdvancedButton::kEllipse);
    worked.AttachToDialogItem(IDC_COUNTY_WORKED, this, kWorkedFace, kWorkedText, kDisabledLabel);
    worked.SetShape(controls::CAdvancedButton::kEllipse);
    table.SubclassDlgItem(IDC_TABLE, this);
    colouredEdit.SubclassDlgItem(IDC_GALLERY_ADVANCED_EDIT, this);
    colouredEdit.SetFaceColor(0xE0FFE0);
    colouredEdit.SetTextColor(0x800000);
    colouredEdit.SetText("Own colours");
    GetDlgItem(IDC_GALLERY_EDIT)->SetText("Plain field");
    HWND list = GetDlgItemHandle(IDC_GALLERY_LIST);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"List entry"));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Another"));
    // No control takes the focus: the focused looks are held, not real.
    return false;
}

bool Gallery::Open() {
    faceColor_ = kGalleryFace;
    textColor_ = kGalleryText;
    if (!Create()) return false;
    ShowWindow(SW_SHOWNOACTIVATE);
    RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return true;
}

}  // namespace controls_test
