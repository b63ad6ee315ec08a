// RIFF WAVE files of PCM samples, for the recordings generators and for the host's record of
// what it played. Layout: "RIFF" <length> "WAVE", "fmt " (16 bytes, or 18 with a zero extension
// size), an optional "fact" chunk (sample frames) before "data", "data", and an optional "LIST"
// chunk of "INFO" texts after it. Every chunk is padded to an even length.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace art {

struct WavFormat {
    uint16_t channels = 1;          // interleaved samples
    uint32_t sample_rate = 22050;   // frames a second
    uint16_t bits = 16;             // 8 (unsigned) or 16 (signed)
    bool extended_format = false;   // "fmt " of 18 bytes, extension size 0
    bool fact_chunk = false;        // "fact" with the number of frames, before "data"
    // "LIST"/"INFO" entries after "data": four-character id (e.g. "INAM") and text.
    std::vector<std::pair<std::string, std::string>> info;
};

// Samples in -1..1 (clamped), rounded to the format's sample size. Raises std::invalid_argument
// for a format it cannot write (bits other than 8 or 16, no channels, a sample count that is not
// a whole number of frames, an info id that is not four characters).
std::vector<uint8_t> encode_wav(std::span<const double> samples, const WavFormat& format);
// Signed 16-bit samples; for an 8-bit format they are rounded to 8 bits.
std::vector<uint8_t> encode_wav(std::span<const int16_t> samples, const WavFormat& format);

// encode_wav, then the file; std::runtime_error with the path when it cannot be written.
void write_wav(const std::string& path, std::span<const double> samples, const WavFormat& format);
void write_wav(const std::string& path, std::span<const int16_t> samples, const WavFormat& format);

}  // namespace art
