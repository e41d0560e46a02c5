#include "framework/dc.h"

#include "framework/text.h"

#include <utility>

namespace framework {

CDC::~CDC() { Release(); }

void CDC::Attach(HDC hdc, Ownership ownership, HWND window) {
    Release();
    hdc_ = hdc;
    ownership_ = hdc != nullptr ? ownership : Ownership::Borrowed;
    window_ = window;
}

HDC CDC::Detach() {
    ownership_ = Ownership::Borrowed;
    window_ = nullptr;
    return std::exchange(hdc_, nullptr);
}

void CDC::Release() {
    if (hdc_ != nullptr) {
        switch (ownership_) {
        case Ownership::Borrowed:
            break;
        case Ownership::Delete:
            ::DeleteDC(hdc_);
            break;
        case Ownership::Release:
            ::ReleaseDC(window_, hdc_);
            break;
        case Ownership::EndPaint:
            ::EndPaint(window_, &paint_);
            break;
        }
    }
    hdc_ = nullptr;
    ownership_ = Ownership::Borrowed;
    window_ = nullptr;
}

bool CDC::CreateCompatibleDC(const CDC *other) {
    HDC memory = ::CreateCompatibleDC(other != nullptr ? other->hdc_ : nullptr);
    if (memory == nullptr) return false;
    Attach(memory, Ownership::Delete);
    return true;
}

POINT CDC::SetWindowOrg(int x, int y) {
    POINT previous{};
    ::SetWindowOrgEx(hdc_, x, y, &previous);
    return previous;
}

POINT CDC::GetWindowOrg() const {
    POINT origin{};
    ::GetWindowOrgEx(hdc_, &origin);
    return origin;
}

bool CDC::IsPrinting() const {
    if (hdc_ == nullptr) return false;
    return ::GetDeviceCaps(hdc_, TECHNOLOGY) == DT_RASPRINTER ||
           ::GetObjectType(hdc_) == OBJ_ENHMETADC;
}

void CDC::FillSolidRect(const RECT &rect, COLORREF colour) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    CBrush brush(colour);
    ::FillRect(hdc_, &rect, brush);
}

void CDC::Draw3dRect(const RECT &rect, COLORREF topLeft, COLORREF bottomRight) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    FillSolidRect({rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillSolidRect({rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillSolidRect({rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolidRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

int CDC::DrawTextUtf8(const std::string &text, RECT &rect, UINT format) {
    const std::wstring wide = Widen(text);
    return ::DrawTextW(hdc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

bool CDC::TextOutUtf8(int x, int y, const std::string &text) {
    const std::wstring wide = Widen(text);
    return ::TextOutW(hdc_, x, y, wide.c_str(), static_cast<int>(wide.size())) != FALSE;
}

CPaintDC::CPaintDC(HWND window) {
    HDC hdc = ::BeginPaint(window, &paint_);
    if (hdc != nullptr) Attach(hdc, Ownership::EndPaint, window);
}

}  // namespace framework
