// The quantiser: exact for small palettes, pinned colours exact in big ones, and pure black
// only where it was.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/art/palette.h"

namespace art {
namespace {

constexpr Rgb kBlack{0, 0, 0};

TEST(Quantize, FewColoursAreKeptExactlyWithBlackFirst) {
    std::vector<Rgb> px{{9, 9, 9}, {0, 0, 0}, {255, 0, 0}, {9, 9, 9}, {1, 2, 3}, {0, 0, 0}};
    IndexedImage q = quantize(3, 2, px);
    EXPECT_EQ(q.to_rgb(), px);
    ASSERT_EQ(q.palette.size(), 4u);
    EXPECT_EQ(q.palette[0], kBlack);
    EXPECT_EQ(q.at(2, 0), (Rgb{255, 0, 0}));
}

TEST(Quantize, ExactlyTwoHundredFiftySixColoursAreExact) {
    std::vector<Rgb> px;
    for (int i = 0; i < 256; ++i) px.push_back(Rgb{uint8_t(i), uint8_t(255 - i), 7});
    IndexedImage q = quantize(16, 16, px);
    EXPECT_EQ(q.palette.size(), 256u);
    EXPECT_EQ(q.to_rgb(), px);
}

// A picture of 4096 colours with see-through black, the screen colour and a pinned yellow.
std::vector<Rgb> busy_picture() {
    std::vector<Rgb> px;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            Rgb c{uint8_t(x * 4), uint8_t(y * 4), uint8_t(255 - x * 2 - y * 2)};
            if ((x + y) % 9 == 0) c = kBlack;
            if (x == 10) c = kScreenRgb;
            if (y == 20) c = Rgb{252, 252, 0};
            px.push_back(c);
        }
    }
    return px;
}

TEST(Quantize, ManyColoursKeepPinnedColoursAndSeeThroughExactly) {
    std::vector<Rgb> px = busy_picture();
    IndexedImage q = quantize(64, 64, px, {{252, 252, 0}});
    ASSERT_LE(q.palette.size(), 256u);
    EXPECT_EQ(q.palette[0], kBlack);
    std::vector<Rgb> out = q.to_rgb();
    double error = 0, uniform_error = 0;
    for (size_t i = 0; i < px.size(); ++i) {
        bool pinned = px[i] == kBlack || px[i] == kScreenRgb || px[i] == Rgb{252, 252, 0};
        if (pinned) {
            EXPECT_EQ(out[i], px[i]) << i;
        }
        EXPECT_EQ(out[i] == kBlack, px[i] == kBlack) << i;
        error += std::abs(out[i].r - px[i].r) + std::abs(out[i].g - px[i].g) +
                 std::abs(out[i].b - px[i].b);
        // The same picture on a fixed 3-3-2 bit palette, for comparison.
        auto level = [](int v, int bits) {
            int steps = (1 << bits) - 1;
            return int(std::lround(std::lround(v * steps / 255.0) * 255.0 / steps));
        };
        uniform_error += std::abs(level(px[i].r, 3) - px[i].r) +
                         std::abs(level(px[i].g, 3) - px[i].g) +
                         std::abs(level(px[i].b, 2) - px[i].b);
    }
    // The reduction follows the picture's colours: far closer than a fixed palette.
    EXPECT_LT(error, uniform_error / 2);
}

TEST(Quantize, SameInputSameOutput) {
    std::vector<Rgb> px = busy_picture();
    IndexedImage a = quantize(64, 64, px), b = quantize(64, 64, px);
    EXPECT_EQ(a.palette, b.palette);
    EXPECT_EQ(a.indices, b.indices);
}

TEST(Quantize, NearBlackColoursNeverCollapseIntoSeeThrough) {
    // Hundreds of colours within one level of black: the reduction must keep them off (0,0,0).
    std::vector<Rgb> px;
    for (int i = 0; i < 1024; ++i)
        px.push_back(i % 4 == 0 ? kBlack : Rgb{uint8_t(i % 2), uint8_t((i / 2) % 2), uint8_t(i / 4)});
    IndexedImage q = quantize(32, 32, px);
    std::vector<Rgb> out = q.to_rgb();
    for (size_t i = 0; i < px.size(); ++i) EXPECT_EQ(out[i] == kBlack, px[i] == kBlack) << i;
}

// Two states of one picture, over 256 colours together, that differ in one corner only: on a
// shared palette they still agree everywhere else.
TEST(Quantize, SharedPaletteKeepsSharedPixelsEqual) {
    std::vector<Rgb> a = busy_picture(), b = a;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) b[size_t(y) * 64 + x] = Rgb{uint8_t(255 - x), 30, uint8_t(y)};
    std::vector<Rgb> palette = build_palette({&a, &b});
    ASSERT_LE(palette.size(), 256u);
    std::vector<Rgb> qa = apply_palette(64, 64, a, palette).to_rgb();
    std::vector<Rgb> qb = apply_palette(64, 64, b, palette).to_rgb();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (x >= 16 || y >= 16) {
                EXPECT_EQ(qa[size_t(y) * 64 + x], qb[size_t(y) * 64 + x]) << x << "," << y;
            }
}

TEST(Quantize, BadInputsAreRejected) {
    EXPECT_THROW(quantize(2, 2, std::vector<Rgb>(3)), std::invalid_argument);
    std::vector<Rgb> px{{0, 0, 0}, {5, 5, 5}};
    EXPECT_THROW(apply_palette(2, 1, px, {{5, 5, 5}}), std::invalid_argument);  // lacks black
    EXPECT_THROW(apply_palette(2, 1, px, {}), std::invalid_argument);
    EXPECT_THROW(apply_palette(2, 1, {{5, 5, 5}, {6, 6, 6}}, {{0, 0, 0}}), std::invalid_argument);
    std::vector<Rgb> many_pinned;
    for (int i = 0; i < 300; ++i) many_pinned.push_back(Rgb{uint8_t(i), uint8_t(i >> 8), 1});
    EXPECT_THROW(quantize(300, 1, many_pinned, many_pinned), std::invalid_argument);
}

}  // namespace
}  // namespace art
