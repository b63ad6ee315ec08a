// Needles: quarter turns land pixel for pixel, other angles turn clockwise about the pivot
// centre, see-through black blends without fringes, and the frame only crops the picture.
#include "tests/raster/raster_support.h"

#include <cmath>

using namespace raster_test;

namespace {

// 5 x 7, blue, with a red L (stem in column 1, rows 1-5; foot in row 5, columns 1-3) and one
// see-through pure black pixel at (4,0): no turn or mirror maps it onto itself, and a swap of
// red and blue shows.
Image l_fixture() {
    Image img(5, 7, kBlue);
    for (int y = 1; y <= 5; ++y) img.at(1, y) = kRed;
    for (int x = 1; x <= 3; ++x) img.at(x, 5) = kRed;
    img.at(4, 0) = kBlack;
    return img;
}

// Quarter turns written out independently: bitmap pixel (i, j), taken relative to the pivot
// pixel, turned clockwise on the screen (y down) by quarters, added to the panel point.
Frame reference_quarter_turn(Frame frame, const Image& img, int px, int py, int x, int y,
                             int quarters) {
    for (int j = 0; j < img.height; ++j)
        for (int i = 0; i < img.width; ++i) {
            int dx = i - px, dy = j - py;
            for (int q = 0; q < ((quarters % 4) + 4) % 4; ++q) {
                const int t = dx;
                dx = -dy;
                dy = t;
            }
            const int fx = x + dx - frame.origin_x, fy = y + dy - frame.origin_y;
            if (fx < 0 || fy < 0 || fx >= frame.image.width || fy >= frame.image.height) continue;
            if (img.at(i, j) == kBlack) continue;
            frame.image.at(fx, fy) = img.at(i, j);
        }
    return frame;
}

// A white bitmap on pure black: a filled rectangle w x h with a see-through margin of one pixel.
Image white_block(int w, int h) {
    Image img(w + 2, h + 2, kBlack);
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x) img.at(x, y) = kWhite;
    return img;
}

}  // namespace

TEST(NeedleQuarterTurns, LandPixelForPixel) {
    struct Angle {
        double degrees;
        int quarters;
    };
    const Angle angles[] = {{0, 0},   {360, 0}, {-360, 0}, {720, 0},  {90, 1},  {450, 1},
                            {-270, 1}, {180, 2}, {-180, 2}, {270, 3}, {-90, 3}, {630, 3}};
    struct Pivot {
        int x, y;
    };
    const Pivot pivots[] = {{1, 5}, {2, -9}, {8, 148}};  // inside, above, far below the bitmap
    const Image img = l_fixture();
    for (const Pivot& p : pivots) {
        for (const Angle& a : angles) {
            Frame frame = make_frame(400, 400, -150, -150, kGrey);
            const Frame expected = reference_quarter_turn(frame, img, p.x, p.y, 12, 14, a.quarters);
            draw_needle(frame, img, p.x, p.y, 12, 14, a.degrees, true);
            EXPECT_TRUE(same_image("needle_quarter_" + std::to_string(p.y) + "_" +
                                       std::to_string(int(a.degrees)),
                                   frame.image, expected.image));
        }
    }
}

TEST(NeedleQuarterTurns, QuarterTurnIsClockwiseOnTheScreen) {
    // Pivot on the corner of the L at (10,10): a quarter turn clockwise lays the stem (pointing
    // up) to the right and the foot (pointing right) downwards.
    Frame frame = make_frame(30, 30, 0, 0, kGrey);
    draw_needle(frame, l_fixture(), 1, 5, 10, 10, 90, true);
    for (int x = 10; x <= 14; ++x) EXPECT_EQ(panel_pixel(frame, x, 10), kRed) << x;
    for (int y = 11; y <= 12; ++y) EXPECT_EQ(panel_pixel(frame, 10, y), kRed) << y;
    EXPECT_EQ(panel_pixel(frame, 11, 11), kBlue);
    EXPECT_EQ(panel_pixel(frame, 15, 13), kGrey);  // the see-through corner (4,0)
    EXPECT_EQ(panel_pixel(frame, 15, 12), kBlue);  // its neighbour (4,1)
}

TEST(NeedleTurns, TurnClockwiseAboutAPivotFarOutside) {
    // A heading label: 15 x 18, pivot (8,148), placed at the arc centre (94,175). The label's
    // centre lies 139.5 pixels above and 1 pixel left of the pivot centre; turned clockwise by
    // a, it lands at pivot + (-cos a + 139.5 sin a, -sin a - 139.5 cos a).
    const Image label = white_block(15, 18);  // 17 x 20 with the margin; centre unchanged
    const double angles[] = {0, 21, -21, 45, 90, 135, 200, 339, 699, -700};
    for (double a : angles) {
        Frame frame = make_frame(400, 400, -106, -50, kBlack);
        draw_needle(frame, label, 9, 149, 94, 175, a, true);  // margin shifts the pivot by one
        const Ink ink = measure_ink(frame, kBlack);
        // Sampling 16 points a pixel estimates edge coverage to about 1/32 of a pixel.
        const double r = a * M_PI / 180;
        EXPECT_NEAR(ink.centre_x, 94 - std::cos(r) + 139.5 * std::sin(r), 0.1) << a;
        EXPECT_NEAR(ink.centre_y, 175 - std::sin(r) - 139.5 * std::cos(r), 0.1) << a;
        EXPECT_NEAR(ink.weight, 15 * 18, 1.5) << a;  // turning keeps the area
    }
}

TEST(NeedleTurns, AnglesOutsideOneTurnGiveTheSamePicture) {
    const Image label = white_block(15, 18);
    Frame reference = make_frame(189, 181, 0, 0, kGrey);
    draw_needle(reference, label, 9, 149, 94, 175, 339, true);
    for (double a : {699.0, -21.0, -381.0, 1059.0}) {
        Frame frame = make_frame(189, 181, 0, 0, kGrey);
        draw_needle(frame, label, 9, 149, 94, 175, a, true);
        EXPECT_TRUE(same_image("needle_turn_" + std::to_string(int(a)), frame.image,
                               reference.image));
    }
}

TEST(NeedleSeeThrough, BlackShowsWhatLiesBeneathAndEdgesBlendWithoutFringes) {
    // A white square turned 37 degrees over white leaves every pixel white: the see-through
    // black around it adds no dark fringe.
    const Image block = white_block(20, 20);
    Frame white = make_frame(40, 40, 0, 0, kWhite);
    draw_needle(white, block, 11, 11, 20, 20, 37, true);
    EXPECT_EQ(measure_ink(white, kWhite).count, 0);

    // Over red, edge pixels mix red and white only; inside it is white.
    Frame red = make_frame(40, 40, 0, 0, kRed);
    draw_needle(red, block, 11, 11, 20, 20, 37, true);
    int mixed = 0;
    for (const Rgba& p : red.image.pixels) {
        EXPECT_EQ(p.r, 255);
        EXPECT_EQ(p.g, p.b);
        mixed += p.g > 0 && p.g < 255;
    }
    EXPECT_GT(mixed, 40);
    EXPECT_EQ(panel_pixel(red, 20, 20), kWhite);

    // A black hole in the middle shows the red beneath, or black when black is not see-through.
    Image holed = block;
    for (int y = 9; y <= 13; ++y)
        for (int x = 9; x <= 13; ++x) holed.at(x, y) = kBlack;
    for (bool see_through : {true, false}) {
        Frame f = make_frame(40, 40, 0, 0, kRed);
        draw_needle(f, holed, 11, 11, 20, 20, 37, see_through);
        EXPECT_EQ(panel_pixel(f, 20, 20), see_through ? kRed : kBlack);
        EXPECT_EQ(panel_pixel(f, 0, 0), kRed);  // outside the bitmap nothing changes either way
    }
}

TEST(NeedleClipping, FrameOnlyCropsThePicture) {
    // Seeded cases: random bitmaps (a third of the pixels see-through black), pivots inside and
    // outside, quarter turns and free angles, frames with negative origins cutting the needle at
    // every edge. A small frame must hold exactly its part of what a large frame shows.
    Seeded rng(20240611);
    for (int n = 0; n < 400; ++n) {
        Image img(rng.between(1, 24), rng.between(1, 24));
        for (Rgba& p : img.pixels)
            p = rng.between(0, 2) == 0 ? kBlack
                                       : Rgba{uint8_t(rng.next()), uint8_t(rng.next()),
                                              uint8_t(rng.next()), 255};
        const double px = rng.between(-30, 40), py = rng.between(-30, 40);
        const double x = rng.between(-40, 60), y = rng.between(-40, 60);
        const double angle = rng.between(0, 2) == 0 ? 90.0 * rng.between(-8, 8)
                                                    : rng.uniform(-720, 720);
        const bool see_through = rng.between(0, 3) != 0;
        Frame large = make_frame(400, 400, -200, -200, kGrey);
        Frame small = make_frame(rng.between(1, 50), rng.between(1, 50), rng.between(-40, 40),
                                 rng.between(-40, 40), kGrey);
        draw_needle(large, img, px, py, x, y, angle, see_through);
        draw_needle(small, img, px, py, x, y, angle, see_through);
        ASSERT_TRUE(same_image("needle_clip_case_" + std::to_string(n), small.image,
                               crop(large, small.origin_x, small.origin_y, small.image.width,
                                    small.image.height)))
            << "case " << n << ": angle " << angle << " pivot (" << px << "," << py << ") at ("
            << x << "," << y << ")";
    }
}

TEST(NeedleBadInput, DrawsNothing) {
    const Image img = l_fixture();
    Image broken = img;
    broken.pixels.pop_back();
    Frame frame = make_frame(40, 40, -20, -20, kGrey);
    const Frame before = frame;
    draw_needle(frame, img, 1, 5, 0, 0, NAN, true);
    draw_needle(frame, img, 1, 5, 0, 0, INFINITY, true);
    draw_needle(frame, img, NAN, 5, 0, 0, 10, true);
    draw_needle(frame, img, 1, 5, -INFINITY, 0, 10, true);
    draw_needle(frame, img, 1, 5, 1e300, -1e300, 10, true);
    draw_needle(frame, img, 1e300, 5, 0, 0, 90, true);
    draw_needle(frame, broken, 1, 5, 0, 0, 0, true);
    draw_needle(frame, Image(), 0, 0, 0, 0, 0, true);
    EXPECT_TRUE(same_image("needle_bad_input", frame.image, before.image));
}
