// Stand-in for the rasteriser until its own sources are in the tree: images placed as they are,
// needles turned with nearest-neighbour sampling, sprites and texts left out, PNGs written with
// stored (uncompressed) deflate blocks. Each part is compiled only while its real source is
// missing.
#include "host/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#ifndef HOST_HAVE_RASTER
void draw_image(Frame& frame, const Image& image, int x, int y, bool see_through) {
    for (int sy = 0; sy < image.height; ++sy) {
        for (int sx = 0; sx < image.width; ++sx) {
            int fx = x + sx - frame.origin_x, fy = y + sy - frame.origin_y;
            if (fx < 0 || fy < 0 || fx >= frame.image.width || fy >= frame.image.height) continue;
            Rgba p = image.at(sx, sy);
            if (see_through && p.r == 0 && p.g == 0 && p.b == 0) continue;
            frame.image.at(fx, fy) = p;
        }
    }
}

void draw_needle(Frame& frame, const Image& image, double pivot_x, double pivot_y, double x,
                 double y, double angle_degrees, bool see_through) {
    double a = angle_degrees * 3.14159265358979323846 / 180.0;
    double c = std::cos(a), s = std::sin(a);
    for (int fy = 0; fy < frame.image.height; ++fy) {
        for (int fx = 0; fx < frame.image.width; ++fx) {
            double dx = fx + frame.origin_x + 0.5 - x, dy = fy + frame.origin_y + 0.5 - y;
            // Turn back by the angle (clockwise on screen) to find the source pixel.
            double sx = c * dx + s * dy + pivot_x, sy = -s * dx + c * dy + pivot_y;
            int ix = int(std::floor(sx)), iy = int(std::floor(sy));
            if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height) continue;
            Rgba p = image.at(ix, iy);
            if (see_through && p.r == 0 && p.g == 0 && p.b == 0) continue;
            frame.image.at(fx, fy) = p;
        }
    }
}

void draw_sprite(Frame&, const Image&, const Image*, const SpriteGeometry&, bool) {}
#endif

#ifndef HOST_HAVE_TEXT
void draw_text(Frame&, const TextStyle&, int, int, int, int, const char*) {}
#endif

#ifndef HOST_HAVE_PNG
namespace {

uint32_t crc32(const std::vector<uint8_t>& bytes, size_t from) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put_be32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 3; i >= 0; --i) v.push_back(uint8_t(x >> (8 * i)));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put_be32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_be32(out, crc32(out, start));
}

}  // namespace

bool write_png(const std::string& path, const Image& image, std::string* error) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    std::vector<uint8_t> z{0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        z.insert(z.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
        z.insert(z.end(), raw.begin() + ptrdiff_t(at), raw.begin() + ptrdiff_t(at + n));
        if (raw.empty()) break;
    }
    put_be32(z, b << 16 | a);
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put_be32(header, uint32_t(image.width));
    put_be32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
        if (f != nullptr) std::fclose(f);
        *error = "cannot write " + path;
        return false;
    }
    if (std::fclose(f) != 0) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}
#endif
