#include "framework/wnd.h"

#include "framework/text.h"
#include "framework/win_app.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace framework {
namespace {

// The objects attached to windows. Windows of several threads (the host's
// and the UI thread's) are looked up here, so every access holds the lock.
struct HandleMap {
    std::mutex mutex;                       // guards objects
    std::unordered_map<HWND, CWnd *> objects;  // guarded by mutex
};

HandleMap &handleMap() {
    static HandleMap map;
    return map;
}

void registerWindow(HWND window, CWnd *object) {
    HandleMap &map = handleMap();
    std::lock_guard<std::mutex> lock(map.mutex);
    map.objects[window] = object;
}

void unregisterWindow(HWND window, const CWnd *object) {
    HandleMap &map = handleMap();
    std::lock_guard<std::mutex> lock(map.mutex);
    auto found = map.objects.find(window);
    if (found != map.objects.end() && found->second == object) map.objects.erase(found);
}

}  // namespace

CWnd::~CWnd() {
    if (!attached_) return;
    HWND window = hwnd_;
    const bool destroy = created_ && ::IsWindow(window) &&
                         ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
    // Messages that the teardown causes must not reach an object that is
    // half gone: detach first, then destroy.
    if (previousProc_ != nullptr) UnsubclassWindow();
    unregisterWindow(window, this);
    attached_ = false;
    hwnd_ = nullptr;
    borrowed_.clear();
    // A window of another thread cannot be destroyed from here; it goes
    // when its thread ends.
    if (destroy) ::DestroyWindow(window);
}

CWnd *CWnd::FromHandlePermanent(HWND window) {
    if (window == nullptr) return nullptr;
    HandleMap &map = handleMap();
    std::lock_guard<std::mutex> lock(map.mutex);
    auto found = map.objects.find(window);
    return found != map.objects.end() ? found->second : nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (hwnd_ != nullptr || window == nullptr || !::IsWindow(window)) return false;
    if (FromHandlePermanent(window) != nullptr) return false;
    hwnd_ = window;
    attached_ = true;
    registerWindow(window, this);
    PreSubclassWindow();
    previousProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (previousProc_ == nullptr) {
        unregisterWindow(window, this);
        attached_ = false;
        hwnd_ = nullptr;
        return false;
    }
    return true;
}

bool CWnd::SubclassDlgItem(int id, const CWnd *parent) {
    if (parent == nullptr || parent->hwnd_ == nullptr) return false;
    HWND control = ::GetDlgItem(parent->hwnd_, id);
    return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
    if (previousProc_ == nullptr) return nullptr;
    HWND window = hwnd_;
    // Only put the old procedure back when ours is still the one in place;
    // otherwise somebody subclassed on top of us and would lose theirs.
    if (::IsWindow(window) &&
        ::GetWindowLongPtrW(window, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc))
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    previousProc_ = nullptr;
    unregisterWindow(window, this);
    attached_ = false;
    hwnd_ = nullptr;
    return window;
}

void CWnd::SetText(const std::string &utf8) {
    ::SetWindowTextW(hwnd_, Widen(utf8).c_str());
}

std::string CWnd::GetText() const {
    if (hwnd_ == nullptr) return std::string();
    const int length = ::GetWindowTextLengthW(hwnd_);
    if (length <= 0) return std::string();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return Narrow(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | add;
    if (changed == style) return false;
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, changed);
    if (flags != 0)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return true;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | add;
    if (changed == style) return false;
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, changed);
    if (flags != 0)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return true;
}

bool CWnd::SetIconFromResource(int id, bool big) {
    CIcon &icon = big ? bigIcon_ : smallIcon_;
    CIcon loaded;
    if (!loaded.Load(ResourceModule(), id, big)) return false;
    SetIcon(loaded.Get(), big);
    // The window now shows the new icon; the old one may go.
    icon.Swap(loaded);
    return true;
}

HICON CWnd::SetIcon(HICON icon, bool big) {
    return reinterpret_cast<HICON>(::SendMessageW(hwnd_, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                  reinterpret_cast<LPARAM>(icon)));
}

CWnd *CWnd::GetDlgItem(int id) { return ChildFromHandle(::GetDlgItem(hwnd_, id)); }

CWnd *CWnd::ChildFromHandle(HWND child) {
    if (child == nullptr) return nullptr;
    if (CWnd *attached = FromHandlePermanent(child)) return attached;
    std::unique_ptr<CWnd> &wrapper = borrowed_[child];
    if (!wrapper) wrapper = std::make_unique<CWnd>(child);
    return wrapper.get();
}

bool CWnd::DestroyWindow() {
    if (hwnd_ == nullptr) return false;
    return ::DestroyWindow(hwnd_) != FALSE;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT *result) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        CDC dc(reinterpret_cast<HDC>(wParam));
        if (HBRUSH brush = CtlColor(dc, message - WM_CTLCOLORMSGBOX)) {
            *result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
    }
    return false;
}

HBRUSH CWnd::CtlColor(CDC &, UINT) { return nullptr; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPreviousProc(message, wParam, lParam);
}

LRESULT CWnd::CallPreviousProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc_ != nullptr)
        return ::CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void CWnd::AttachCreated(HWND window) {
    hwnd_ = window;
    attached_ = true;
    created_ = true;
    registerWindow(window, this);
}

void CWnd::DetachDestroyed() {
    if (previousProc_ != nullptr) {
        UnsubclassWindow();
    } else if (attached_) {
        unregisterWindow(hwnd_, this);
    }
    attached_ = false;
    created_ = false;
    hwnd_ = nullptr;
    borrowed_.clear();
    bigIcon_.Reset();
    smallIcon_.Reset();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd *object = FromHandlePermanent(window);
    if (object == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        if (message == WM_NCDESTROY) {
            // The control's own procedure finishes its teardown first.
            const LRESULT result = object->CallPreviousProc(message, wParam, lParam);
            object->DetachDestroyed();
            object->PostNcDestroy();
            return result;
        }
        return object->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may escape into the window manager (and the host).
        return 0;
    }
}

}  // namespace framework
