#include "tools/art/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "tools/art/le_bytes.h"

namespace art {
namespace {

void put_tag(std::vector<uint8_t>& v, const std::string& tag) { v.insert(v.end(), tag.begin(), tag.end()); }

void put_chunk(std::vector<uint8_t>& out, const std::string& tag, const std::vector<uint8_t>& body) {
    put_tag(out, tag);
    put_le32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) out.push_back(0);
}

void check(const WavFormat& f, size_t sample_count) {
    if (f.bits != 8 && f.bits != 16) throw std::invalid_argument("WAVE: 8 or 16 bits a sample");
    if (f.channels == 0) throw std::invalid_argument("WAVE: no channels");
    if (sample_count % f.channels != 0)
        throw std::invalid_argument("WAVE: samples are not a whole number of frames");
    for (const auto& [id, text] : f.info)
        if (id.size() != 4) throw std::invalid_argument("WAVE: info id '" + id + "' is not 4 characters");
}

// The file around the sample bytes.
std::vector<uint8_t> assemble(const std::vector<uint8_t>& samples, size_t frames,
                              const WavFormat& f) {
    const uint16_t block_align = uint16_t(f.channels * (f.bits / 8));
    std::vector<uint8_t> format;
    put_le16(format, 1);  // PCM
    put_le16(format, f.channels);
    put_le32(format, f.sample_rate);
    put_le32(format, f.sample_rate * block_align);
    put_le16(format, block_align);
    put_le16(format, f.bits);
    if (f.extended_format) put_le16(format, 0);

    std::vector<uint8_t> body;
    put_tag(body, "WAVE");
    put_chunk(body, "fmt ", format);
    if (f.fact_chunk) {
        std::vector<uint8_t> fact;
        put_le32(fact, uint32_t(frames));
        put_chunk(body, "fact", fact);
    }
    put_chunk(body, "data", samples);
    if (!f.info.empty()) {
        std::vector<uint8_t> list;
        put_tag(list, "INFO");
        for (const auto& [id, text] : f.info) {
            std::vector<uint8_t> entry(text.begin(), text.end());
            entry.push_back(0);
            put_chunk(list, id, entry);
        }
        put_chunk(body, "LIST", list);
    }
    std::vector<uint8_t> file;
    put_tag(file, "RIFF");
    put_le32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

void save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr && std::fclose(f) != 0) ok = false;
    if (!ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace

std::vector<uint8_t> encode_wav(std::span<const double> samples, const WavFormat& f) {
    check(f, samples.size());
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * (f.bits / 8));
    for (double s : samples) {
        s = std::clamp(std::isnan(s) ? 0.0 : s, -1.0, 1.0);
        if (f.bits == 8) {
            bytes.push_back(uint8_t(std::clamp(std::lround(128.0 + s * 127.0), 0L, 255L)));
        } else {
            put_le16(bytes, uint16_t(int16_t(std::lround(s * 32767.0))));
        }
    }
    return assemble(bytes, samples.size() / f.channels, f);
}

std::vector<uint8_t> encode_wav(std::span<const int16_t> samples, const WavFormat& f) {
    check(f, samples.size());
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * (f.bits / 8));
    for (int16_t s : samples) {
        if (f.bits == 8)
            bytes.push_back(uint8_t(std::min(255, (int(s) + 32768 + 128) >> 8)));
        else
            put_le16(bytes, uint16_t(s));
    }
    return assemble(bytes, samples.size() / f.channels, f);
}

void write_wav(const std::string& path, std::span<const double> samples, const WavFormat& f) {
    save(path, encode_wav(samples, f));
}

void write_wav(const std::string& path, std::span<const int16_t> samples, const WavFormat& f) {
    save(path, encode_wav(samples, f));
}

}  // namespace art
