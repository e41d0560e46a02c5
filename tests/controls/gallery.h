// The control gallery: a test-only dialog that shows every control of the
// library at once, in every look, so that the tests can read their pixels
// and a screenshot can show what they look like.
#pragma once

#include "controls/advanced_button.h"
#include "controls/advanced_dialog.h"
#include "controls/advanced_edit.h"
#include "framework/controls.h"
#include "tests/controls/gallery_ids.h"

#include <windows.h>

#include <array>

namespace controls_test {

// Colours of the two button kinds, as the companion windows use them.
constexpr COLORREF kModeFace = 0xF0F0F0;
constexpr COLORREF kCountyFace = 0x00FF00;
constexpr COLORREF kWorkedFace = 0xFF00FF;
constexpr COLORREF kWorkedText = 0x00FFFF;
constexpr COLORREF kLabel = 0x010101;
constexpr COLORREF kDisabledLabel = 0x808080;
// The gallery's own background and text.
constexpr COLORREF kGalleryFace = 0xC6FAFF;
constexpr COLORREF kGalleryText = 0x000000;
// The off-screen table's colours.
constexpr COLORREF kTableFace = 0xC6FFFF;
constexpr COLORREF kTableBar = 0xFFFFC6;

// A button that counts its paints and can be held in one look: the state
// bits it holds are added to every draw request, so that the gallery shows
// the focused looks of several buttons at the same time.
class StateButton : public controls::CAdvancedButton {
public:
    void Hold(UINT state) { held_ = state; }
    int Paints() const { return paints_; }
    void DrawItem(const DRAWITEMSTRUCT &item) override;

private:
    UINT held_ = 0;
    int paints_ = 0;
};

// A table drawn the way the previous-QSO window draws its own: through an
// off-screen context, filled, with a highlight bar and a few texts.
class OffScreenTable : public framework::CButton {
public:
    int Paints() const { return paints_; }
    bool LastPaintOffScreen() const { return lastOffScreen_; }
    void DrawItem(const DRAWITEMSTRUCT &item) override;

private:
    int paints_ = 0;
    bool lastOffScreen_ = false;
};

class Gallery : public controls::CAdvancedDialog {
public:
    explicit Gallery(framework::CWnd *parent = nullptr) : CAdvancedDialog(IDD_GALLERY, parent) {}

    // Opens the gallery modelessly, shown and painted.
    bool Open();

    // The five looks, in template order: normal, selected, focus,
    // focus and selected, disabled.
    std::array<StateButton, 5> rects;
    std::array<StateButton, 5> ellipses;
    StateButton unworked, worked;
    OffScreenTable table;
    controls::CAdvancedEdit colouredEdit;

protected:
    bool OnInitDialog() override;
};

// The states the five looks hold.
constexpr std::array<UINT, 5> kLooks = {0, ODS_SELECTED, ODS_FOCUS, ODS_FOCUS | ODS_SELECTED, 0};

}  // namespace controls_test
