// Text through FreeType: placement, the crisp mode, and outlines that match the glyphs.
#include <gtest/gtest.h>

#include "tools/art/text.h"

namespace art {
namespace {

struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    double area = 0;
};

Ink ink_of(const Mask& m) {
    Ink k;
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x)
            if (m.at(x, y) > 0) {
                k.left = std::min(k.left, x), k.right = std::max(k.right, x + 1);
                k.top = std::min(k.top, y), k.bottom = std::max(k.bottom, y + 1);
                k.area += m.at(x, y);
            }
    return k;
}

TEST(Text, CentredTextHasItsInkCentredOnThePoint) {
    for (bool aa : {true, false}) {
        for (const char* s : {"HSI", "OV", "35", "1"}) {
            Mask m = text_mask(80, 40, s, {40.0, 20.0}, {13, FontWeight::Bold, aa});
            Ink k = ink_of(m);
            ASSERT_GT(k.area, 10) << s;
            EXPECT_LE(std::abs((k.left + k.right) / 2.0 - 40.0), 0.5) << s;
            EXPECT_LE(std::abs((k.top + k.bottom) / 2.0 - 20.0), 0.5) << s;
            TextExtent e = measure_text(s, {13, FontWeight::Bold, aa});
            EXPECT_EQ(e.width(), k.right - k.left) << s;
            EXPECT_EQ(e.height(), k.bottom - k.top) << s;
        }
    }
}

TEST(Text, CrispModeHasOnlyFullAndEmptyPixels) {
    Mask m = text_mask(40, 20, "0123", {20, 10}, {9, FontWeight::Regular, false});
    int full = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            float v = m.at(x, y);
            EXPECT_TRUE(v == 0.0f || v == 1.0f);
            full += v == 1.0f;
        }
    EXPECT_GT(full, 20);
}

TEST(Text, DigitHeightFollowsTheSize) {
    // Liberation Sans digits stand about 0.72 em tall.
    for (double size : {10.0, 14.0, 20.0}) {
        TextExtent e = measure_text("8", {size});
        EXPECT_NEAR(e.height(), size * 0.72, 1.5) << size;
        EXPECT_LT(e.top, 0);
        EXPECT_LE(e.bottom, 1);
    }
    // Bold letters carry more ink (the two weights share their advances).
    EXPECT_GT(text_mask(60, 30, "HSI", {30, 15}, {14, FontWeight::Bold}).area(),
              text_mask(60, 30, "HSI", {30, 15}, {14}).area() * 1.2);
}

TEST(Text, OutlinesCoverAboutWhatTheGlyphsCover) {
    TextStyle style{16, FontWeight::Bold};
    Mask glyphs = text_mask(80, 40, "HSI", {40, 20}, style);
    Mask outline = Mask::of(text_path("HSI", {40, 20}, style), 80, 40);
    EXPECT_NEAR(outline.area(), glyphs.area(), glyphs.area() * 0.12);
    // Turned by 90 degrees about the centre, the text stands on its side: taller than wide.
    Path turned = text_path("HSI", {40, 20}, style).rotated(90, {40, 20});
    Ink k = ink_of(Mask::of(turned, 80, 40));
    EXPECT_GT(k.bottom - k.top, k.right - k.left);
    // Outlines wind like other shapes: added to a rectangle they do not cut holes in it.
    Mask united = Mask::of(rect(0, 0, 80, 40) + text_path("HSI", {40, 20}, style), 80, 40);
    EXPECT_NEAR(united.area(), 80.0 * 40.0, 1e-3);
}

TEST(Text, Utf8AndLatin1DegreeSignsBothDraw) {
    TextStyle style{14};
    EXPECT_GT(measure_text("\u00B0", style).width(), 0);
    EXPECT_EQ(measure_text("\xB0", style).width(), measure_text("\u00B0", style).width());
    EXPECT_EQ(measure_text("", style).width(), 0);
}

TEST(Text, SillySizesAreRejected) {
    EXPECT_THROW(measure_text("1", {0}), std::invalid_argument);
    EXPECT_THROW(measure_text("1", {-3}), std::invalid_argument);
}

}  // namespace
}  // namespace art
