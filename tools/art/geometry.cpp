#include "tools/art/geometry.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Curves are flattened so that no chord strays further than this from the true curve (pixels).
constexpr double kFlatness = 0.02;

double radians(double degrees) { return degrees * kPi / 180.0; }

// Number of chords for `span_degrees` of a circle of `radius`.
int chord_count(double radius, double span_degrees) {
    double span = std::fabs(radians(span_degrees));
    if (radius <= kFlatness * 2) return std::max(1, int(std::ceil(span / (kPi / 4))));
    double step = 2.0 * std::acos(1.0 - kFlatness / radius);
    return std::max(1, int(std::ceil(span / step)));
}

// Points of the arc from `from` to `to` (degrees, either sense), both ends included.
void append_arc(Contour& out, Point centre, double radius, double from, double to) {
    int n = chord_count(radius, to - from);
    for (int i = 0; i <= n; ++i) out.push_back(polar(centre, radius, from + (to - from) * i / n));
}

Contour standard_winding(Contour c) {
    if (signed_area(c) < 0) std::reverse(c.begin(), c.end());
    return c;
}

double length(Point p) { return std::hypot(p.x, p.y); }
Point perp(Point d) { return {-d.y, d.x}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }

Point unit(Point d) {
    double l = length(d);
    return l > 0 ? Point{d.x / l, d.y / l} : Point{0, 0};
}

// The rectangle of one stroke segment from a to b, half width h, stretched by `before` and
// `after` along the segment's direction.
Contour segment_quad(Point a, Point b, double h, double before, double after) {
    Point d = unit(b - a);
    Point n = perp(d) * h;
    Point a2 = a - d * before, b2 = b + d * after;
    return standard_winding({a2 + n, b2 + n, b2 - n, a2 - n});
}

// The join of two stroke segments meeting at v (directions d1 in, d2 out, unit vectors).
void add_join(Path& out, Point v, Point d1, Point d2, double h, Join join) {
    double turn = dot(d2, perp(d1));
    if (std::fabs(turn) < 1e-12 && dot(d1, d2) > 0) return;  // straight on: nothing to fill
    if (join == Join::Round) {
        out.add(disc(v, h));
        return;
    }
    double side = turn > 0 ? -1.0 : 1.0;
    Point n1 = perp(d1) * side, n2 = perp(d2) * side;
    Point p1 = v + n1 * h, p2 = v + n2 * h;
    double cos_angle = dot(n1, n2);
    // The miter's length relative to the half width is 1 / cos(half the angle between normals);
    // beyond a ratio of 4 a sharp corner would shoot far out, so it is cut off (bevel).
    double half_cos = std::sqrt(std::max(0.0, (1.0 + cos_angle) / 2.0));
    if (join == Join::Miter && half_cos > 0.25) {
        Point m = v + (n1 + n2) * (h / (1.0 + cos_angle));
        out.add(standard_winding({v, p1, m, p2}));
    } else {
        out.add(standard_winding({v, p1, p2}));
    }
}

}  // namespace

Point polar(Point centre, double radius, double degrees) {
    double a = radians(degrees);
    return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

Affine Affine::translate(double dx, double dy) { return Affine{1, 0, 0, 1, dx, dy}; }

Affine Affine::scale(double sx, double sy, Point about) {
    return Affine{sx, 0, 0, sy, about.x - sx * about.x, about.y - sy * about.y};
}

Affine Affine::rotate(double degrees, Point about) {
    double a = radians(degrees);
    double c = std::cos(a), s = std::sin(a);
    // Clockwise on the screen, where y grows downward: (x, y) -> (x c - y s, x s + y c).
    return Affine{c, s, -s, c, about.x - (c * about.x - s * about.y),
                  about.y - (s * about.x + c * about.y)};
}

Affine Affine::mirror_x(double axis_x) { return Affine{-1, 0, 0, 1, 2 * axis_x, 0}; }

Point Affine::apply(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }

Affine Affine::then(const Affine& n) const {
    return Affine{n.a * a + n.c * b,     n.b * a + n.d * b,     n.a * c + n.c * d,
                  n.b * c + n.d * d,     n.a * e + n.c * f + n.e, n.b * e + n.d * f + n.f};
}

Path& Path::add(const Path& other) {
    contours.insert(contours.end(), other.contours.begin(), other.contours.end());
    return *this;
}

Path& Path::add(Contour contour) {
    contours.push_back(std::move(contour));
    return *this;
}

Path Path::transformed(const Affine& map) const {
    // A map that mirrors turns every winding around; turn it back so holes stay holes.
    bool flips = map.a * map.d - map.b * map.c < 0;
    Path out;
    for (const Contour& c : contours) {
        Contour t;
        t.reserve(c.size());
        for (Point p : c) t.push_back(map.apply(p));
        if (flips) std::reverse(t.begin(), t.end());
        out.contours.push_back(std::move(t));
    }
    return out;
}

Path Path::translated(double dx, double dy) const { return transformed(Affine::translate(dx, dy)); }
Path Path::rotated(double degrees, Point about) const {
    return transformed(Affine::rotate(degrees, about));
}
Path Path::mirrored_x(double axis_x) const { return transformed(Affine::mirror_x(axis_x)); }

Path Path::reversed() const {
    Path out = *this;
    for (Contour& c : out.contours) std::reverse(c.begin(), c.end());
    return out;
}

Path operator+(Path a, const Path& b) { return std::move(a.add(b)); }

double signed_area(const Contour& c) {
    double sum = 0;
    for (size_t i = 0, n = c.size(); i < n; ++i) {
        Point p = c[i], q = c[(i + 1) % n];
        sum += p.x * q.y - q.x * p.y;
    }
    return sum / 2;
}

Path rect(double x0, double y0, double x1, double y1) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    return Path({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

Path pixel_rect(int x_first, int y_first, int x_last, int y_last) {
    return rect(x_first, y_first, x_last + 1.0, y_last + 1.0);
}

Path rounded_rect(double x0, double y0, double x1, double y1, double radius) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    double r = std::clamp(radius, 0.0, std::min(x1 - x0, y1 - y0) / 2);
    if (r <= 0) return rect(x0, y0, x1, y1);
    Contour c;
    append_arc(c, {x1 - r, y0 + r}, r, 0, 90);
    append_arc(c, {x1 - r, y1 - r}, r, 90, 180);
    append_arc(c, {x0 + r, y1 - r}, r, 180, 270);
    append_arc(c, {x0 + r, y0 + r}, r, 270, 360);
    return Path(standard_winding(std::move(c)));
}

Path ellipse(Point centre, double rx, double ry) {
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    int n = std::max(8, chord_count(std::max(rx, ry), 360));
    Contour c;
    for (int i = 0; i < n; ++i) {
        double a = 2 * kPi * i / n;
        c.push_back({centre.x + rx * std::sin(a), centre.y - ry * std::cos(a)});
    }
    return Path(standard_winding(std::move(c)));
}

Path disc(Point centre, double radius) { return ellipse(centre, radius, radius); }

Path ring(Point centre, double inner_radius, double outer_radius) {
    if (inner_radius > outer_radius) std::swap(inner_radius, outer_radius);
    Path p = disc(centre, outer_radius);
    if (inner_radius > 0) p.add(disc(centre, inner_radius).reversed());
    return p;
}

Path polygon(const std::vector<Point>& points) { return Path(standard_winding(points)); }

Path sector(Point centre, double radius, double from_degrees, double to_degrees) {
    if (std::fabs(to_degrees - from_degrees) >= 360) return disc(centre, radius);
    Contour c{centre};
    append_arc(c, centre, radius, from_degrees, to_degrees);
    return Path(standard_winding(std::move(c)));
}

Path annular_sector(Point centre, double inner_radius, double outer_radius, double from_degrees,
                    double to_degrees) {
    if (std::fabs(to_degrees - from_degrees) >= 360)
        return ring(centre, inner_radius, outer_radius);
    if (inner_radius > outer_radius) std::swap(inner_radius, outer_radius);
    if (inner_radius <= 0) return sector(centre, outer_radius, from_degrees, to_degrees);
    Contour c;
    append_arc(c, centre, outer_radius, from_degrees, to_degrees);
    append_arc(c, centre, inner_radius, to_degrees, from_degrees);
    return Path(standard_winding(std::move(c)));
}

Path line(Point a, Point b, double width, Cap cap) {
    return polyline({a, b}, width, false, Join::Miter, cap);
}

Path polyline(const std::vector<Point>& points, double width, bool closed, Join join, Cap cap) {
    // Drop repeated points: they have no direction.
    std::vector<Point> pts;
    for (Point p : points)
        if (pts.empty() || length(p - pts.back()) > 1e-9) pts.push_back(p);
    if (closed && pts.size() > 1 && length(pts.front() - pts.back()) <= 1e-9) pts.pop_back();
    double h = width / 2;
    Path out;
    if (pts.empty() || h <= 0) return out;
    if (pts.size() == 1) {
        if (cap == Cap::Round) out.add(disc(pts[0], h));
        if (cap == Cap::Square) out.add(rect(pts[0].x - h, pts[0].y - h, pts[0].x + h, pts[0].y + h));
        return out;
    }
    size_t segments = closed ? pts.size() : pts.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        Point a = pts[i], b = pts[(i + 1) % pts.size()];
        double before = (!closed && i == 0 && cap == Cap::Square) ? h : 0;
        double after = (!closed && i + 1 == segments && cap == Cap::Square) ? h : 0;
        out.add(segment_quad(a, b, h, before, after));
    }
    size_t first_join = closed ? 0 : 1;
    size_t last_join = closed ? pts.size() : pts.size() - 1;
    for (size_t i = first_join; i < last_join; ++i) {
        Point prev = pts[(i + pts.size() - 1) % pts.size()], v = pts[i];
        Point next = pts[(i + 1) % pts.size()];
        add_join(out, v, unit(v - prev), unit(next - v), h, join);
    }
    if (!closed && cap == Cap::Round) {
        out.add(disc(pts.front(), h));
        out.add(disc(pts.back(), h));
    }
    return out;
}

Path rect_outline(double x0, double y0, double x1, double y1, double width) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    Path p = rect(x0, y0, x1, y1);
    if (2 * width < x1 - x0 && 2 * width < y1 - y0)
        p.add(rect(x0 + width, y0 + width, x1 - width, y1 - width).reversed());
    return p;
}

Path rounded_rect_outline(double x0, double y0, double x1, double y1, double radius,
                          double width) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    Path p = rounded_rect(x0, y0, x1, y1, radius);
    if (2 * width < x1 - x0 && 2 * width < y1 - y0)
        p.add(rounded_rect(x0 + width, y0 + width, x1 - width, y1 - width,
                           std::max(0.0, radius - width))
                  .reversed());
    return p;
}

BevelBands bevel_bands(double x0, double y0, double x1, double y1, double width) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    double w = std::clamp(width, 0.0, std::min(x1 - x0, y1 - y0) / 2);
    return {polygon({{x0, y0}, {x1, y0}, {x1 - w, y0 + w}, {x0 + w, y0 + w}, {x0 + w, y1 - w},
                     {x0, y1}}),
            polygon({{x1, y0}, {x1, y1}, {x0, y1}, {x0 + w, y1 - w}, {x1 - w, y1 - w},
                     {x1 - w, y0 + w}})};
}

Path circle_outline(Point centre, double radius, double width) {
    return ring(centre, std::max(0.0, radius - width / 2), radius + width / 2);
}

Path arc(Point centre, double radius, double width, double from_degrees, double to_degrees,
         Cap cap) {
    double h = width / 2;
    Path out;
    if (h <= 0 || radius <= 0) return out;
    if (cap == Cap::Square) {
        double extra = h / radius * 180.0 / kPi;
        double sense = to_degrees >= from_degrees ? 1.0 : -1.0;
        from_degrees -= sense * extra;
        to_degrees += sense * extra;
    }
    out.add(annular_sector(centre, radius - h, radius + h, from_degrees, to_degrees));
    if (cap == Cap::Round && std::fabs(to_degrees - from_degrees) < 360) {
        out.add(disc(polar(centre, radius, from_degrees), h));
        out.add(disc(polar(centre, radius, to_degrees), h));
    }
    return out;
}

Path dashed_arc(Point centre, double radius, double width, double from_degrees, double to_degrees,
                double dash, double gap, Cap cap) {
    Path out;
    if (radius <= 0 || dash <= 0 || gap < 0) return out;
    double per_pixel = 180.0 / (kPi * radius);  // degrees per pixel along the circle
    double sense = to_degrees >= from_degrees ? 1.0 : -1.0;
    double span = std::fabs(to_degrees - from_degrees);
    double dash_deg = dash * per_pixel, period = (dash + gap) * per_pixel;
    for (double start = 0; start < span - 1e-9; start += period) {
        double end = std::min(span, start + dash_deg);
        out.add(arc(centre, radius, width, from_degrees + sense * start,
                    from_degrees + sense * end, cap));
    }
    return out;
}

Path dashed_circle(Point centre, double radius, double width, int count, double duty,
                   double first_dash_degrees) {
    Path out;
    if (count <= 0 || duty <= 0) return out;
    if (duty >= 1) return circle_outline(centre, radius, width);
    double period = 360.0 / count, half = period * duty / 2;
    for (int i = 0; i < count; ++i) {
        double mid = first_dash_degrees + period * i;
        out.add(arc(centre, radius, width, mid - half, mid + half));
    }
    return out;
}

Path radial_tick(Point centre, double inner_radius, double outer_radius, double degrees,
                 double width) {
    return line(polar(centre, inner_radius, degrees), polar(centre, outer_radius, degrees), width);
}

}  // namespace art
