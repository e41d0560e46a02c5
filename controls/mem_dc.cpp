#include "controls/mem_dc.h"

namespace controls {

CMemDC::CMemDC(framework::CDC &target, const RECT *rect) : target_(target.GetSafeHdc()) {
    if (target_ == nullptr) return;
    if (rect != nullptr) {
        rect_ = *rect;
    } else {
        target.GetClipBox(rect_);
    }
    // A metafile of the old kind records for printers too.
    const bool printing = target.IsPrinting() || ::GetObjectType(target_) == OBJ_METADC;
    offScreen_ = !printing && SetUpOffScreen(target);
    // Printing, or no bitmap to draw into: borrow the target's handle, so
    // that every call on this object lands on the target itself.
    if (!offScreen_) Attach(target_, Ownership::Borrowed);
}

bool CMemDC::SetUpOffScreen(framework::CDC &target) {
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    if (width <= 0 || height <= 0) return false;
    if (!CreateCompatibleDC(&target)) return false;
    if (!bitmap_.CreateCompatibleBitmap(target_, width, height)) {
        Release();
        return false;
    }
    bitmapSelection_.emplace(GetSafeHdc(), bitmap_.Get());
    SetWindowOrg(rect_.left, rect_.top);
    return true;
}

CMemDC::~CMemDC() {
    if (offScreen_) {
        ::BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left,
                 rect_.bottom - rect_.top, GetSafeHdc(), rect_.left, rect_.top, SRCCOPY);
        // The bitmap can only be deleted once it is out of the context.
        bitmapSelection_.reset();
        bitmap_.DeleteObject();
        Release();
    } else {
        Detach();
    }
}

}  // namespace controls
