// CWnd: one object per window. An object either attaches to a window (a
// dialog it created, or an existing control it subclasses) and is then found
// again from the HWND, or merely borrows an HWND to call on it.
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"
#include "framework/object.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace framework {

class CWnd : public CObject {
public:
    static constexpr CRuntimeClass runtimeClass{"CWnd", &CObject::runtimeClass};
    const CRuntimeClass *GetRuntimeClass() const override { return &runtimeClass; }

    CWnd() = default;
    // Borrows window: calls go to it, nothing is attached or destroyed.
    explicit CWnd(HWND window) : hwnd_(window) {}
    // A window this object created is destroyed (on its own thread); a
    // subclassed control gets its own window procedure back.
    ~CWnd() override;
    CWnd(const CWnd &) = delete;
    CWnd &operator=(const CWnd &) = delete;

    HWND GetSafeHwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

    // The object attached to window, or null when the window has none.
    static CWnd *FromHandlePermanent(HWND window);

    // Subclassing: takes over an existing window. PreSubclassWindow runs
    // just before the window procedure is replaced, with the handle already
    // set. False when the window does not exist or this object already
    // holds one.
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int id, const CWnd *parent);
    // Gives the window its own procedure back and lets it go.
    HWND UnsubclassWindow();

    // Window operations (thin calls on the held window).
    bool ShowWindow(int command) { return ::ShowWindow(hwnd_, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    bool EnableWindow(bool enable) { return ::EnableWindow(hwnd_, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    bool MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        return ::MoveWindow(hwnd_, x, y, width, height, repaint) != FALSE;
    }
    bool MoveWindow(const RECT &rect, bool repaint = true) {
        return MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          repaint);
    }
    bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(hwnd_, insertAfter, x, y, width, height, flags) != FALSE;
    }
    void SetText(const std::string &utf8);
    std::string GetText() const;
    bool RedrawWindow(const RECT *rect = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(hwnd_, rect, nullptr, flags) != FALSE;
    }
    void Invalidate(bool erase = true) { ::InvalidateRect(hwnd_, nullptr, erase); }
    void InvalidateRect(const RECT *rect, bool erase = true) {
        ::InvalidateRect(hwnd_, rect, erase);
    }
    void UpdateWindow() { ::UpdateWindow(hwnd_); }
    bool GetWindowRect(RECT &rect) const { return ::GetWindowRect(hwnd_, &rect) != FALSE; }
    bool GetClientRect(RECT &rect) const { return ::GetClientRect(hwnd_, &rect) != FALSE; }
    LONG_PTR GetStyle() const { return ::GetWindowLongPtrW(hwnd_, GWL_STYLE); }
    LONG_PTR GetExStyle() const { return ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE); }
    // Changes style bits; with flags non-zero the frame is recomputed too.
    bool ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    // The system menu, or null; the menu belongs to the window.
    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(hwnd_, revert); }
    // Loads icon resource id from the resource module and shows it as the
    // large or small icon; the icon lives as long as this object.
    bool SetIconFromResource(int id, bool big);
    HICON SetIcon(HICON icon, bool big);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(hwnd_); }
    HWND GetDlgItemHandle(int id) const { return ::GetDlgItem(hwnd_, id); }
    // The control with id: its attached object, else a borrowed wrapper kept
    // by this window; null when there is no such control.
    CWnd *GetDlgItem(int id);
    // child as a CWnd, the same way.
    CWnd *ChildFromHandle(HWND child);
    LRESULT SendMessageTo(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    bool PostMessageTo(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
    }
    bool DestroyWindow();

    // Handlers a control overrides. The parent hands a control the requests
    // that concern it (owner-draw, colours, its own notifications) before
    // handling them itself; true: handled, result set.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);
    // Colour request of this control (kind: CTLCOLOR_EDIT, _STATIC, ...): a
    // brush to paint with, or null for the parent's handling.
    virtual HBRUSH CtlColor(CDC &dc, UINT kind);

protected:
    // Called just before a subclassed window's procedure is replaced.
    virtual void PreSubclassWindow() {}
    // Messages of a subclassed window; the default passes them on to the
    // window's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallPreviousProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone (WM_NCDESTROY), with this object detached.
    virtual void PostNcDestroy() {}

    // For classes that create windows: ties window to this object.
    void AttachCreated(HWND window);
    // Undoes AttachCreated or SubclassWindow once the window is gone.
    void DetachDestroyed();
    bool OwnsWindow() const { return attached_; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool attached_ = false;       // in the handle map
    bool created_ = false;        // destroyed by us when still alive
    WNDPROC previousProc_ = nullptr;  // set while subclassed
    CIcon bigIcon_, smallIcon_;
    // Wrappers of children without an object of their own; window's thread.
    std::map<HWND, std::unique_ptr<CWnd>> borrowed_;
};

}  // namespace framework
