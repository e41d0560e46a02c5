#include "tests/controls/pixels.h"

#include <cstdint>
#include <cstdio>

namespace controls_test {

Canvas::Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
    dc_.CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    selection_.emplace(dc_, bitmap_.Get());
    dc_.FillSolidRect(bounds(), background);
}

gui_test::Image Canvas::image() const {
    ::GdiFlush();
    gui_test::Image picture;
    picture.width = width_;
    picture.height = height_;
    const auto *pixels = static_cast<const std::uint32_t *>(bits_);
    if (pixels == nullptr) return {};
    picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
    for (std::uint32_t &p : picture.pixels) p &= 0x00FFFFFF;
    return picture;
}

gui_test::Image readClient(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    Canvas copy(client.right, client.bottom, 0);
    framework::CClientDC source(window);
    ::BitBlt(copy.dc(), 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    return copy.image();
}

std::set<COLORREF> coloursIn(const gui_test::Image &image, const RECT *rect) {
    const RECT all{0, 0, image.width, image.height};
    const RECT &area = rect != nullptr ? *rect : all;
    std::set<COLORREF> colours;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) colours.insert(image.at(x, y));
    return colours;
}

int countColour(const gui_test::Image &image, COLORREF colour, const RECT &rect) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (image.at(x, y) == colour) ++count;
    return count;
}

RECT boundsOf(const gui_test::Image &image, const std::function<bool(COLORREF)> &match) {
    RECT found{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (match(image.at(x, y))) {
                if (x < found.left) found.left = x;
                if (y < found.top) found.top = y;
                if (x + 1 > found.right) found.right = x + 1;
                if (y + 1 > found.bottom) found.bottom = y + 1;
            }
    if (found.right <= found.left) return {0, 0, 0, 0};
    return found;
}

std::string firstDifference(const gui_test::Image &a, const gui_test::Image &b) {
    if (a.width != b.width || a.height != b.height) return "pictures differ in size";
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " +
                       hex(a.at(x, y)) + " vs " + hex(b.at(x, y));
    return std::string();
}

std::string hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
    return text;
}

}  // namespace controls_test
