// The panel controls beside the screen: selector switches 0x3050 / 0x3053 (21 x 11) and the
// mode knob 0x5010 / 0x5013 / 0x5016 (25 x 24), grey metal lit from the upper left, on
// see-through black.
#include "mapscope/art/screen_parts.h"

namespace mapscope_art {

namespace {

using namespace art;

// A round metal knob: dark rim, domed cap, small highlight.
void draw_round_knob(Canvas& c, Point o, double radius) {
    c.fill(disc(o, radius), rgb(28, 29, 32));
    c.fill(disc(o, radius - 0.8),
           radial_gradient(o + Point{-radius * 0.35, -radius * 0.4}, radius * 1.5,
                           {{0, rgb(214, 216, 220)}, {0.45, rgb(150, 152, 158)},
                            {1, rgb(70, 72, 78)}}));
}

Canvas draw_switch(bool knob_right) {
    constexpr int w = 21, h = 11;
    Canvas c(w, h);
    // The slot the knob slides in: a dark groove with a lighter lower lip.
    c.fill(rounded_rect(1, 2.5, w - 1, h - 2.5, 3), rgb(96, 98, 104));
    c.fill(rounded_rect(1.8, 3.2, w - 1.8, h - 3.5, 2.4), rgb(18, 18, 20));
    const Point o{knob_right ? w - 5.5 : 5.5, h / 2.0};
    draw_round_knob(c, o, 5.4);
    return c;
}

Canvas draw_knob(double ridge_degrees) {
    constexpr int w = 25, h = 24;
    const Point o{w / 2.0, h / 2.0};
    Canvas c(w, h);
    // Skirt and body.
    c.fill(disc(o, 11.8), rgb(24, 25, 28));
    c.fill(disc(o, 11.0), linear_gradient(o + Point{-8, -8}, rgb(176, 178, 184), o + Point{8, 8},
                                          rgb(58, 60, 66)));
    c.fill(disc(o, 8.6), radial_gradient(o + Point{-3, -3.5}, 13, rgb(150, 152, 158),
                                         rgb(84, 86, 92)));
    // The ridge across the knob, shaded along its length, with a white index at its upper end.
    Path ridge = rounded_rect(o.x - 2.2, o.y - 10.2, o.x + 2.2, o.y + 10.2, 2.0);
    c.fill(ridge.rotated(ridge_degrees, o), rgb(30, 31, 34));
    Path top = rounded_rect(o.x - 1.5, o.y - 9.5, o.x + 1.5, o.y + 9.5, 1.4);
    c.fill(top.rotated(ridge_degrees, o),
           linear_gradient(polar(o, 9, ridge_degrees - 90), rgb(200, 202, 208),
                           polar(o, 9, ridge_degrees + 90), rgb(96, 98, 104)));
    c.fill(line(polar(o, 4.5, ridge_degrees), polar(o, 9.3, ridge_degrees), 1.2), grey(255));
    return c;
}

}  // namespace

void draw_selector_switches(ResourceWriter& out) {
    out.add_bitmap(0x3050, draw_switch(false));
    out.add_bitmap(0x3053, draw_switch(true));
}

void draw_mode_knob(ResourceWriter& out) {
    out.add_bitmap(0x5010, draw_knob(-45));
    out.add_bitmap(0x5013, draw_knob(0));
    out.add_bitmap(0x5016, draw_knob(45));
}

}  // namespace mapscope_art
