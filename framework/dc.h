// Device contexts. A CDC either owns its HDC (and gives it back the way it
// was obtained) or borrows one that somebody else releases, such as the DC
// of a draw request.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

#include <string>

namespace framework {

class CDC {
public:
    // How the held HDC is given back when the CDC goes.
    enum class Ownership { Borrowed, Delete, Release, EndPaint };

    CDC() = default;
    explicit CDC(HDC borrowed) : hdc_(borrowed) {}
    virtual ~CDC();
    CDC(const CDC &) = delete;
    CDC &operator=(const CDC &) = delete;

    HDC GetSafeHdc() const { return hdc_; }
    operator HDC() const { return hdc_; }

    // Takes hdc; a DC obtained with GetDC/GetWindowDC needs the window it
    // came from to be released.
    void Attach(HDC hdc, Ownership ownership, HWND window = nullptr);
    // Gives the HDC up without releasing it.
    HDC Detach();
    // Releases the held HDC as its ownership says.
    void Release();

    // A memory DC compatible with other (the screen when null), owned.
    bool CreateCompatibleDC(const CDC *other);

    // Attributes; each returns the previous value.
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(hdc_, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(hdc_); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(hdc_, colour); }
    COLORREF GetBkColor() const { return ::GetBkColor(hdc_); }
    int SetBkMode(int mode) { return ::SetBkMode(hdc_, mode); }
    int GetBkMode() const { return ::GetBkMode(hdc_); }
    POINT SetWindowOrg(int x, int y);
    POINT GetWindowOrg() const;
    int GetClipBox(RECT &rect) const { return ::GetClipBox(hdc_, &rect); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(hdc_, index); }
    // True for printers (and the metafiles drawn for them).
    bool IsPrinting() const;

    // Drawing.
    void FillSolidRect(const RECT &rect, COLORREF colour);
    bool FillRect(const RECT &rect, HBRUSH brush) { return ::FillRect(hdc_, &rect, brush) != 0; }
    // A one-pixel frame just inside rect: top and left edges in topLeft,
    // bottom and right edges in bottomRight.
    void Draw3dRect(const RECT &rect, COLORREF topLeft, COLORREF bottomRight);
    bool Ellipse(const RECT &rect) {
        return ::Ellipse(hdc_, rect.left, rect.top, rect.right, rect.bottom) != FALSE;
    }
    bool MoveTo(int x, int y) { return ::MoveToEx(hdc_, x, y, nullptr) != FALSE; }
    bool LineTo(int x, int y) { return ::LineTo(hdc_, x, y) != FALSE; }
    // Inverting: a second call over the same rectangle removes it.
    bool DrawFocusRect(const RECT &rect) { return ::DrawFocusRect(hdc_, &rect) != FALSE; }
    int DrawTextUtf8(const std::string &text, RECT &rect, UINT format);
    bool TextOutUtf8(int x, int y, const std::string &text);
    bool BitBlt(int x, int y, int width, int height, const CDC &source, int sourceX,
                int sourceY, DWORD rop) {
        return ::BitBlt(hdc_, x, y, width, height, source.hdc_, sourceX, sourceY, rop) != FALSE;
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(hdc_, x, y); }

private:
    HDC hdc_ = nullptr;
    Ownership ownership_ = Ownership::Borrowed;
    HWND window_ = nullptr;  // for Release and EndPaint
    PAINTSTRUCT paint_{};    // for EndPaint

    friend class CPaintDC;
};

// The DC of one WM_PAINT: BeginPaint now, EndPaint when it goes.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    const PAINTSTRUCT &Paint() const { return paint_; }
};

// The client area's DC.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window) { Attach(::GetDC(window), Ownership::Release, window); }
};

// The whole window's DC, frame included.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND window) {
        Attach(::GetWindowDC(window), Ownership::Release, window);
    }
};

}  // namespace framework
