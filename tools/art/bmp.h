// Windows bitmap files, 8 bits per pixel: BITMAPFILEHEADER, BITMAPINFOHEADER (40 bytes), a
// palette of 256 RGBQUAD entries (biClrUsed 256; entries past the image's palette are black),
// then the rows bottom-up, each padded to a multiple of 4 bytes. No compression.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/art/palette.h"

namespace art {

constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kBmpInfoHeaderSize = 40;
constexpr size_t kBmpPaletteSize = 256 * 4;

// The file bytes. Raises std::invalid_argument for an empty picture, a palette over 256
// colours or an index past the palette.
std::vector<uint8_t> encode_bmp(const IndexedImage& image);
void write_bmp(const std::string& path, const IndexedImage& image);

// Reads an uncompressed 8-bit file (bottom-up or top-down rows); false, with *error saying what
// is wrong, for anything else or for a truncated file. The palette comes back with biClrUsed
// entries (256 when the field is 0).
bool decode_bmp(const std::vector<uint8_t>& bytes, IndexedImage* out, std::string* error);
bool read_bmp(const std::string& path, IndexedImage* out, std::string* error);

}  // namespace art
