#include "tools/art/bmp.h"

#include <stdexcept>

#include "tools/art/files.h"
#include "tools/art/le_bytes.h"

namespace art {

namespace {

size_t row_stride(int width) { return (size_t(width) + 3) & ~size_t(3); }

bool fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

}  // namespace

std::vector<uint8_t> encode_bmp(const IndexedImage& image) {
    if (image.width <= 0 || image.height <= 0)
        throw std::invalid_argument("bitmap must be at least 1 x 1 pixels");
    if (image.indices.size() != size_t(image.width) * size_t(image.height))
        throw std::invalid_argument("bitmap pixel count does not match its size");
    if (image.palette.empty() || image.palette.size() > 256)
        throw std::invalid_argument("bitmap palette must have 1 to 256 colours");
    for (uint8_t i : image.indices)
        if (i >= image.palette.size())
            throw std::invalid_argument("bitmap pixel refers past the palette");

    size_t stride = row_stride(image.width);
    size_t image_size = stride * size_t(image.height);
    size_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + kBmpPaletteSize;
    std::vector<uint8_t> out;
    out.reserve(offset + image_size);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put_le32(out, uint32_t(offset + image_size));
    put_le32(out, 0);
    put_le32(out, uint32_t(offset));
    // BITMAPINFOHEADER
    put_le32(out, uint32_t(kBmpInfoHeaderSize));
    put_le32(out, uint32_t(image.width));
    put_le32(out, uint32_t(image.height));  // positive: rows bottom-up
    put_le16(out, 1);                       // planes
    put_le16(out, 8);                       // bits per pixel
    put_le32(out, 0);                       // BI_RGB
    put_le32(out, uint32_t(image_size));
    put_le32(out, 2835);  // 72 dots per inch, in dots per metre
    put_le32(out, 2835);
    put_le32(out, 256);  // colours used
    put_le32(out, 0);    // all colours important
    for (size_t i = 0; i < 256; ++i) {
        Rgb c = i < image.palette.size() ? image.palette[i] : kSeeThroughRgb;
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = &image.indices[size_t(y) * image.width];
        out.insert(out.end(), row, row + image.width);
        out.resize(out.size() + stride - size_t(image.width), 0);
    }
    return out;
}

void write_bmp(const std::string& path, const IndexedImage& image) {
    write_file(path, encode_bmp(image));
}

bool decode_bmp(const std::vector<uint8_t>& b, IndexedImage* out, std::string* error) {
    if (b.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize)
        return fail(error, "too short for a bitmap file");
    if (b[0] != 'B' || b[1] != 'M') return fail(error, "no BM signature");
    const uint8_t* info = b.data() + kBmpFileHeaderSize;
    uint32_t header_size = get_le32(info);
    int32_t width = int32_t(get_le32(info + 4));
    int32_t height = int32_t(get_le32(info + 8));
    uint32_t planes = get_le16(info + 12), bits = get_le16(info + 14), compression = get_le32(info + 16);
    uint32_t used = get_le32(info + 32);
    uint32_t offset = get_le32(b.data() + 10);
    if (header_size < kBmpInfoHeaderSize) return fail(error, "info header shorter than 40 bytes");
    if (planes != 1) return fail(error, "plane count is not 1");
    if (bits != 8) return fail(error, "not 8 bits per pixel (" + std::to_string(bits) + ")");
    if (compression != 0) return fail(error, "compressed bitmaps are not read");
    if (width <= 0 || height == 0 || height == INT32_MIN || width > 65535 ||
        height > 65535 || height < -65535)
        return fail(error, "unusable size " + std::to_string(width) + " x " + std::to_string(height));
    if (used == 0) used = 256;
    if (used > 256) return fail(error, "more than 256 palette entries");
    size_t palette_at = kBmpFileHeaderSize + size_t(header_size);
    if (palette_at + size_t(used) * 4 > b.size()) return fail(error, "palette cut short");
    bool bottom_up = height > 0;
    int rows = bottom_up ? height : -height;
    size_t stride = row_stride(width);
    if (offset < palette_at + size_t(used) * 4 || offset > b.size() ||
        b.size() - offset < stride * size_t(rows))
        return fail(error, "pixel rows cut short or misplaced");

    IndexedImage img;
    img.width = width;
    img.height = rows;
    for (uint32_t i = 0; i < used; ++i) {
        const uint8_t* q = b.data() + palette_at + i * 4;
        img.palette.push_back(Rgb{q[2], q[1], q[0]});
    }
    img.indices.resize(size_t(width) * rows);
    for (int y = 0; y < rows; ++y) {
        int file_row = bottom_up ? rows - 1 - y : y;
        const uint8_t* src = b.data() + offset + size_t(file_row) * stride;
        for (int x = 0; x < width; ++x) {
            if (src[x] >= used)
                return fail(error, "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                       ") refers past the palette");
            img.indices[size_t(y) * width + x] = src[x];
        }
    }
    *out = std::move(img);
    return true;
}

bool read_bmp(const std::string& path, IndexedImage* out, std::string* error) {
    std::vector<uint8_t> bytes;
    try {
        bytes = read_file(path);
    } catch (const std::exception& e) {
        return fail(error, e.what());
    }
    if (!decode_bmp(bytes, out, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return true;
}

}  // namespace art
