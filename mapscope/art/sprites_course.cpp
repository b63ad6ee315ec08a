// The rose display's VOR 1 course picture: the course pointers, the row of deviation dots, the
// deviation bar textures the sprites slide and turn, and the round windows they are seen
// through.
//
// All of it turns about the rose centre. The course pointer's axis runs down its pivot column
// 12 (x = 12.5) and leaves a gap about its pivot row 62 for the bar, which is 37 rows long; the
// textures' bar is centred on the texture point (128, 128) the sprite turns about.
#include "mapscope/art/pointers_parts.h"

namespace mapscope_art {

namespace {

using art::Canvas;
using art::Path;

// ---- course pointer, 26 x 125 -------------------------------------------------------------------

constexpr int kCourseWidth = 26, kCourseHeight = 125;
constexpr double kCourseAxis = 12.5;
constexpr double kShaftHalfWidth = 1.5;  // columns 11..13
constexpr double kHeadDepth = 13;        // rows 0..12, the tip on the axis
constexpr double kHeadHalfWidth = 6;
constexpr double kCrossbarTop = 20, kCrossbarHalfWidth = 11.5;  // row 20..21, columns 1..23
// The open middle: rows 42..82, 20.5 pixels either side of the pivot row's centre, room for
// the 37-row bar.
constexpr double kGapTop = 42, kGapBottom = 83;

Path course_pointer_path() {
    const double a = kCourseAxis;
    Path head = art::polygon(
        {{a, 0}, {a + kHeadHalfWidth, kHeadDepth}, {a - kHeadHalfWidth, kHeadDepth}});
    Path shaft = art::rect(a - kShaftHalfWidth, kHeadDepth - 1, a + kShaftHalfWidth, kGapTop);
    Path crossbar = art::rect(a - kCrossbarHalfWidth, kCrossbarTop, a + kCrossbarHalfWidth,
                              kCrossbarTop + 2);
    Path tail = art::rect(a - kShaftHalfWidth, kGapBottom, a + kShaftHalfWidth, kCourseHeight);
    return head + shaft + crossbar + tail;
}

// ---- deviation dots, 63 x 4 ---------------------------------------------------------------------

// Four rings of 4 x 4 pixels, centred at columns 1.5, 16.5, 45.5 and 60.5 (the middle of
// columns 0..3, 15..18, 44..47 and 59..62), two dots either side of the course line.
constexpr int kDotColumns[] = {0, 15, 44, 59};

// ---- sprite textures, 256 x 256 -----------------------------------------------------------------

constexpr int kTextureSize = 256;
// The bar: columns 127..128, rows 110..146, centred on the texture point (128, 128).
constexpr double kBarLeft = 127, kBarRight = 129, kBarTop = 110, kBarBottom = 147;
// The cyan arrow's head, over the bar's upper end: columns 118..137, rows 110..121.
constexpr double kArrowLeft = 118, kArrowRight = 138, kArrowBase = 122;

constexpr int kWindowSize = 123;

}  // namespace

Canvas course_pointer(art::Color color) {
    Canvas c(kCourseWidth, kCourseHeight);
    c.fill(course_pointer_path(), color);
    return c;
}

Canvas deviation_dots() {
    const art::Color rim = art::grey(96);  // the corners, to round the rings off
    Canvas ring = pixel_art({"rWWr",
                             "W..W",
                             "W..W",
                             "rWWr"},
                            {{'W', kWhite}, {'r', rim}});
    Canvas c(63, 4);
    for (int x : kDotColumns) c.draw(ring, x, 0);
    return c;
}

Canvas deviation_arrow_texture() {
    Canvas c(kTextureSize, kTextureSize);
    const double middle = (kArrowLeft + kArrowRight) / 2;
    c.fill(art::polygon({{middle, kBarTop}, {kArrowRight, kArrowBase}, {kArrowLeft, kArrowBase}}) +
               art::rect(kBarLeft, kArrowBase - 1, kBarRight, kBarBottom),
           kCyan);
    return c;
}

Canvas deviation_bar_texture() {
    Canvas c(kTextureSize, kTextureSize);
    c.fill(art::rect(kBarLeft, kBarTop, kBarRight, kBarBottom), kMagenta);
    return c;
}

// Whole pixels only: the host shows the sprite wherever the window is not pure black.
Canvas sprite_window() {
    Canvas c(kWindowSize, kWindowSize);
    c.fill_crisp(art::disc({kWindowSize / 2.0, kWindowSize / 2.0}, kWindowSize / 2.0),
                 kWindowColor);
    return c;
}

}  // namespace mapscope_art
