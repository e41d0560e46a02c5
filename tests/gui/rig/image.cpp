#include "tests/gui/rig/image.h"

#include <fstream>

// The writer's own file functions are left out: the file is written here.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace gui_test {

COLORREF Image::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const std::uint32_t rgb = pixels[static_cast<std::size_t>(y) * width + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

namespace {

void appendBytes(void *context, void *data, int size) {
    auto *out = static_cast<std::vector<unsigned char> *>(context);
    const auto *bytes = static_cast<const unsigned char *>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<unsigned char> encodePng(const Image &image) {
    std::vector<unsigned char> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const std::uint32_t p : image.pixels) {
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    std::vector<unsigned char> png;
    if (image.empty()) return png;
    stbi_write_png_compression_level = 9;
    if (!stbi_write_png_to_func(&appendBytes, &png, image.width, image.height, 3, rgb.data(),
                                image.width * 3))
        png.clear();
    return png;
}

bool savePng(const Image &image, const std::string &path) {
    if (image.empty()) return false;
    const std::vector<unsigned char> png = encodePng(image);
    if (png.empty()) return false;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

bool saveBmp(const Image &image, const std::string &path) {
    if (image.empty()) return false;
    const std::size_t rowSize = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rowSize * image.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(&file), sizeof file);
    out.write(reinterpret_cast<const char *>(&info), sizeof info);
    std::vector<unsigned char> row(rowSize, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            row[x * 3] = static_cast<unsigned char>(p);
            row[x * 3 + 1] = static_cast<unsigned char>(p >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(p >> 16);
        }
        out.write(reinterpret_cast<const char *>(row.data()), static_cast<std::streamsize>(rowSize));
    }
    return static_cast<bool>(out);
}

}  // namespace gui_test
