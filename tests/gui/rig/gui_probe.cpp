#include "tests/gui/rig/gui_probe.h"

#include "framework/dc.h"
#include "framework/gdi.h"
#include "framework/text.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace gui_test {

using framework::Narrow;
using framework::Widen;

void pumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool waitUntil(const std::function<bool()> &done, DWORD timeoutMs) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timingBound(timeoutMs));
    for (;;) {
        pumpMessages();
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return done();
        // Wakes early for a message (a COM call arrives as one).
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

namespace {

struct WindowSearch {
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context) {
    auto *search = reinterpret_cast<WindowSearch *>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return TRUE;
    if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND> *>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> directChildren(HWND parent) {
    std::vector<HWND> all;
    ::EnumChildWindows(parent, &collectChild, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> direct;
    for (HWND child : all)
        if (::GetParent(child) == parent) direct.push_back(child);
    return direct;
}

bool isMessageBox(HWND window) {
    if (classOf(window) != "#32770" || !::IsWindowVisible(window)) return false;
    // The message text sits in a static control with id 0xFFFF.
    HWND text = ::GetDlgItem(window, 0xFFFF);
    return text != nullptr && classOf(text) == "Static";
}

}  // namespace

std::vector<HWND> processWindows(bool visibleOnly) {
    WindowSearch search{visibleOnly, {}};
    ::EnumWindows(&collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findWindow(const std::string &captionUtf8, bool visibleOnly) {
    for (HWND window : processWindows(visibleOnly))
        if (textOf(window) == captionUtf8) return window;
    return nullptr;
}

HWND waitForWindow(const std::string &captionUtf8, DWORD timeoutMs, bool visibleOnly) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(captionUtf8, visibleOnly)) != nullptr; }, timeoutMs);
    return found;
}

bool waitForWindowGone(HWND window, DWORD timeoutMs) {
    return waitUntil([&] { return !::IsWindow(window); }, timeoutMs);
}

std::string textOf(HWND window) {
    if (window == nullptr) return std::string();
    // WM_GETTEXT reaches windows of other threads too (GetWindowText does
    // not ask them), with a timeout so a hung window cannot hang the test.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::string();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                               SMTO_ABORTIFHUNG, 2000, &copied))
        return std::string();
    return Narrow(text.data(), copied);
}

std::string controlText(HWND dialog, int id) { return textOf(::GetDlgItem(dialog, id)); }

std::string classOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return Narrow(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool isVisible(HWND window) { return window != nullptr && ::IsWindowVisible(window); }
bool isEnabled(HWND window) { return window != nullptr && ::IsWindowEnabled(window); }

int checkState(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    if (button == nullptr) return -1;
    return static_cast<int>(::SendMessageW(button, BM_GETCHECK, 0, 0));
}

std::vector<std::string> listEntries(HWND box) {
    const bool combo = classOf(box) == "ComboBox";
    const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> entries;
    const LRESULT count = ::SendMessageW(box, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(box, lengthMessage, static_cast<WPARAM>(i), 0);
        if (length < 0) continue;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = ::SendMessageW(box, textMessage, static_cast<WPARAM>(i),
                                              reinterpret_cast<LPARAM>(&text[0]));
        entries.push_back(Narrow(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0));
    }
    return entries;
}

bool click(HWND button) {
    if (button == nullptr || !::IsWindow(button)) return false;
    // BM_CLICK presses and releases the button inside its own window
    // procedure, on its own thread; the send returns when it is done.
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

bool clickControl(HWND dialog, int id) { return click(::GetDlgItem(dialog, id)); }

HWND waitForMessageBox(DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : processWindows(true))
                if (isMessageBox(window)) {
                    found = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

MessageBoxInfo readMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    info.caption = textOf(box);
    info.text = controlText(box, 0xFFFF);
    for (HWND child : directChildren(box))
        if (classOf(child) == "Button" && ::IsWindowVisible(child))
            info.buttons.push_back(textOf(child));
    return info;
}

bool closeMessageBox(HWND box, int buttonId) {
    HWND button = ::GetDlgItem(box, buttonId);
    if (button == nullptr) return false;
    click(button);
    return waitForWindowGone(box, 5000);
}

namespace {

// Copies width x height pixels at (x, y) of source into an image.
Image copyPixels(HDC source, int x, int y, int width, int height) {
    Image image;
    if (source == nullptr || width <= 0 || height <= 0) return image;
    framework::CDC memory;
    if (!memory.CreateCompatibleDC(nullptr)) return image;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    framework::CBitmap bitmap;
    bitmap.Reset(::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap.IsNull() || bits == nullptr) return image;
    {
        framework::ScopedSelect selected(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
        ::GdiFlush();
    }
    image.width = width;
    image.height = height;
    const auto *pixels = static_cast<const std::uint32_t *>(bits);
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (std::uint32_t &p : image.pixels) p &= 0x00FFFFFF;
    return image;
}

void repaint(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

Image captureWindow(HWND window) {
    if (window == nullptr) return {};
    repaint(window);
    return captureWindowAsShown(window);
}

Image captureWindowAsShown(HWND window) {
    if (window == nullptr) return {};
    RECT rect{};
    ::GetWindowRect(window, &rect);
    framework::CWindowDC dc(window);
    return copyPixels(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
}

Image captureClient(HWND window) {
    if (window == nullptr) return {};
    repaint(window);
    RECT rect{};
    ::GetClientRect(window, &rect);
    framework::CClientDC dc(window);
    return copyPixels(dc, 0, 0, rect.right, rect.bottom);
}

COLORREF pixelOf(HWND window, int x, int y) { return captureClient(window).at(x, y); }

bool saveWindowPng(HWND window, const std::string &path) {
    return savePng(captureWindow(window), path);
}

namespace {

// Wine (8.0) answers GetGuiResources with 0. Its GDI objects are listed in
// a per-process handle table that the PEB points to, as on Windows; an
// entry with a non-zero type byte is a live object.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "layout of the shared GDI handle table");

const unsigned char *processEnvironmentBlock() {
#pragma GCC diagnostic push
    // gcc misreads the 32-bit fs-relative read in NtCurrentTeb as an access
    // to an empty array.
#pragma GCC diagnostic ignored "-Warray-bounds"
    return reinterpret_cast<const unsigned char *>(::NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
}

DWORD countGdiHandleTable() {
    const unsigned char *peb = processEnvironmentBlock();
    // PEB.GdiSharedHandleTable
    const std::size_t offset = sizeof(void *) == 8 ? 0xF8 : 0x94;
    const auto *table = *reinterpret_cast<const GdiHandleEntry *const *>(peb + offset);
    if (table == nullptr) return 0;
    DWORD live = 0;
    for (std::size_t i = 0; i < 0x10000; ++i)
        if (table[i].type != 0) ++live;
    return live;
}

// Icons and cursors of this process, found by trying every slot of Wine's
// user handle table (a handle without generation bits matches any).
DWORD countIconsBySlot() {
    DWORD icons = 0;
    for (std::uintptr_t handle = 0x20; handle < 0xFFF0; handle += 2) {
        ICONINFO info{};
        if (::GetIconInfo(reinterpret_cast<HICON>(handle), &info)) {
            ++icons;
            if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
        }
    }
    return icons;
}

}  // namespace

ProcessCounts processCounts() {
    ProcessCounts counts;
    counts.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    counts.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    counts.windows = static_cast<int>(processWindows(false).size());
    if (counts.gdiObjects == 0 && counts.userObjects == 0) {
        // Reading the icons the first time makes the system cache a few
        // objects of its own: do it once before counting anything.
        static const DWORD warmUp = countIconsBySlot();
        (void)warmUp;
        counts.gdiObjects = countGdiHandleTable();
        counts.userObjects = countIconsBySlot() + static_cast<DWORD>(counts.windows);
    }
    const std::unique_ptr<void, decltype(&::CloseHandle)> snapshot(
        ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0), &::CloseHandle);
    if (snapshot.get() != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
             more = ::Thread32Next(snapshot.get(), &entry))
            if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++counts.threads;
    }
    return counts;
}

RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height) {
    // Position and size are converted separately, as the dialog manager
    // converts a template's controls; converting the right edge instead
    // of the width can round one pixel differently.
    RECT units{x, y, width, height};
    ::MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT rectInParent(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

}  // namespace gui_test
