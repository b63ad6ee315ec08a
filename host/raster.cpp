// Bitmaps, needles and sprites into the frame.
//
// Pixel model. Pixel (i, j) of a bitmap or of the panel is the unit square [i, i+1) x [j, j+1);
// its centre is (i + 0.5, j + 0.5). A needle's pivot (px, py) names a bitmap pixel: the bitmap
// turns about that pixel's centre, and that centre is put on the centre of panel pixel (x, y).
// Fractional pivots and positions are allowed and keep the same meaning.
//
// Sampling. Turned bitmaps are drawn by inverse mapping with area sampling: each frame pixel
// takes 16 samples spread over its square (a rank-1 lattice: every row and every column of a
// 16 x 16 grid holds one sample), maps each back into the bitmap and looks up the bitmap pixel
// under it. Samples that fall outside the bitmap or on see-through black count as coverage 0,
// the others add their colour; the frame pixel becomes
//     (frame * (16 - n) + sum of the n colours + 8) / 16
// in integers. Edges therefore blend over what lies beneath, with no dark fringe from the
// see-through black, and a thin line keeps its full brightness where it covers a pixel.
//
// Bit-exact paths. Drawing is an exact pixel copy (no blending at all) whenever the turn is a
// whole multiple of 90 degrees after reduction (0, 360, -360, 90, 450, -270, ...) and every
// bitmap pixel centre lands on a frame pixel centre, that is for whole-number pivots and
// positions (and, for sprites, whole-number shifts and scale numbers of exactly 1 or -1).
// Angle 0 then shows the bitmap as stored, pixel for pixel. These cases take a separate copy
// loop; everything else goes through the sampler above. The arithmetic uses only IEEE double
// operations and the rasteriser's own sine and cosine, so both builds give the same pixels.
//
// Drawn pixels are opaque: a frame pixel covered by n samples gets alpha
// (alpha * (16 - n) + 255 * n + 8) / 16; the alpha of bitmaps is not read.
#include "host/raster.h"

#include "host/raster_trig.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kSamples = 16;

// Sample offsets within a pixel: (k + 0.5) / 16 across and ((5 k mod 16) + 0.5) / 16 down.
struct SampleOffsets {
    double x[kSamples];
    double y[kSamples];
    constexpr SampleOffsets() : x(), y() {
        for (int k = 0; k < kSamples; ++k) {
            x[k] = (k + 0.5) / kSamples;
            y[k] = ((5 * k) % kSamples + 0.5) / kSamples;
        }
    }
};
constexpr SampleOffsets kOffsets;

bool well_formed(const Image& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() == size_t(image.width) * size_t(image.height);
}

bool is_black(const Rgba& p) { return p.r == 0 && p.g == 0 && p.b == 0; }

// The red, green and blue bytes of an Rgba read as one 32-bit word, whatever the byte order.
const uint32_t kColourBits = [] {
    const Rgba colour{0xFF, 0xFF, 0xFF, 0};
    uint32_t word;
    std::memcpy(&word, &colour, 4);
    return word;
}();
static_assert(sizeof(Rgba) == 4);

Rgba opaque(const Rgba& p) { return {p.r, p.g, p.b, 255}; }

// A rectangle of pixel indices [x0, x1) x [y0, y1).
struct PixelBox {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

PixelBox whole(const Image& image) { return {0, 0, image.width, image.height}; }

// A rectangle given in wide integers, cut down to `limit`.
PixelBox clip_wide(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const PixelBox& limit) {
    auto clamp = [](int64_t v, int lo, int hi) { return int(std::clamp<int64_t>(v, lo, hi)); };
    return {clamp(x0, limit.x0, limit.x1), clamp(y0, limit.y0, limit.y1),
            clamp(x1, limit.x0, limit.x1), clamp(y1, limit.y0, limit.y1)};
}

// Frame pixels touched by a continuous rectangle in frame coordinates, limited to `limit` (and
// so always safe to convert to int).
PixelBox touched_pixels(double min_x, double min_y, double max_x, double max_y,
                        const PixelBox& limit) {
    auto clamp = [](double v, int lo, int hi) {
        if (!(v >= lo)) return lo;  // also catches not-a-number
        if (v > hi) return hi;
        return int(v);
    };
    // One pixel of margin against rounding in the corner transform.
    return {clamp(std::floor(min_x) - 1, limit.x0, limit.x1),
            clamp(std::floor(min_y) - 1, limit.y0, limit.y1),
            clamp(std::ceil(max_x) + 1, limit.x0, limit.x1),
            clamp(std::ceil(max_y) + 1, limit.y0, limit.y1)};
}

// The smallest box of bitmap pixels holding every pixel that can show; empty when none can.
PixelBox visible_pixels(const Image& image, bool see_through) {
    if (!see_through) return {0, 0, image.width, image.height};
    PixelBox box{image.width, image.height, 0, 0};
    for (int j = 0; j < image.height; ++j) {
        const Rgba* row = &image.pixels[size_t(j) * image.width];
        // Most rows of a needle or sprite are all black: test a row in one pass first.
        uint32_t any = 0;
        for (int i = 0; i < image.width; ++i) {
            uint32_t word;
            std::memcpy(&word, &row[i], 4);
            any |= word;
        }
        if (!(any & kColourBits)) continue;
        int first = 0;
        while (is_black(row[first])) ++first;
        int last = image.width - 1;
        while (is_black(row[last])) --last;
        box.x0 = std::min(box.x0, first);
        box.x1 = std::max(box.x1, last + 1);
        box.y0 = std::min(box.y0, j);
        box.y1 = j + 1;
    }
    return box;
}

// An affine map between panel points and bitmap points: out = (a x + b y + c, d x + e y + f).
// Maps work in panel coordinates, so a needle lands on the same pixels whatever frame it is
// drawn into.
struct Affine {
    double a, b, c, d, e, f;
    double map_x(double x, double y) const { return a * x + b * y + c; }
    double map_y(double x, double y) const { return d * x + e * y + f; }
};

// Where frame pixels may be visible: either everywhere (no window) or where a window bitmap,
// placed unturned with its top-left corner at frame pixel (x, y), is not black. Only asked
// about pixels inside the window.
struct WindowMask {
    const Image* image = nullptr;
    int64_t x = 0, y = 0;
    bool shows(int frame_x, int frame_y) const {
        return !image || !is_black(image->at(int(frame_x - x), int(frame_y - y)));
    }
};

// The drawn bitmap box as it lies in the frame: a parallelogram, corners in order.
struct Quad {
    double x[4], y[4];
};

// Frame columns [x0, x1) of row y that the quad can reach, with a pixel of margin all round.
void row_span(const Quad& q, int row, int* x0, int* x1) {
    const double lo = row - 1.0, hi = row + 2.0;
    double min_x = INFINITY, max_x = -INFINITY;
    for (int k = 0; k < 4; ++k) {
        const double ax = q.x[k], ay = q.y[k], bx = q.x[(k + 1) % 4], by = q.y[(k + 1) % 4];
        if ((ay < lo && by < lo) || (ay > hi && by > hi)) continue;
        double t0 = 0.0, t1 = 1.0;  // the part of the edge inside the band
        if (ay != by) {
            double ta = (lo - ay) / (by - ay), tb = (hi - ay) / (by - ay);
            if (ta > tb) std::swap(ta, tb);
            t0 = std::max(t0, ta);
            t1 = std::min(t1, tb);
            if (t0 > t1) continue;
        }
        for (double t : {t0, t1}) {
            const double x = ax + (bx - ax) * t;
            min_x = std::min(min_x, x);
            max_x = std::max(max_x, x);
        }
    }
    if (!(min_x <= max_x)) {
        *x0 = *x1 = 0;
        return;
    }
    *x0 = int(std::clamp(std::floor(min_x) - 1.0, double(*x0), double(*x1)));
    *x1 = int(std::clamp(std::ceil(max_x) + 1.0, double(*x0), double(*x1)));
}

// Draws `source` through `to_source` (panel point -> bitmap point) into the frame pixels of
// `area` (frame coordinates, already inside the frame and the window) that `quad` reaches.
void draw_mapped(Frame& frame, const Image& source, const Affine& to_source, const PixelBox& area,
                 const Quad& quad, const WindowMask& window, bool see_through) {
    if (area.empty()) return;
    const int64_t ox = frame.origin_x, oy = frame.origin_y;
    // Quarter turns with centres on centres: an exact copy. For such maps the bitmap pixel under
    // the centre of panel pixel (X, Y) is (a X + b Y + ci, d X + e Y + fi) with whole numbers.
    auto unit = [](double v) { return v == 0.0 || v == 1.0 || v == -1.0; };
    if (unit(to_source.a) && unit(to_source.b) && unit(to_source.d) && unit(to_source.e)) {
        const double ci = to_source.c + 0.5 * (to_source.a + to_source.b) - 0.5;
        const double fi = to_source.f + 0.5 * (to_source.d + to_source.e) - 0.5;
        if (ci == std::floor(ci) && fi == std::floor(fi) && std::fabs(ci) < 1e9 &&
            std::fabs(fi) < 1e9) {
            const int a = int(to_source.a), b = int(to_source.b), d = int(to_source.d),
                      e = int(to_source.e);
            const int64_t c = int64_t(ci), f = int64_t(fi);
            for (int Y = area.y0; Y < area.y1; ++Y) {
                Rgba* out = &frame.image.at(area.x0, Y);
                for (int X = area.x0; X < area.x1; ++X, ++out) {
                    const int64_t i = a * (X + ox) + b * (Y + oy) + c;
                    const int64_t j = d * (X + ox) + e * (Y + oy) + f;
                    if (i < 0 || j < 0 || i >= source.width || j >= source.height) continue;
                    const Rgba& p = source.at(int(i), int(j));
                    if (see_through && is_black(p)) continue;
                    if (!window.shows(X, Y)) continue;
                    *out = opaque(p);
                }
            }
            return;
        }
    }

    double step_x[kSamples], step_y[kSamples];
    for (int k = 0; k < kSamples; ++k) {
        step_x[k] = to_source.a * kOffsets.x[k] + to_source.b * kOffsets.y[k];
        step_y[k] = to_source.d * kOffsets.x[k] + to_source.e * kOffsets.y[k];
    }
    const double width = source.width, height = source.height;
    for (int Y = area.y0; Y < area.y1; ++Y) {
        int x0 = area.x0, x1 = area.x1;
        row_span(quad, Y, &x0, &x1);
        Rgba* out = &frame.image.at(x0, Y);
        for (int X = x0; X < x1; ++X, ++out) {
            if (!window.shows(X, Y)) continue;
            // The bitmap point under the pixel's top-left corner.
            const double panel_x = double(X + ox), panel_y = double(Y + oy);
            const double u0 = to_source.map_x(panel_x, panel_y);
            const double v0 = to_source.map_y(panel_x, panel_y);
            unsigned n = 0, r = 0, g = 0, b = 0;
            for (int k = 0; k < kSamples; ++k) {
                const double u = u0 + step_x[k], v = v0 + step_y[k];
                if (!(u >= 0.0 && v >= 0.0 && u < width && v < height)) continue;
                const Rgba& p = source.at(int(u), int(v));
                if (see_through && is_black(p)) continue;
                ++n;
                r += p.r;
                g += p.g;
                b += p.b;
            }
            if (n == 0) continue;
            const unsigned keep = kSamples - n;
            out->r = uint8_t((out->r * keep + r + kSamples / 2) / kSamples);
            out->g = uint8_t((out->g * keep + g + kSamples / 2) / kSamples);
            out->b = uint8_t((out->b * keep + b + kSamples / 2) / kSamples);
            out->a = uint8_t((out->a * keep + 255 * n + kSamples / 2) / kSamples);
        }
    }
}

// The frame pixels that the bitmap box `visible` can reach through `to_panel`, inside `limit`,
// and the box's outline in frame coordinates.
PixelBox reach(const Affine& to_panel, const Frame& frame, const PixelBox& visible,
               const PixelBox& limit, Quad* quad) {
    const double us[4] = {double(visible.x0), double(visible.x1), double(visible.x1),
                          double(visible.x0)};
    const double vs[4] = {double(visible.y0), double(visible.y0), double(visible.y1),
                          double(visible.y1)};
    double min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;
    for (int k = 0; k < 4; ++k) {
        const double x = to_panel.map_x(us[k], vs[k]) - frame.origin_x;
        const double y = to_panel.map_y(us[k], vs[k]) - frame.origin_y;
        quad->x[k] = x;
        quad->y[k] = y;
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
    }
    return touched_pixels(min_x, min_y, max_x, max_y, limit);
}

bool finite_all(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

void draw_image(Frame& frame, const Image& image, int x, int y, bool see_through) {
    if (!well_formed(image) || !well_formed(frame.image)) return;
    // Visible part in bitmap pixels, computed wide: positions and origins may be anything.
    const int64_t left = int64_t(x) - frame.origin_x, top = int64_t(y) - frame.origin_y;
    const int64_t i0 = std::max<int64_t>(0, -left), j0 = std::max<int64_t>(0, -top);
    const int64_t i1 = std::min<int64_t>(image.width, frame.image.width - left);
    const int64_t j1 = std::min<int64_t>(image.height, frame.image.height - top);
    for (int64_t j = j0; j < j1; ++j) {
        const Rgba* in = &image.at(int(i0), int(j));
        Rgba* out = &frame.image.at(int(left + i0), int(top + j));
        for (int64_t i = i0; i < i1; ++i, ++in, ++out) {
            if (see_through && is_black(*in)) continue;
            *out = opaque(*in);
        }
    }
}

void draw_needle(Frame& frame, const Image& image, double pivot_x, double pivot_y, double x,
                 double y, double angle_degrees, bool see_through) {
    if (!well_formed(image) || !well_formed(frame.image)) return;
    if (!finite_all({pivot_x, pivot_y, x, y, angle_degrees})) return;
    const PixelBox visible = visible_pixels(image, see_through);
    if (visible.empty()) return;

    // Clockwise on the screen (y down): a bitmap vector (dx, dy) shows as
    // (dx cos - dy sin, dx sin + dy cos).
    const SinCos t = sin_cos_degrees(angle_degrees);
    const double qx = pivot_x + 0.5, qy = pivot_y + 0.5;  // pivot centre in the bitmap
    const double px = x + 0.5, py = y + 0.5;              // where it goes on the panel
    const Affine to_panel{t.cos, -t.sin, px - (t.cos * qx - t.sin * qy),
                          t.sin, t.cos,  py - (t.sin * qx + t.cos * qy)};
    const Affine to_bitmap{t.cos,  t.sin, qx - (t.cos * px + t.sin * py),
                           -t.sin, t.cos, qy - (-t.sin * px + t.cos * py)};
    Quad quad;
    const PixelBox area = reach(to_panel, frame, visible, whole(frame.image), &quad);
    draw_mapped(frame, image, to_bitmap, area, quad, WindowMask{}, see_through);
}

// Sprite geometry. The texture point (tx, ty) names a texture pixel, like a needle's pivot; its
// centre is the anchor the texture turns about. With a window, the anchor goes on the window's
// centre: position + (width / 2, height / 2), for the display's 123 x 123 window at (31,38) the
// point (92.5, 99.5), the centre of panel pixel (92,99), the rose centre. Without a window the
// texture at rest lies with its top-left corner at the position. A texture vector v shows as
//     R(rotation) (S v + shift)
// where S scales by the scale numbers and R turns counter-clockwise on the screen: the shift is
// made in the texture's own frame, so a horizontal shift moves the bar across its course line,
// whichever way that line is turned. The element offset is not used. Nothing is drawn outside
// the window's non-black pixels.
void draw_sprite(Frame& frame, const Image& texture, const Image* window,
                 const SpriteGeometry& g, bool see_through) {
    if (!well_formed(texture) || !well_formed(frame.image)) return;
    if (window && !well_formed(*window)) return;  // a broken window hides the sprite
    const double sx = g.scale_x, sy = g.scale_y;
    if (!finite_all({sx, sy, g.shift_x, g.shift_y, g.rotation_ccw_degrees})) return;
    if (sx == 0.0 || sy == 0.0) return;
    const PixelBox visible = visible_pixels(texture, see_through);
    if (visible.empty()) return;

    const double left = g.position_x, top = g.position_y;
    const double tx = g.texture_x + 0.5, ty = g.texture_y + 0.5;
    const double ax = window ? left + window->width / 2.0 : left + tx;
    const double ay = window ? top + window->height / 2.0 : top + ty;

    // Counter-clockwise on the screen is clockwise by the negated angle.
    const SinCos t = sin_cos_degrees(-g.rotation_ccw_degrees);
    // Panel point p = A + R (S (u - T) + shift) = R S u + (A + R (shift - S T)).
    const double kx = g.shift_x - sx * tx, ky = g.shift_y - sy * ty;
    const Affine to_panel{t.cos * sx, -t.sin * sy, ax + t.cos * kx - t.sin * ky,
                          t.sin * sx, t.cos * sy,  ay + t.sin * kx + t.cos * ky};
    // Texture point u = T + S^-1 (R^-1 (p - A) - shift).
    const double rx = -(t.cos * ax + t.sin * ay) - g.shift_x;
    const double ry = -(-t.sin * ax + t.cos * ay) - g.shift_y;
    const Affine to_texture{t.cos / sx,  t.sin / sx, tx + rx / sx,
                            -t.sin / sy, t.cos / sy, ty + ry / sy};

    PixelBox limit = whole(frame.image);
    WindowMask mask;
    if (window) {
        mask.image = window;
        mask.x = int64_t(g.position_x) - frame.origin_x;
        mask.y = int64_t(g.position_y) - frame.origin_y;
        limit = clip_wide(mask.x, mask.y, mask.x + window->width, mask.y + window->height, limit);
    }
    Quad quad;
    const PixelBox area = reach(to_panel, frame, visible, limit, &quad);
    draw_mapped(frame, texture, to_texture, area, quad, mask, see_through);
}
