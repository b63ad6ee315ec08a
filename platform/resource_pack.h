// The resource pack a native module carries in its "gauge_resources" section, the stand-in for a
// Windows module's .rsrc: a table of entries, then the resource bytes. Bitmaps are stored as
// Windows keeps them in a module (a DIB: BITMAPINFOHEADER, palette, rows), raw data unchanged.
//
// Layout, little-endian:
//   header  "GRSCPAK1", u32 entry count, u32 0
//   entries u32 type, u32 numeric id (0 when named), char name[32], u32 offset, u32 size
//   data    each entry's bytes at its offset from the start of the pack
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr uint32_t kResourceBitmap = 2;   // RT_BITMAP
constexpr uint32_t kResourceRawData = 10; // RT_RCDATA
constexpr char kResourcePackMagic[8] = {'G', 'R', 'S', 'C', 'P', 'A', 'K', '1'};
constexpr size_t kResourcePackHeaderSize = 16;
constexpr size_t kResourcePackEntrySize = 48;

struct ResourcePackEntry {
    uint32_t type;
    uint32_t id;
    char name[33];        // NUL-terminated copy of the stored 32 characters
    const uint8_t* data;  // points into the pack
    uint32_t size;
};

inline uint32_t resource_pack_u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Number of entries of a well-formed pack; 0 for anything that is not one.
inline uint32_t resource_pack_count(const uint8_t* pack, size_t size) {
    if (pack == nullptr || size < kResourcePackHeaderSize ||
        std::memcmp(pack, kResourcePackMagic, 8) != 0)
        return 0;
    uint32_t count = resource_pack_u32(pack + 8);
    if (count > (size - kResourcePackHeaderSize) / kResourcePackEntrySize) return 0;
    return count;
}

// Reads entry `index`; false when it lies (or its bytes lie) outside the pack.
inline bool resource_pack_entry(const uint8_t* pack, size_t size, uint32_t index,
                                ResourcePackEntry* out) {
    if (index >= resource_pack_count(pack, size)) return false;
    const uint8_t* e = pack + kResourcePackHeaderSize + size_t(index) * kResourcePackEntrySize;
    out->type = resource_pack_u32(e);
    out->id = resource_pack_u32(e + 4);
    std::memcpy(out->name, e + 8, 32);
    out->name[32] = '\0';
    uint32_t offset = resource_pack_u32(e + 40);
    out->size = resource_pack_u32(e + 44);
    if (offset > size || out->size > size - offset) return false;
    out->data = pack + offset;
    return true;
}

// Finds a resource by type and numeric id (name null) or by name; false when absent.
inline bool resource_pack_find(const uint8_t* pack, size_t size, uint32_t type, uint32_t id,
                               const char* name, ResourcePackEntry* out) {
    uint32_t count = resource_pack_count(pack, size);
    for (uint32_t i = 0; i < count; ++i) {
        if (!resource_pack_entry(pack, size, i, out) || out->type != type) continue;
        if (name != nullptr ? std::strcmp(out->name, name) == 0 : (out->name[0] == '\0' && out->id == id))
            return true;
    }
    return false;
}
