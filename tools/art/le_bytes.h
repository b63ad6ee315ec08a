// Little-endian fields of the file formats the build tools write and read (bitmaps, WAVE files,
// resource packs): appended to a byte vector, or read from a byte pointer the caller has
// checked.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

inline void put_le16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

inline void put_le32(std::vector<uint8_t>& v, uint32_t x) {
    put_le16(v, x & 0xFFFF);
    put_le16(v, x >> 16);
}

inline uint32_t get_le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

inline uint32_t get_le32(const uint8_t* p) { return get_le16(p) | get_le16(p + 2) << 16; }

}  // namespace art
