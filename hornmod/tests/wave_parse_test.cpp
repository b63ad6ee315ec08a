// The walk over a WAVE image's chunks: which files it accepts, where it finds the format and the
// samples, and that it stays inside the image whatever the lengths in it say.
#include "hornmod/gsound/wave_parse.h"
#include "wave_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct WalkCase {
    std::string name;
    std::vector<uint8_t> image;
    int result;
    long format_at;  // byte offset of the format record in the image; -1 = none found
    long data_at;    // byte offset of the first sample; -1 = none found
    uint32_t size;
};

const std::vector<uint8_t> kSamples = ramp(10);

std::vector<WalkCase> walk_cases() {
    const auto fmt16 = pcm_format(16);
    return {
        {"format then data", simple_wave(kSamples), 1, 20, 44, 10},
        {"13-byte format refused", simple_wave(kSamples, 13), 0, -1, -1, 0},
        {"14-byte format accepted", simple_wave(kSamples, 14), 1, 20, 42, 10},
        {"18-byte format accepted", simple_wave(kSamples, 18), 1, 20, 46, 10},
        {"odd chunk padded", riff_image({{"fact", {1, 2, 3}}, {"fmt ", fmt16}, {"data", kSamples}}),
         1, 32, 56, 10},
        {"fact and LIST skipped",
         riff_image({{"fmt ", fmt16}, {"fact", {4, 0, 0, 0}}, {"data", kSamples},
                     {"LIST", {'I', 'N', 'F', 'O'}}}),
         1, 20, 56, 10},
        {"data before format", riff_image({{"data", kSamples}, {"fmt ", fmt16}}), 1, 38, 20, 10},
        {"odd data before format", riff_image({{"data", {9, 9, 9}}, {"fmt ", fmt16}}), 1, 32, 20, 3},
        {"not RIFF", riff_image({{"fmt ", fmt16}, {"data", kSamples}}, "RIFX"), 0, -1, -1, 0},
        {"not WAVE", riff_image({{"fmt ", fmt16}, {"data", kSamples}}, "RIFF", "AVI "), 0, -1, -1,
         0},
        {"shorter than a RIFF header", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}, 0, -1, -1,
         0},
        {"walk ends at the RIFF length",
         riff_image({{"fmt ", fmt16}, {"data", kSamples}}, "RIFF", "WAVE", 4 + 24), 0, 20, -1, 0},
    };
}

// Images whose lengths point outside them: the walk must stop inside the image.
std::vector<WalkCase> hostile_cases() {
    const auto fmt16 = pcm_format(16);
    std::vector<WalkCase> cases = {
        {"RIFF length beyond the image",
         riff_image({{"fmt ", fmt16}}, "RIFF", "WAVE", 0xFFFFFFFF), 0, 20, -1, 0},
        {"skip length near 2^32 does not wrap",
         riff_image({{"junk", {}, 0xFFFFFFFC}, {"fmt ", fmt16}, {"data", kSamples}}, "RIFF",
                    "WAVE", 0xFFFFFFFF),
         0, -1, -1, 0},
        {"odd skip length 2^32-1 does not wrap",
         riff_image({{"junk", {}, 0xFFFFFFFF}, {"fmt ", fmt16}, {"data", kSamples}}, "RIFF",
                    "WAVE", 0xFFFFFFFF),
         0, -1, -1, 0},
        {"data longer than the image is cut",
         riff_image({{"fmt ", fmt16}, {"data", kSamples, 1000}}, "RIFF", "WAVE", 0xFFFFFFFF), 1,
         20, 44, 10},
        {"data length 2^32-1 is cut",
         riff_image({{"fmt ", fmt16}, {"data", kSamples, 0xFFFFFFFF}}), 1, 20, 44, 10},
        {"format running off the image", riff_image({{"fmt ", pcm_format(14), 16}}), 0, -1, -1, 0},
        {"format length 2^32-1", riff_image({{"fmt ", fmt16, 0xFFFFFFFF}}), 0, -1, -1, 0},
    };
    // A chunk header cut short by the end of the image.
    auto cut = riff_image({{"fmt ", fmt16}, {"data", kSamples}}, "RIFF", "WAVE", 0xFFFFFFFF);
    cut.resize(20 + 16 + 5);
    cases.push_back({"chunk header cut short", cut, 0, 20, -1, 0});
    return cases;
}

void expect_walk(const WalkCase& c) {
    SCOPED_TRACE(c.name);
    // The image sits in memory of exactly its size, so a read past it is caught by the sanitizer.
    std::vector<uint8_t> exact(c.image);
    const SoundWaveFormat* format = reinterpret_cast<const SoundWaveFormat*>(1);
    const uint8_t* data = reinterpret_cast<const uint8_t*>(1);
    uint32_t size = 77;
    EXPECT_EQ(wave_parse(exact.data(), uint32_t(exact.size()), &format, &data, &size), c.result);
    auto offset = [&](const void* p) {
        return p ? long(static_cast<const uint8_t*>(p) - exact.data()) : -1L;
    };
    EXPECT_EQ(offset(format), c.format_at);
    EXPECT_EQ(offset(data), c.data_at);
    EXPECT_EQ(size, c.size);
    if (data) {
        EXPECT_LE(size_t(c.data_at) + size, exact.size());
    }
}

TEST(WaveParse, AcceptsAndRefusesFiles) {
    for (const WalkCase& c : walk_cases()) expect_walk(c);
}

TEST(WaveParse, NeverLeavesTheImage) {
    for (const WalkCase& c : hostile_cases()) expect_walk(c);
}

TEST(WaveParse, FindsTheSamplesOfASoundFromItsRecord) {
    auto image = simple_wave(kSamples);
    const SoundWaveFormat* format = nullptr;
    ASSERT_EQ(wave_parse(image.data(), uint32_t(image.size()), &format, nullptr, nullptr), 1);
    EXPECT_EQ(format->format_tag, 1);
    EXPECT_EQ(format->channels, 1);
    EXPECT_EQ(format->samples_per_second, 22050u);
    EXPECT_EQ(format->bits_per_sample, 8);
}

TEST(WaveParse, StopsAsSoonAsTheWantedOutputsAreFound) {
    // Only the samples wanted: found before the format, so a broken format later does not matter.
    auto image = riff_image({{"data", kSamples}, {"fmt ", pcm_format(13)}});
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(wave_parse(image.data(), uint32_t(image.size()), nullptr, &data, &size), 1);
    EXPECT_EQ(data, image.data() + 20);
    EXPECT_EQ(size, 10u);
    // With the format wanted too, the same image fails on it; the samples found stay set.
    const SoundWaveFormat* format = nullptr;
    EXPECT_EQ(wave_parse(image.data(), uint32_t(image.size()), &format, &data, &size), 0);
    EXPECT_EQ(format, nullptr);
    EXPECT_EQ(size, 10u);
}

TEST(WaveParse, AnEmptyDataChunkBeforeTheFormatLeavesTheSamplesWanted) {
    auto image = riff_image({{"data", {}}, {"fmt ", pcm_format(16)}, {"data", kSamples}});
    const SoundWaveFormat* format = nullptr;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(wave_parse(image.data(), uint32_t(image.size()), &format, &data, &size), 1);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(format), image.data() + 28);
    EXPECT_EQ(data, image.data() + 52);
    EXPECT_EQ(size, 10u);
}

}  // namespace
