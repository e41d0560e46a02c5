// The previous-QSO window: one owner-drawn table that shows, for the call
// in the host's entry field, when it was worked on each band and mode class
// and what it sent. The refresh fills the rows; this window only paints.
#pragma once

#include "framework/controls.h"
#include "windows/companion_dialog.h"

namespace ui {

class CqEA : public framework::CButton {
public:
    explicit CqEA(UiThreadState &shared) : shared_(shared) {}
    void DrawItem(const DRAWITEMSTRUCT &item) override;

private:
    UiThreadState &shared_;
};

class Prev_QSO : public CompanionDialog {
public:
    explicit Prev_QSO(UiThreadState &shared);
    // Repaints the table without erasing its background first.
    void RepaintTable();

protected:
    bool OnInitDialog() override;

private:
    CqEA table_;
};

}  // namespace ui
