#include "tools/art/canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

namespace {

Color at_stops(const std::vector<ColorStop>& stops, double t) {
    if (stops.empty()) return Color{};
    if (t <= stops.front().at) return stops.front().color;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            double span = stops[i].at - stops[i - 1].at;
            double u = span > 0 ? (t - stops[i - 1].at) / span : 1.0;
            return mix(stops[i - 1].color, stops[i].color, u);
        }
    }
    return stops.back().color;
}

uint8_t to_byte(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); }

}  // namespace

Shader linear_gradient(Point p0, Color c0, Point p1, Color c1) {
    return linear_gradient(p0, p1, {{0.0, c0}, {1.0, c1}});
}

Shader linear_gradient(Point p0, Point p1, std::vector<ColorStop> stops) {
    Point d = p1 - p0;
    double len2 = d.x * d.x + d.y * d.y;
    return [p0, d, len2, stops = std::move(stops)](Point p) {
        double t = len2 > 0 ? ((p.x - p0.x) * d.x + (p.y - p0.y) * d.y) / len2 : 0.0;
        return at_stops(stops, std::clamp(t, 0.0, 1.0));
    };
}

Shader radial_gradient(Point centre, double radius, Color inner, Color outer) {
    return radial_gradient(centre, radius, {{0.0, inner}, {1.0, outer}});
}

Shader radial_gradient(Point centre, double radius, std::vector<ColorStop> stops) {
    return [centre, radius, stops = std::move(stops)](Point p) {
        double t = radius > 0 ? std::hypot(p.x - centre.x, p.y - centre.y) / radius : 1.0;
        return at_stops(stops, std::clamp(t, 0.0, 1.0));
    };
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    if (width < 0 || height < 0) throw std::invalid_argument("canvas size must not be negative");
    pixels_.assign(size_t(width) * height, Px{});
}

Canvas::Canvas(int width, int height, Color fill) : Canvas(width, height) {
    Color c = clamped(fill);
    for (Px& p : pixels_) p = Px{float(c.r), float(c.g), float(c.b), 1.0f};
}

Canvas::Px* Canvas::px(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
    return &pixels_[size_t(y) * width_ + x];
}

const Canvas::Px* Canvas::px(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
    return &pixels_[size_t(y) * width_ + x];
}

void Canvas::paint(int x, int y, Color c, double k) {
    Px* p = px(x, y);
    if (p == nullptr || k <= 0) return;
    k = std::min(k, 1.0);
    c = clamped(c);
    double keep = 1.0 - k;
    p->r = float(c.r * k + p->r * keep);
    p->g = float(c.g * k + p->g * keep);
    p->b = float(c.b * k + p->b * keep);
    p->a = float(k + p->a * keep);
}

static void check_size(const Canvas& c, const Mask& m) {
    if (m.width() != c.width() || m.height() != c.height())
        throw std::invalid_argument("mask and canvas differ in size");
}

void Canvas::fill(const Mask& mask, Color color, double opacity) {
    check_size(*this, mask);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) paint(x, y, color, mask.at(x, y) * opacity);
}

void Canvas::fill(const Mask& mask, const Shader& shader, double opacity) {
    check_size(*this, mask);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (mask.at(x, y) > 0) paint(x, y, shader(pixel_centre(x, y)), mask.at(x, y) * opacity);
}

void Canvas::fill(const Path& path, Color color, double opacity) {
    fill(Mask::of(path, width_, height_), color, opacity);
}

void Canvas::fill(const Path& path, const Shader& shader, double opacity) {
    fill(Mask::of(path, width_, height_), shader, opacity);
}

void Canvas::fill_crisp(const Path& path, Color color) {
    fill(Mask::of(path, width_, height_).thresholded(), color);
}

void Canvas::erase(const Mask& mask) {
    check_size(*this, mask);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float keep = 1.0f - std::min(mask.at(x, y), 1.0f);
            Px& p = pixels_[size_t(y) * width_ + x];
            p = Px{p.r * keep, p.g * keep, p.b * keep, p.a * keep};
        }
    }
}

void Canvas::erase(const Path& path) { erase(Mask::of(path, width_, height_)); }

void Canvas::erase_crisp(const Path& path) {
    erase(Mask::of(path, width_, height_).thresholded());
}

void Canvas::set_pixel(int x, int y, Color color) {
    if (Px* p = px(x, y)) {
        Color c = clamped(color);
        *p = Px{float(c.r), float(c.g), float(c.b), 1.0f};
    }
}

void Canvas::clear_pixel(int x, int y) {
    if (Px* p = px(x, y)) *p = Px{};
}

bool Canvas::is_see_through(int x, int y) const { return alpha(x, y) <= kSeeThroughAlpha; }

double Canvas::alpha(int x, int y) const {
    const Px* p = px(x, y);
    return p ? p->a : 0.0;
}

Color Canvas::pixel(int x, int y) const {
    const Px* p = px(x, y);
    return p ? Color{p->r, p->g, p->b} : Color{};
}

Canvas Canvas::mirrored() const {
    Canvas out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) *out.px(width_ - 1 - x, y) = *px(x, y);
    return out;
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    out.copy_from(*this, x, y, w, h, 0, 0);
    return out;
}

void Canvas::copy_from(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    Canvas copy;
    const Canvas* from = &src;
    if (&src == this) {  // overlapping copies within one canvas read from a snapshot
        copy = src;
        from = &copy;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Px* s = from->px(sx + x, sy + y);
            Px* d = px(dx + x, dy + y);
            if (d) *d = s ? *s : Px{};
        }
    }
}

void Canvas::draw(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.height_; ++y) {
        for (int x = 0; x < src.width_; ++x) {
            const Px& s = *src.px(x, y);
            Px* d = px(dx + x, dy + y);
            if (d == nullptr || s.a <= 0) continue;
            float keep = 1.0f - s.a;
            *d = Px{s.r + d->r * keep, s.g + d->g * keep, s.b + d->b * keep, s.a + d->a * keep};
        }
    }
}

Rgb finish_pixel(Color c, double alpha, EdgeMode edges) {
    if (alpha <= kSeeThroughAlpha) return kSeeThroughRgb;
    if (edges == EdgeMode::Threshold) {
        if (alpha < 0.5) return kSeeThroughRgb;
        c = c * (1.0 / alpha);
    }
    Rgb out{to_byte(c.r), to_byte(c.g), to_byte(c.b)};
    if (out == kSeeThroughRgb) {
        // Opaque, so it must not read as see-through: lift its strongest channel(s) to 1.
        double top = std::max({c.r, c.g, c.b});
        if (c.r == top) out.r = 1;
        if (c.g == top) out.g = 1;
        if (c.b == top) out.b = 1;
    }
    return out;
}

std::vector<Rgb> Canvas::to_rgb(EdgeMode edges) const {
    std::vector<Rgb> out;
    out.reserve(pixels_.size());
    for (const Px& p : pixels_) out.push_back(finish_pixel(Color{p.r, p.g, p.b}, p.a, edges));
    return out;
}

}  // namespace art
