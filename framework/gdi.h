// Owners of GDI objects. Each deletes its object when it goes, and a
// ScopedSelect puts back whatever it displaced from a device context, so a
// painter can never leave a pen or a bitmap selected, nor leak one.
#pragma once

#include <windows.h>

#include <utility>

namespace framework {

template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { DeleteObject(); }
    GdiObject(GdiObject &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject &operator=(GdiObject &&other) noexcept {
        if (this != &other) {
            DeleteObject();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;

    Handle Get() const { return handle_; }
    operator Handle() const { return handle_; }
    bool IsNull() const { return handle_ == nullptr; }

    // Takes ownership of handle, deleting the one held before.
    void Reset(Handle handle = nullptr) {
        DeleteObject();
        handle_ = handle;
    }
    bool DeleteObject() {
        if (handle_ == nullptr) return false;
        const bool deleted = ::DeleteObject(handle_) != FALSE;
        handle_ = nullptr;
        return deleted;
    }

private:
    Handle handle_ = nullptr;
};

class CPen : public GdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    bool CreatePen(int style, int width, COLORREF colour) {
        Reset(::CreatePen(style, width, colour));
        return !IsNull();
    }
};

class CBrush : public GdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    bool CreateSolidBrush(COLORREF colour) {
        Reset(::CreateSolidBrush(colour));
        return !IsNull();
    }
};

class CBitmap : public GdiObject<HBITMAP> {
public:
    CBitmap() = default;
    // Takes ownership of bitmap.
    explicit CBitmap(HBITMAP bitmap) : GdiObject(bitmap) {}
    bool CreateCompatibleBitmap(HDC dc, int width, int height) {
        Reset(::CreateCompatibleBitmap(dc, width, height));
        return !IsNull();
    }
};

// Selects an object into a device context for one scope and selects back
// what it replaced. The object must outlive the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc) {
        if (dc_ != nullptr && object != nullptr) previous_ = ::SelectObject(dc_, object);
    }
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect &) = delete;
    ScopedSelect &operator=(const ScopedSelect &) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// An icon loaded from a module, destroyed with its owner.
class CIcon {
public:
    CIcon() = default;
    ~CIcon() { Reset(); }
    CIcon(const CIcon &) = delete;
    CIcon &operator=(const CIcon &) = delete;

    // Loads icon resource id of module at the system's large or small size.
    bool Load(HMODULE module, int id, bool big);
    HICON Get() const { return icon_; }
    void Reset();
    void Swap(CIcon &other) noexcept { std::swap(icon_, other.icon_); }

private:
    HICON icon_ = nullptr;
};

}  // namespace framework
