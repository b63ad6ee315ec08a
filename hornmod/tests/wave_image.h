// Builds small RIFF images chunk by chunk for the tests of the WAVE walk and the sound library.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/art/le_bytes.h"

struct WaveChunk {
    WaveChunk(std::string tag_, std::vector<uint8_t> body_,
              std::optional<uint32_t> declared_length_ = std::nullopt)
        : tag(std::move(tag_)), body(std::move(body_)), declared_length(declared_length_) {}

    std::string tag;                          // four characters
    std::vector<uint8_t> body;                // followed by a pad byte when its size is odd
    std::optional<uint32_t> declared_length;  // the length written in the header; default body size
};

// A PCM mono format record of `record_size` bytes (14, 16 or 18; other sizes are cut or padded).
inline std::vector<uint8_t> pcm_format(uint32_t record_size, uint16_t bits = 8,
                                       uint32_t rate = 22050) {
    std::vector<uint8_t> v;
    art::put_le16(v, 1);         // PCM
    art::put_le16(v, 1);         // mono
    art::put_le32(v, rate);
    art::put_le32(v, rate * (bits / 8));
    art::put_le16(v, bits / 8);  // block align
    art::put_le16(v, bits);
    art::put_le16(v, 0);         // no extra bytes
    v.resize(record_size, 0);
    return v;
}

inline std::vector<uint8_t> ramp(size_t n, uint8_t start = 1) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(start + i * 7);
    return v;
}

// "RIFF", length, form, then the chunks. The RIFF length defaults to the true one.
inline std::vector<uint8_t> riff_image(const std::vector<WaveChunk>& chunks,
                                       const char* riff_tag = "RIFF", const char* form = "WAVE",
                                       std::optional<uint32_t> riff_length = std::nullopt) {
    std::vector<uint8_t> body;
    for (const WaveChunk& c : chunks) {
        body.insert(body.end(), c.tag.begin(), c.tag.begin() + 4);
        art::put_le32(body, c.declared_length.value_or(uint32_t(c.body.size())));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2 == 1) body.push_back(0);
    }
    std::vector<uint8_t> image(riff_tag, riff_tag + 4);
    art::put_le32(image, riff_length.value_or(uint32_t(4 + body.size())));
    image.insert(image.end(), form, form + 4);
    image.insert(image.end(), body.begin(), body.end());
    return image;
}

// A plain WAVE image: "fmt " then "data".
inline std::vector<uint8_t> simple_wave(const std::vector<uint8_t>& samples,
                                        uint32_t format_size = 16) {
    return riff_image({{"fmt ", pcm_format(format_size)}, {"data", samples}});
}
