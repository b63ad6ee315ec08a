#include "plate_art.h"

#include "tools/art/geometry.h"
#include "tools/art/text.h"

#include <cmath>

namespace horn_art {
namespace {

using art::Canvas;
using art::Color;
using art::Point;

constexpr Color kFaceTop = art::rgb(34, 34, 37);
constexpr Color kFaceBottom = art::rgb(22, 22, 24);
constexpr Color kLettering = art::rgb(236, 234, 222);
constexpr Color kMetalLight = art::rgb(232, 232, 236);
constexpr Color kMetalMid = art::rgb(150, 151, 156);
constexpr Color kMetalDark = art::rgb(62, 63, 67);

art::Shader metal_ball(Point centre, double radius) {
    // Lit from the upper left.
    return art::radial_gradient(centre + Point{-radius * 0.35, -radius * 0.4}, radius * 1.3,
                                {{0.0, kMetalLight}, {0.45, kMetalMid}, {1.0, kMetalDark}});
}

void caption(Canvas& c, const char* text, Point at, double size) {
    art::TextStyle style;
    style.size = size;
    style.weight = art::FontWeight::Bold;
    c.fill(art::text_mask(c.width(), c.height(), text, at, style), kLettering);
}

void screw(Canvas& c, Point centre) {
    c.fill(art::disc(centre, 2.2), art::rgb(70, 70, 74));
    c.fill(art::disc(centre, 1.6), metal_ball(centre, 1.6));
    c.fill(art::line(centre + Point{-1.4, 1.0}, centre + Point{1.4, -1.0}, 0.7), art::rgb(40, 40, 42));
}

// A lever thrown from the pivot toward `tip` (canvas coordinates of the lever's own bitmap):
// a tapered shaft with a ball at its end and a collar at the pivot.
Canvas lever(int width, int height, Point pivot, Point tip) {
    Canvas c(width, height);  // see-through where the lever is not
    const double shaft_base = 3.4, shaft_top = 2.0;
    Point along = tip - pivot;
    double length = std::hypot(along.x, along.y);
    Point across{-along.y / length, along.x / length};
    art::Path shaft = art::polygon({pivot + across * shaft_base, tip + across * shaft_top,
                                    tip - across * shaft_top, pivot - across * shaft_base});
    c.fill(shaft, art::linear_gradient(pivot + across * shaft_base, kMetalLight,
                                       pivot - across * shaft_base, kMetalDark));
    c.fill(art::disc(pivot, 4.6), art::rgb(48, 48, 52));
    c.fill(art::disc(pivot, 3.8), metal_ball(pivot, 3.8));
    c.fill(art::disc(tip, 6.0), metal_ball(tip, 6.0));
    return c;
}

}  // namespace

Canvas plate_picture() {
    Canvas c(72, 66);
    c.fill(art::rect(0, 0, 72, 66), art::linear_gradient({0, 0}, kFaceTop, {0, 66}, kFaceBottom));
    // A bevelled edge round the plate.
    c.fill(art::rect(0, 0, 72, 1) + art::rect(0, 1, 1, 66), art::rgb(78, 78, 84));
    c.fill(art::rect(1, 65, 72, 66) + art::rect(71, 1, 72, 65), art::rgb(12, 12, 13));
    for (Point p : {Point{4.5, 4.5}, Point{67.5, 4.5}, Point{4.5, 61.5}, Point{67.5, 61.5}})
        screw(c, p);

    caption(c, "GEAR HORN", {36, 5.5}, 8.0);

    // TEST in its framed field, CANCEL below, beside the lever's two throws.
    c.fill(art::rect_outline(39, 13, 69, 26, 1.0), kLettering);
    caption(c, "TEST", {54, 19.5}, 7.5);
    caption(c, "CANCEL", {53.5, 49}, 6.8);
    // Arrows from the lever toward its two labels.
    c.fill(art::polygon({{33, 19.5}, {37, 16.5}, {37, 22.5}}), kLettering);
    c.fill(art::polygon({{33, 49}, {37, 46}, {37, 52}}), kLettering);

    // The guide slot the lever moves in, and the round boss it pivots in.
    const Point pivot{kPivotX, kPivotY};
    c.fill(art::rounded_rect(18, 12, 22, 59, 2), art::rgb(9, 9, 10));
    c.fill(art::rounded_rect_outline(17.5, 11.5, 22.5, 59.5, 2.5, 0.6), art::rgb(70, 70, 76));
    c.fill(art::disc(pivot, 9.5), art::rgb(14, 14, 15));
    c.fill(art::ring(pivot, 6.5, 9.0), art::linear_gradient(pivot + Point{-6, -6}, kMetalLight,
                                                            pivot + Point{6, 6}, kMetalDark));
    c.fill(art::disc(pivot, 6.5), art::rgb(26, 26, 28));
    return c;
}

Canvas lever_up_picture() {
    // Placed at (10, 11): the pivot is at (10, 24.5) in this bitmap.
    return lever(17, 56, {kPivotX - 10, kPivotY - 11}, {8.5, 6.5});
}

Canvas lever_down_picture() {
    // Placed at (9, 9): the pivot is at (11, 26.5) in this bitmap.
    return lever(18, 56, {kPivotX - 9, kPivotY - 9}, {9.5, 48.5});
}

Canvas lever_centred_picture() {
    // Placed at (13, 28): the lever seen end-on, its ball over the pivot at (7, 7.5).
    Canvas c(14, 15);
    const Point centre{kPivotX - 13, kPivotY - 28};
    c.fill(art::disc(centre, 6.9), art::rgb(44, 44, 48));
    c.fill(art::disc(centre, 6.0), metal_ball(centre, 6.0));
    return c;
}

}  // namespace horn_art
