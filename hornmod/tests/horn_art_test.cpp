// The horn's artwork folder as the build wrote it: the four bitmaps with their sizes and
// see-through black, and the two recordings with their exact layout and their sound.
#include "hornmod/gsound/wave_parse.h"
#include "tools/art/bmp.h"
#include "tools/art/files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kArt = ART_DIR;

art::IndexedImage bitmap(const std::string& file) {
    art::IndexedImage image;
    std::string error;
    EXPECT_TRUE(art::read_bmp(kArt + "/" + file, &image, &error)) << error;
    return image;
}

bool is_black(art::Rgb c) { return c == art::Rgb{0, 0, 0}; }

TEST(HornArt, ListsEveryResource) {
    std::vector<uint8_t> list = art::read_file(kArt + "/resources.list");
    EXPECT_EQ(std::string(list.begin(), list.end()),
              "BITMAP 0x1000 hornmod_1000.bmp\nBITMAP 0x2000 hornmod_2000.bmp\n"
              "BITMAP 0x2003 hornmod_2003.bmp\nBITMAP 0x2006 hornmod_2006.bmp\n"
              "RCDATA CLICK click.wav\nRCDATA HORN horn.wav\n");
}

TEST(HornArt, BitmapsHaveTheirSizesAndSeeThroughOnlyWhereMeant) {
    struct Case {
        const char* file;
        int width, height;
        bool any_see_through;  // the plate is solid; the levers stand on see-through black
    };
    for (Case c : {Case{"hornmod_1000.bmp", 72, 66, false}, Case{"hornmod_2000.bmp", 17, 56, true},
                   Case{"hornmod_2003.bmp", 14, 15, true}, Case{"hornmod_2006.bmp", 18, 56, true}}) {
        SCOPED_TRACE(c.file);
        art::IndexedImage image = bitmap(c.file);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_LE(image.palette.size(), 256u);
        int black = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) black += is_black(image.at(x, y));
        EXPECT_EQ(black > 0, c.any_see_through);
        EXPECT_LT(black, image.width * image.height);  // something is drawn
    }
}

TEST(HornArt, PlateFaceIsNearBlackNotSeeThrough) {
    art::IndexedImage plate = bitmap("hornmod_1000.bmp");
    // Bare face between the captions, left and right of the lever.
    for (auto [x, y] : {std::pair{8, 30}, {45, 35}, {65, 58}, {30, 62}}) {
        art::Rgb c = plate.at(x, y);
        EXPECT_FALSE(is_black(c)) << x << "," << y;
        EXPECT_LT(int(c.r) + c.g + c.b, 3 * 48) << x << "," << y;
    }
    // The captions are light on it: TEST in its field, CANCEL below it, GEAR HORN on top.
    auto light_pixels = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += plate.at(x, y).r > 160;
        return n;
    };
    EXPECT_GT(light_pixels(12, 1, 60, 10), 40);
    EXPECT_GT(light_pixels(39, 13, 69, 26), 60);   // frame and text
    EXPECT_GT(light_pixels(38, 44, 71, 54), 25);
    EXPECT_EQ(light_pixels(40, 28, 71, 42), 0);    // bare face between them
}

TEST(HornArt, LeversMeetAtTheBoss) {
    // Each thrown lever covers the pivot (20, 35) of the plate; the centred one sits on it.
    struct Case {
        const char* file;
        int x, y;  // where the icon stands on the plate
    };
    for (Case c : {Case{"hornmod_2000.bmp", 10, 11}, Case{"hornmod_2003.bmp", 13, 28},
                   Case{"hornmod_2006.bmp", 9, 9}}) {
        SCOPED_TRACE(c.file);
        art::IndexedImage image = bitmap(c.file);
        EXPECT_FALSE(is_black(image.at(20 - c.x, 35 - c.y)));
    }
    // The thrown levers reach toward their labels: up above y 20, down below y 50.
    auto reach = [](const art::IndexedImage& image, int row) {
        for (int x = 0; x < image.width; ++x)
            if (!is_black(image.at(x, row))) return true;
        return false;
    };
    EXPECT_TRUE(reach(bitmap("hornmod_2000.bmp"), 18 - 11));
    EXPECT_FALSE(reach(bitmap("hornmod_2000.bmp"), 50 - 11));
    EXPECT_TRUE(reach(bitmap("hornmod_2006.bmp"), 55 - 9));
    EXPECT_FALSE(reach(bitmap("hornmod_2006.bmp"), 18 - 9));
}

struct Recording {
    std::vector<uint8_t> file;
    const SoundWaveFormat* format = nullptr;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    std::vector<double> samples;  // -1..1

    explicit Recording(const std::string& name) : file(art::read_file(kArt + "/" + name)) {
        EXPECT_EQ(wave_parse(file.data(), uint32_t(file.size()), &format, &data, &size), 1);
        if (format == nullptr || data == nullptr) return;
        for (uint32_t i = 0; i < size; i += format->block_align)
            samples.push_back(format->bits_per_sample == 8
                                  ? (data[i] - 128) / 128.0
                                  : int16_t(uint16_t(data[i] | data[i + 1] << 8)) / 32768.0);
    }
    // Offset of a chunk's tag in the file, or -1.
    long chunk(const char* tag) const {
        for (size_t at = 12; at + 8 <= file.size();) {
            if (std::memcmp(&file[at], tag, 4) == 0) return long(at);
            uint32_t length = uint32_t(file[at + 4] | file[at + 5] << 8 | file[at + 6] << 16 |
                                       uint32_t(file[at + 7]) << 24);
            at += 8 + length + (length & 1);
        }
        return -1;
    }
    double rms(size_t from, size_t to) const {
        double sum = 0;
        for (size_t i = from; i < to; ++i) sum += samples[i] * samples[i];
        return std::sqrt(sum / double(to - from));
    }
};

TEST(HornArt, ClickRecordingLayout) {
    Recording click("click.wav");
    ASSERT_NE(click.format, nullptr);
    EXPECT_EQ(click.format->format_tag, 1);
    EXPECT_EQ(click.format->channels, 1);
    EXPECT_EQ(click.format->samples_per_second, 22050u);
    EXPECT_EQ(click.format->bits_per_sample, 8);
    EXPECT_EQ(click.format->extra_size, 0);
    EXPECT_EQ(click.size, 1322u);
    ASSERT_EQ(click.chunk("fmt "), 12);
    EXPECT_EQ(click.file[16], 18);  // an 18-byte format record
    EXPECT_GT(click.chunk("fact"), click.chunk("fmt "));
    EXPECT_GT(click.chunk("data"), click.chunk("fact"));
}

TEST(HornArt, ClickSoundsLikeALeverClick) {
    Recording click("click.wav");
    ASSERT_EQ(click.samples.size(), 1322u);
    // A sharp knock within the first millisecond, rung out within a few: the first 5 ms carry
    // far more than the last 20, and the very end is silence.
    double peak = 0;
    size_t peak_at = 0;
    for (size_t i = 0; i < click.samples.size(); ++i)
        if (std::fabs(click.samples[i]) > peak) peak = std::fabs(click.samples[peak_at = i]);
    EXPECT_GT(peak, 0.7);
    EXPECT_LT(peak_at, 22u);
    EXPECT_GT(click.rms(0, 110), 8 * click.rms(880, 1322));
    EXPECT_LT(std::fabs(click.samples.back()), 0.01);
}

TEST(HornArt, HornRecordingLayout) {
    Recording horn("horn.wav");
    ASSERT_NE(horn.format, nullptr);
    EXPECT_EQ(horn.format->channels, 1);
    EXPECT_EQ(horn.format->samples_per_second, 22050u);
    EXPECT_EQ(horn.format->bits_per_sample, 16);
    EXPECT_EQ(horn.size, 60892u);
    EXPECT_EQ(horn.file[16], 16);  // a 16-byte format record
    EXPECT_EQ(horn.chunk("fact"), -1);
    EXPECT_GT(horn.chunk("LIST"), horn.chunk("data"));
    EXPECT_EQ(std::memcmp(&horn.file[size_t(horn.chunk("LIST")) + 8], "INFO", 4), 0);
}

TEST(HornArt, HornSoundsLikeAWarningHornAndLoopsSmoothly) {
    Recording horn("horn.wav");
    ASSERT_EQ(horn.samples.size(), 30446u);
    const std::vector<double>& s = horn.samples;
    // Loud and steady through the body of the recording.
    for (size_t from = 1000; from + 2205 < s.size() - 1000; from += 2205)
        EXPECT_NEAR(horn.rms(from, from + 2205), horn.rms(1000, 3205), 0.05) << from;
    EXPECT_GT(horn.rms(1000, 29000), 0.3);
    // A tone of some hundreds of hertz: its zero crossings come 800 to 2000 times a second
    // (the fundamentals and their harmonics).
    int crossings = 0;
    for (size_t i = 1; i < s.size(); ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    const double per_second = crossings / (s.size() / 22050.0);
    EXPECT_GT(per_second, 800);
    EXPECT_LT(per_second, 2500);
    // Smooth ends, so a loop has no click at its seam and a single play starts and stops softly:
    // both ends at silence, and no step across the seam larger than steps inside the sound.
    EXPECT_LT(std::fabs(s.front()), 0.001);
    EXPECT_LT(std::fabs(s.back()), 0.001);
    double largest_step = 0;
    for (size_t i = 1; i < s.size(); ++i) largest_step = std::max(largest_step, std::fabs(s[i] - s[i - 1]));
    EXPECT_LT(std::fabs(s.front() - s.back()), largest_step / 10);
    EXPECT_LT(horn.rms(0, 22), 0.05);
    EXPECT_LT(horn.rms(s.size() - 22, s.size()), 0.05);
}

}  // namespace
