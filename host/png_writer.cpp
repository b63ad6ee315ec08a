// A small PNG encoder: 8-bit RGBA, no interlace, filter type 0 on every row.
//
// With zlib (PANEL_HAVE_ZLIB, the native host) the image data are deflated by compress2; without
// it (the Win32 host) they go into stored deflate blocks inside a zlib stream, which every PNG
// reader accepts. The file is written whole or reported as failed.
#include "host/raster.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#ifdef PANEL_HAVE_ZLIB
#include <zlib.h>
#endif

namespace {

uint32_t crc32_update(uint32_t crc, const uint8_t* data, size_t size) {
    static const struct Table {
        uint32_t v[256];
        Table() {
            for (uint32_t n = 0; n < 256; ++n) {
                uint32_t c = n;
                for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                v[n] = c;
            }
        }
    } table;
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table.v[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

// Appends one chunk: length, type, data, CRC of type and data.
void put_chunk(std::vector<uint8_t>& out, const char type[4], const uint8_t* data, size_t size) {
    put_u32(out, uint32_t(size));
    const size_t type_at = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    put_u32(out, crc32_update(0, &out[type_at], size + 4));
}

#ifndef PANEL_HAVE_ZLIB
uint32_t adler32_of(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    size_t i = 0;
    while (i < data.size()) {
        // 5552 bytes is the longest run for which the sums cannot overflow before the modulo.
        const size_t end = std::min(data.size(), i + 5552);
        for (; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out;
    out.reserve(raw.size() + raw.size() / 65535 * 5 + 11);
    out.push_back(0x78);  // deflate, 32 KiB window
    out.push_back(0x01);  // no preset dictionary, check bits
    size_t at = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, BTYPE = 00
        out.push_back(uint8_t(n));
        out.push_back(uint8_t(n >> 8));
        out.push_back(uint8_t(~n));
        out.push_back(uint8_t(~n >> 8));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    put_u32(out, adler32_of(raw));
    return out;
}
#endif

bool fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

}  // namespace

bool write_png(const std::string& path, const Image& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0)
        return fail(error, "cannot write " + path + ": the image is empty");
    if (image.pixels.size() != size_t(image.width) * size_t(image.height))
        return fail(error, "cannot write " + path + ": the image's pixel count does not match its size");
    // Rows of a filter byte and the pixels; PNG chunks hold at most 2^31 - 1 bytes, and one
    // IDAT chunk is used.
    const uint64_t row_bytes = uint64_t(image.width) * 4 + 1;
    const uint64_t raw_size = row_bytes * uint64_t(image.height);
    if (raw_size > (uint64_t(1) << 30))
        return fail(error, "cannot write " + path + ": the image is too large");

    std::vector<uint8_t> raw;
    raw.reserve(size_t(raw_size));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }

#ifdef PANEL_HAVE_ZLIB
    uLongf packed_size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 6) != Z_OK)
        return fail(error, "cannot write " + path + ": compression failed");
    packed.resize(packed_size);
#else
    std::vector<uint8_t> packed = zlib_stored(raw);
#endif

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put_u32(header, uint32_t(image.width));
    put_u32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filter 0, no interlace
    put_chunk(file, "IHDR", header.data(), header.size());
    put_chunk(file, "IDAT", packed.data(), packed.size());
    put_chunk(file, "IEND", nullptr, 0);

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return fail(error, "cannot write " + path + ": " + std::strerror(errno));
    const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    const int saved_errno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());  // no half-written picture left behind
        return fail(error, "cannot write " + path + ": " +
                               std::strerror(written ? errno : saved_errno));
    }
    return true;
}
