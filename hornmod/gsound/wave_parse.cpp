#include "wave_parse.h"

#include <algorithm>

namespace {

uint32_t read_u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool tag_is(const uint8_t* p, const char (&tag)[5]) {
    return p[0] == uint8_t(tag[0]) && p[1] == uint8_t(tag[1]) && p[2] == uint8_t(tag[2]) &&
           p[3] == uint8_t(tag[3]);
}

constexpr uint64_t kRiffHeaderSize = 12;  // "RIFF", length, "WAVE"
constexpr uint64_t kChunkHeaderSize = 8;  // tag, length

}  // namespace

int wave_parse(const uint8_t* image, uint32_t image_size, const SoundWaveFormat** format,
               const uint8_t** data, uint32_t* size) {
    if (format) *format = nullptr;
    if (data) *data = nullptr;
    if (size) *size = 0;
    if (image == nullptr || image_size < kRiffHeaderSize) return 0;
    if (!tag_is(image, "RIFF") || !tag_is(image + 8, "WAVE")) return 0;

    const uint64_t riff_end = 8 + uint64_t(read_u32(image + 4));
    uint64_t position = kRiffHeaderSize;
    while (position < riff_end) {
        if (position + kChunkHeaderSize > image_size) return 0;
        const uint8_t* header = image + position;
        const uint64_t length = read_u32(header + 4);
        position += kChunkHeaderSize;
        const uint64_t present = image_size - position;  // bytes of the image from here on

        if (tag_is(header, "fmt ") && format && *format == nullptr) {
            if (length < kSoundWaveFormatMinSize || length > present) return 0;
            *format = reinterpret_cast<const SoundWaveFormat*>(image + position);
            if ((!data || *data) && (!size || *size != 0)) return 1;
        } else if (tag_is(header, "data") && ((data && *data == nullptr) || (size && *size == 0))) {
            if (data) *data = image + position;
            if (size) *size = uint32_t(std::min(length, present));
            if (!format || *format) return 1;
        }
        position += length + (length & 1);  // chunks are padded to an even length
    }
    return 0;
}
