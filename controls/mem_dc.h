// Off-screen drawing for one paint: the painter draws into a memory bitmap
// the size of the target's clip box, in the target's own coordinates, and
// the picture reaches the target in one copy when this object goes, so a
// window repainted at typing speed never shows a half-drawn state.
//
// A printing context (a printer, or a metafile being recorded) gets the
// drawing directly: a bitmap copy would print at screen resolution, or land
// in the metafile as a picture instead of drawing records. When the memory
// bitmap cannot be made (an empty clip box, or the system out of memory),
// drawing also goes straight to the target rather than nowhere.
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"

#include <windows.h>

#include <optional>

namespace controls {

class CMemDC : public framework::CDC {
public:
    // rect: the part of the target to draw, in its logical coordinates;
    // the target's clip box when null.
    explicit CMemDC(framework::CDC &target, const RECT *rect = nullptr);
    // Copies the picture to the target (when drawn off-screen) and frees
    // the bitmap and the memory context.
    ~CMemDC() override;
    CMemDC(const CMemDC &) = delete;
    CMemDC &operator=(const CMemDC &) = delete;

    bool IsOffScreen() const { return offScreen_; }
    // The part of the target drawn, in the target's logical coordinates.
    const RECT &DrawingRect() const { return rect_; }

private:
    bool SetUpOffScreen(framework::CDC &target);

    framework::CBitmap bitmap_;
    // Keeps the memory context's own bitmap to select back before the copy
    // is deleted.
    std::optional<framework::ScopedSelect> bitmapSelection_;
    HDC target_;  // borrowed from the painter
    RECT rect_{};
    bool offScreen_ = false;
};

}  // namespace controls
