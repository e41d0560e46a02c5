// Captured window pictures, and writing them as PNG or BMP files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gui_test {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom

    bool empty() const { return width <= 0 || height <= 0; }
    // The pixel at (x, y) as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF at(int x, int y) const;
};

// A compressed PNG, 8-bit RGB, lossless; empty when it cannot be made.
std::vector<unsigned char> encodePng(const Image &image);
bool savePng(const Image &image, const std::string &path);
bool saveBmp(const Image &image, const std::string &path);

}  // namespace gui_test
