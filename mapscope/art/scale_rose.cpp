// Compass rose 0x5020, 161 x 161, turned by the host about its centre pixel (80,80): a ring of
// radius 63 with ticks every 5 degrees inside it, longer every 10, the numbers of every 30
// degrees just outside it (upright at the top, turning with the rose), and a dashed inner circle
// of radius 32.
#include <string>

#include "mapscope/art/screen_parts.h"

namespace mapscope_art {

namespace {

using namespace art;

constexpr int kRoseSize = 161;
constexpr double kRingRadius = 63;
constexpr double kInnerRadius = 32;
constexpr double kNumberRadius = 71;  // centre of the numbers' ink

}  // namespace

void draw_compass_rose(ResourceWriter& out) {
    const Point o = pixel_centre(kRoseSize / 2, kRoseSize / 2);
    Canvas c(kRoseSize, kRoseSize);
    c.fill(circle_outline(o, kRingRadius, 1.0), kScaleWhite);
    for (int deg = 0; deg < 360; deg += 5) {
        const bool ten = deg % 10 == 0;
        c.fill(radial_tick(o, kRingRadius - (ten ? 7 : 4), kRingRadius, deg, 1.0),
               ten ? kScaleWhite : grey(200));
    }
    for (int deg = 0; deg < 360; deg += 30) {
        const std::string text = std::to_string(deg / 10);
        const bool cardinal = deg % 90 == 0;
        const TextStyle style{cardinal ? 11.5 : 10, FontWeight::Bold};
        Path number = text_path(text, polar(o, kNumberRadius, 0), style).rotated(deg, o);
        c.fill(number, kScaleWhite);
    }
    c.fill(dashed_circle(o, kInnerRadius, 1.0, 24, 0.5, 0), grey(190));
    out.add_bitmap(0x5020, c);
}

}  // namespace mapscope_art
