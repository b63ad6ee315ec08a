// The screen, arc overlay, corner masks, heading labels, compass rose and panel controls as the
// generator writes them: ids and sizes, and the picture rules the display relies on (where it is
// see-through, the exact screen colour, the masks lining up with the overlay, the labels'
// axis).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "mapscope/art/tests/generated_art.h"
#include "tools/art/bmp.h"
#include "tools/art/files.h"

namespace {

using art::IndexedImage;
using art::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kScreen{8, 8, 8};
constexpr Rgb kAircraft{252, 252, 0};

int brightness(Rgb c) { return std::max({c.r, c.g, c.b}); }

class ScreenArt : public GeneratedMapscopeArt {};

// ---- ids and sizes --------------------------------------------------------------------------

struct Size {
    uint32_t id;
    int width, height;
};

std::vector<Size> screen_and_scale_bitmaps() {
    std::vector<Size> all = {{0x1000, 189, 181}, {0x3050, 21, 11}, {0x3053, 21, 11},
                             {0x5010, 25, 24},   {0x5013, 25, 24}, {0x5016, 25, 24},
                             {0x5000, 189, 136}, {0x3000, 40, 54}, {0x3001, 40, 54},
                             {0x5020, 161, 161}};
    for (uint32_t id = 0x2000; id <= 0x2023; ++id) all.push_back({id, 15, 18});
    return all;
}

TEST_F(ScreenArt, EveryBitmapIsListedWithItsSizeAndEightBitsPerPixel) {
    const std::string list = list_text();
    for (const Size& s : screen_and_scale_bitmaps()) {
        char line[64];
        std::snprintf(line, sizeof line, "BITMAP 0x%04x %s\n", unsigned(s.id),
                      file_name(s.id).c_str());
        EXPECT_NE(list.find(line), std::string::npos) << line;
        const IndexedImage& img = bitmap(s.id);
        EXPECT_EQ(img.width, s.width) << std::hex << s.id;
        EXPECT_EQ(img.height, s.height) << std::hex << s.id;
        EXPECT_LE(img.palette.size(), 256u);
        // 8 bits per pixel with a full palette table, as the host and the packer read them.
        std::vector<uint8_t> bytes = art::read_file(dir_ + "/" + file_name(s.id));
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[28], 8) << std::hex << s.id;
    }
}

// ---- screen and overlay -----------------------------------------------------------------------

// Pixels of a w x h picture within `r` pixels (in x and y) of one of the chosen corners.
bool in_corner(int x, int y, int w, int h, int r, bool top, bool bottom) {
    const bool left = x < r, right = x >= w - r;
    return (left || right) && ((top && y < r) || (bottom && y >= h - r));
}

TEST_F(ScreenArt, ScreenIsTheScreenColourWithItsFourCornersCutAway) {
    const IndexedImage& s = bitmap(0x1000);
    for (auto [x, y] : {std::pair{0, 0}, {188, 0}, {0, 180}, {188, 180}})
        EXPECT_EQ(s.at(x, y), kBlack) << x << "," << y;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const Rgb c = s.at(x, y);
            if (in_corner(x, y, s.width, s.height, 12, true, true)) {
                EXPECT_LE(brightness(c), 8) << x << "," << y;  // black, or an edge toward it
            } else {
                ASSERT_EQ(c, kScreen) << x << "," << y;
            }
        }
}

TEST_F(ScreenArt, OverlayIsOpaqueButForTheScreensBottomCorners) {
    const IndexedImage& o = bitmap(0x5000);
    const IndexedImage& s = bitmap(0x1000);
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x) {
            if (in_corner(x, y, o.width, o.height, 12, false, true)) {
                // Cut exactly like the screen under it (the overlay sits at (0,45)).
                ASSERT_EQ(o.at(x, y), s.at(x, y + 45)) << x << "," << y;
            } else {
                ASSERT_NE(o.at(x, y), kBlack) << x << "," << y;
            }
        }
    EXPECT_EQ(o.at(0, 135), kBlack);
    EXPECT_EQ(o.at(188, 135), kBlack);
    EXPECT_EQ(o.at(0, 0), kScreen);
    EXPECT_EQ(o.at(30, 120), kScreen);
}

TEST_F(ScreenArt, OverlayArcsStandAboutTheArcCentre) {
    const IndexedImage& o = bitmap(0x5000);
    // The heading arc of radius 130 about bitmap point (94,130) is crisp along its top row.
    for (int x = 92; x <= 96; ++x) EXPECT_GE(brightness(o.at(x, 0)), 240) << x;
    EXPECT_EQ(o.at(94, 1), kScreen);
    // Each range arc has a dash on the centre line and leaves gaps along it.
    for (int radius : {102, 74, 46}) {
        EXPECT_GE(brightness(o.at(94, 130 - radius)), 200) << radius;
        int bright = 0, dark = 0;
        for (int deg = -40; deg <= 40; ++deg) {
            const double a = deg * M_PI / 180;
            const Rgb c = o.at(int(94.5 + radius * std::sin(a)), int(130.5 - radius * std::cos(a)));
            (brightness(c) >= 128 ? bright : dark) += 1;
        }
        EXPECT_GT(bright, 15) << radius;
        EXPECT_GT(dark, 15) << radius;
    }
    // Left-right symmetric about column 94, apart from the aircraft symbol.
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < 94; ++x) {
            if (x >= 75 && y >= 108 && y <= 127) continue;
            ASSERT_EQ(o.at(x, y), o.at(188 - x, y)) << x << "," << y;
        }
}

TEST_F(ScreenArt, AircraftSymbolIsYellowInsideItsBox) {
    const IndexedImage& o = bitmap(0x5000);
    int yellow = 0;
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x) {
            const Rgb c = o.at(x, y);
            const bool inside = x >= 85 && x <= 104 && y >= 108 && y <= 127;
            if (c == kAircraft) {
                EXPECT_TRUE(inside) << x << "," << y;
                ++yellow;
            } else if (inside) {
                EXPECT_EQ(c, kScreen) << x << "," << y;  // the symbol has no blurred edge
            }
        }
    // A cross with a tailplane: the wings span the box, the tail is narrower.
    auto row_width = [&](int y) {
        int n = 0;
        for (int x = 85; x <= 104; ++x) n += o.at(x, y) == kAircraft;
        return n;
    };
    EXPECT_EQ(row_width(108 + 7), 20);
    EXPECT_EQ(row_width(108 + 8), 20);
    EXPECT_GT(row_width(108 + 15), row_width(108 + 12));
    EXPECT_LT(row_width(108 + 15), 20);
    EXPECT_GT(yellow, 60);
}

// ---- corner masks --------------------------------------------------------------------------

// Signed distance of a pixel centre from the mask's diagonal, (5,0) to (39,53): positive
// above it (toward the upper right).
double above_diagonal(int x, int y) {
    const double dx = 34, dy = 53, len = std::hypot(dx, dy);
    return ((x + 0.5 - 5) * dy - (y + 0.5) * dx) / len;
}

TEST_F(ScreenArt, CornerMasksAreSeeThroughAboveTheirDiagonalAndTheOverlayBelow) {
    const IndexedImage& left = bitmap(0x3000);
    const IndexedImage& right = bitmap(0x3001);
    const IndexedImage& o = bitmap(0x5000);
    int white = 0;
    for (int y = 0; y < left.height; ++y)
        for (int x = 0; x < left.width; ++x) {
            const double d = above_diagonal(x, y);
            const Rgb c = left.at(x, y);
            if (d > 0.75) {
                ASSERT_EQ(c, kBlack) << x << "," << y;
            } else if (d < -0.75) {
                ASSERT_NE(c, kBlack) << x << "," << y;
            }
            // Below the diagonal the mask repeats the overlay under it exactly, arcs included:
            // the left mask at (0,60), the right one at (149,60), the overlay at (0,45).
            if (c != kBlack) {
                ASSERT_EQ(c, o.at(x, y + 15)) << x << "," << y;
                white += brightness(c) >= 200;
            }
            const Rgb r = right.at(x, y);
            if (r != kBlack) {
                ASSERT_EQ(r, o.at(149 + x, y + 15)) << x << "," << y;
            }
        }
    EXPECT_GT(white, 10);  // pieces of the radius-130 and radius-102 arcs
}

TEST_F(ScreenArt, RightCornerMaskIsTheLeftOneMirrored) {
    const IndexedImage& left = bitmap(0x3000);
    const IndexedImage& right = bitmap(0x3001);
    for (int y = 0; y < left.height; ++y)
        for (int x = 0; x < left.width; ++x)
            ASSERT_EQ(right.at(x, y), left.at(left.width - 1 - x, y)) << x << "," << y;
}

// ---- heading labels ------------------------------------------------------------------------

struct LabelInk {
    int left = 99, right = -1, top = 99, bottom = -1;  // inclusive
};

// The ink box of a label's digits (rows above the tick).
LabelInk digits_of(const IndexedImage& img) {
    LabelInk ink;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < img.width; ++x)
            if (brightness(img.at(x, y)) >= 96) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

TEST_F(ScreenArt, HeadingLabelsStandOnTheirAxisWithATickBelow) {
    int large_height = 0, small_height = 0;
    for (int k = 0; k < 36; ++k) {
        const uint32_t id = 0x2000 + k;
        const int heading = (10 * (k - 1) + 360) % 360;  // 0x2000 shows 35
        const IndexedImage& img = bitmap(id);
        SCOPED_TRACE(testing::Message() << std::hex << id);
        // The tick: column 8 of the bottom rows, nothing beside it.
        for (int y = 15; y < 18; ++y) {
            EXPECT_GE(brightness(img.at(8, y)), 240) << y;
            EXPECT_EQ(img.at(7, y), kBlack) << y;
            EXPECT_EQ(img.at(9, y), kBlack) << y;
        }
        // Digits centred on column 8, within a pixel; two digits are wider than one.
        const LabelInk ink = digits_of(img);
        ASSERT_LE(ink.left, ink.right);
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 8.0, 1.0);
        EXPECT_LE(ink.bottom, 13);
        const int width = ink.right - ink.left + 1;
        if (heading >= 100) {
            EXPECT_GE(width, 9);
        } else {
            EXPECT_LE(width, 7);
        }
        (heading % 30 == 0 ? large_height : small_height) = ink.bottom - ink.top + 1;
        // See-through background.
        EXPECT_EQ(img.at(0, 0), kBlack);
        EXPECT_EQ(img.at(14, 17), kBlack);
        EXPECT_EQ(img.at(0, 17), kBlack);
    }
    EXPECT_GT(large_height, small_height);
}

// ---- compass rose ----------------------------------------------------------------------------

TEST_F(ScreenArt, CompassRoseRingAndNumbersAboutItsCentre) {
    const IndexedImage& r = bitmap(0x5020);
    // See-through in the middle, between the rings and in the corners.
    for (auto [x, y] : {std::pair{80, 80}, {80, 60}, {100, 80}, {0, 0}, {160, 160}, {0, 160}})
        EXPECT_EQ(r.at(x, y), kBlack) << x << "," << y;
    // The ring of radius 63 crosses the four axes.
    for (auto [x, y] : {std::pair{80, 17}, {80, 143}, {17, 80}, {143, 80}})
        EXPECT_GE(brightness(r.at(x, y)), 200) << x << "," << y;
    // A number (0) stands just outside the ring at the top.
    int top_ink = 0;
    for (int y = 4; y < 15; ++y)
        for (int x = 74; x <= 86; ++x) top_ink += brightness(r.at(x, y)) >= 128;
    EXPECT_GT(top_ink, 10);
    // No paint beyond the numbers.
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            if (std::hypot(x - 80, y - 80) <= 80) continue;
            ASSERT_EQ(r.at(x, y), kBlack) << x << "," << y;
        }
}

// ---- panel controls --------------------------------------------------------------------------

// The centre of a picture's brightest pixels (within `margin` of the brightest).
std::pair<double, double> bright_centre(const IndexedImage& img, int margin) {
    int level = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) level = std::max(level, brightness(img.at(x, y)));
    level -= margin;
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (brightness(img.at(x, y)) >= level) {
                sx += x;
                sy += y;
                ++n;
            }
    return {n ? sx / n : -1, n ? sy / n : -1};
}

TEST_F(ScreenArt, ModeKnobRidgeTurnsLeftUprightRight) {
    struct Case {
        uint32_t id;
        int side;  // where the index at the ridge's upper end lies: -1 left, 0 middle, 1 right
    };
    for (Case c : {Case{0x5010, -1}, Case{0x5013, 0}, Case{0x5016, 1}}) {
        const IndexedImage& k = bitmap(c.id);
        SCOPED_TRACE(testing::Message() << std::hex << c.id);
        EXPECT_EQ(k.at(0, 0), kBlack);
        EXPECT_EQ(k.at(24, 23), kBlack);
        EXPECT_NE(k.at(12, 12), kBlack);
        auto [x, y] = bright_centre(k, 12);  // the white index
        EXPECT_LT(y, 9);
        if (c.side == 0) {
            EXPECT_NEAR(x, 12.5, 1.0);
        } else {
            EXPECT_GT(c.side * (x - 12.5), 3);
        }
    }
}

TEST_F(ScreenArt, SelectorSwitchKnobAtTheLeftOrRightEnd) {
    for (auto [id, left] : {std::pair{0x3050u, true}, {0x3053u, false}}) {
        const IndexedImage& s = bitmap(id);
        SCOPED_TRACE(testing::Message() << std::hex << id);
        EXPECT_EQ(s.at(0, 0), kBlack);
        EXPECT_EQ(s.at(20, 0), kBlack);
        auto [x, y] = bright_centre(s, 40);
        EXPECT_TRUE(left ? x < 8 : x > 12) << x;
    }
}

}  // namespace
