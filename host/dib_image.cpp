#include "host/dib_image.h"

namespace {

uint32_t u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;  // BI_RGB

}  // namespace

bool decode_dib(const uint8_t* data, size_t size, Image* out, std::string* error) {
    if (size < kInfoHeaderSize) {
        *error = "bitmap shorter than its header (" + std::to_string(size) + " bytes)";
        return false;
    }
    uint32_t header_size = u32(data);
    int32_t width = int32_t(u32(data + 4));
    int32_t height = int32_t(u32(data + 8));
    uint16_t planes = u16(data + 12);
    uint16_t depth = u16(data + 14);
    uint32_t compression = u32(data + 16);
    uint32_t colours_used = u32(data + 32);
    if (header_size < kInfoHeaderSize || header_size > size) {
        *error = "bitmap header size " + std::to_string(header_size) + " is not valid";
        return false;
    }
    bool top_down = height < 0;
    int64_t rows = top_down ? -int64_t(height) : height;
    if (width <= 0 || rows <= 0 || width > kMaxBitmapSide || rows > kMaxBitmapSide) {
        *error = "bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                 " is not valid";
        return false;
    }
    if (planes != 1 || (depth != 8 && depth != 24 && depth != 32)) {
        *error = "bitmap has " + std::to_string(depth) + " bits per pixel in " +
                 std::to_string(planes) + " planes; 8, 24 or 32 in one plane are supported";
        return false;
    }
    if (compression != kUncompressed) {
        *error = "bitmap compression " + std::to_string(compression) + " is not supported";
        return false;
    }
    size_t palette_entries = 0;
    if (depth == 8) {
        palette_entries = colours_used == 0 ? 256 : colours_used;
        if (palette_entries > 256) {
            *error = "bitmap palette of " + std::to_string(colours_used) + " colours is too large";
            return false;
        }
    }
    size_t palette_at = header_size;
    size_t pixels_at = palette_at + palette_entries * 4;
    size_t stride = (size_t(width) * depth / 8 + 3) & ~size_t(3);
    if (pixels_at > size || stride * size_t(rows) > size - pixels_at) {
        *error = "bitmap data ends early: " + std::to_string(size) + " bytes for " +
                 std::to_string(width) + " x " + std::to_string(rows) + " pixels at " +
                 std::to_string(depth) + " bits";
        return false;
    }
    Image image(width, int(rows));
    for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* row = data + pixels_at + stride * size_t(r);
        int y = int(top_down ? r : rows - 1 - r);
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgr;
            if (depth == 8) {
                uint8_t index = row[x];
                if (index >= palette_entries) {
                    *error = "bitmap pixel (" + std::to_string(x) + "," + std::to_string(y) +
                             ") uses colour " + std::to_string(index) + " of a palette of " +
                             std::to_string(palette_entries);
                    return false;
                }
                bgr = data + palette_at + size_t(index) * 4;
            } else {
                bgr = row + size_t(x) * (depth / 8);
            }
            image.at(x, y) = Rgba{bgr[2], bgr[1], bgr[0], 255};
        }
    }
    *out = std::move(image);
    return true;
}
