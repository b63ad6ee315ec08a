// Decoding a bitmap resource as a module stores it (a DIB: BITMAPINFOHEADER, palette, rows
// bottom-up unless the height is negative) into an RGBA image. 8 bits per pixel with a palette
// of up to 256 colours, and uncompressed 24 and 32 bits per pixel.
#pragma once

#include "host/raster.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Largest width or height accepted; a larger header is taken as garbage.
constexpr int kMaxBitmapSide = 8192;

// False (and *error set to the reason) for anything malformed: short header, unsupported depth
// or compression, palette or rows past the end of the data, a palette index beyond the palette.
bool decode_dib(const uint8_t* data, size_t size, Image* out, std::string* error);
