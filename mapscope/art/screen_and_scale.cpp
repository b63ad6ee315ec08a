// The screen 0x1000, the arc overlay 0x5000 and the corner masks 0x3000 and 0x3001; the other
// pieces of this group are drawn by the functions of screen_parts.h.
//
// The overlay and the masks come from one drawing so that the masks' arc pieces lie exactly on
// the overlay's arcs: each mask is the overlay's own pixels under it, with everything beyond
// its diagonal made see-through. The overlay is drawn once for its left half and mirrored, so
// the right mask is exactly the left one mirrored. The four pictures share one palette, so equal
// pixels stay equal after quantising.
#include <cmath>
#include <numbers>

#include "mapscope/art/screen_parts.h"

namespace mapscope_art {

namespace {

using namespace art;

constexpr double kCornerRadius = 11;

// The screen's outline on a canvas whose top-left corner is the screen point (x, y).
Path screen_shape(int x, int y) {
    return rounded_rect(-x, -y, kScreenWidth - x, kScreenHeight - y, kCornerRadius);
}

// Dashes along an arc of `radius` about `centre`, one centred on the top and the others spaced
// evenly both ways up to `half_span` degrees each side, so the pattern is symmetric left to
// right.
Path symmetric_dashes(Point centre, double radius, double dash, double gap, double half_span) {
    const double per_pixel = 180.0 / (std::numbers::pi * radius);
    const double half_dash = dash / 2 * per_pixel, period = (dash + gap) * per_pixel;
    Path out;
    for (int i = 0; i * period - half_dash < half_span; ++i) {
        const double mid = i * period;
        const double to = std::min(mid + half_dash, half_span);
        out.add(arc(centre, radius, 1.0, mid - half_dash, to));
        if (i > 0) out.add(arc(centre, radius, 1.0, -to, -(mid - half_dash)));
    }
    return out;
}

// The aircraft symbol of the arc display, 20 x 20 with its top-left pixel at (x, y), nose up:
// fuselage, wings across rows 7-8, tailplane across rows 15-16.
void draw_aircraft(Canvas& c, int x, int y) {
    c.fill_crisp(pixel_rect(x + 9, y, x + 10, y + 18), kAircraftYellow);       // fuselage
    c.fill_crisp(pixel_rect(x, y + 7, x + 19, y + 8), kAircraftYellow);        // wings
    c.fill_crisp(pixel_rect(x + 6, y + 15, x + 13, y + 16), kAircraftYellow);  // tailplane
}

// The overlay: 189 x 136 at (kOverlayX, kOverlayY), in the screen colour with the bottom
// corners cut like the screen's, the solid heading arc and the dashed range arcs.
Canvas draw_overlay() {
    constexpr int w = kScreenWidth, h = kScreenHeight - kOverlayY;
    static_assert(h == 136);
    const Point o = pixel_centre(int(kOverlayArcCentre.x), int(kOverlayArcCentre.y));
    Canvas c(w, h);
    c.fill(screen_shape(kOverlayX, kOverlayY), kScreenColor);
    // The heading arc, crisp along its top row, out to the screen's edges.
    c.fill(arc(o, kArcRadius[0], 1.0, -90, 90), kScaleWhite);
    // Range arcs: short dashes over the sector ahead and a little beyond.
    c.fill(symmetric_dashes(o, kArcRadius[1], 4, 4, 64), kScaleWhite);
    c.fill(symmetric_dashes(o, kArcRadius[2], 4, 4, 64), kScaleWhite);
    c.fill(symmetric_dashes(o, kArcRadius[3], 3, 4, 70), kScaleWhite);

    // The right half is the left half mirrored, to the pixel: the centre column (94) is its own
    // mirror image.
    Canvas mirror = c.mirrored();
    c.copy_from(mirror, w / 2 + 1, 0, w / 2, h, w / 2 + 1, 0);

    draw_aircraft(c, 85, 108);
    return c;
}

// The left corner mask: the overlay's pixels under it, see-through beyond the diagonal from
// (5,0) to (39,53).
Canvas left_corner_mask(const Canvas& overlay) {
    constexpr int mx = 0, my = 60, mw = 40, mh = 54;
    Canvas m = overlay.crop(mx - kOverlayX, my - kOverlayY, mw, mh);
    const double slope = (39.0 - 5.0) / 53.0;  // x per row along the diagonal
    m.erase_crisp(polygon({{5, 0}, {mw + 1.0, 0}, {mw + 1.0, mh}, {5 + slope * mh, mh}}));
    return m;
}

}  // namespace

void draw_screen_and_scale(ResourceWriter& out) {
    Canvas screen(kScreenWidth, kScreenHeight);
    screen.fill(screen_shape(0, 0), kScreenColor);

    Canvas overlay = draw_overlay();
    Canvas left = left_corner_mask(overlay);
    Canvas right = left.mirrored();

    BitmapOptions options;
    options.pinned = {Rgb{252, 252, 0}, Rgb{255, 255, 255}};
    std::vector<IndexedImage> pictures =
        finish_together({&screen, &overlay, &left, &right}, options);
    out.add_bitmap(0x1000, pictures[0]);
    draw_selector_switches(out);
    draw_mode_knob(out);
    out.add_bitmap(0x5000, pictures[1]);
    draw_heading_labels(out);
    out.add_bitmap(0x3000, pictures[2]);
    out.add_bitmap(0x3001, pictures[3]);
    draw_compass_rose(out);
}

}  // namespace mapscope_art
