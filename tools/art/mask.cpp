#include "tools/art/mask.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

namespace {

constexpr int kSamplesDown = 16;  // sub-scanlines per pixel row

struct Edge {
    double x0, y0, x1, y1;  // y0 < y1
    int winding;            // +1 downward in the contour's order, -1 upward
};

struct Crossing {
    double x;
    int winding;
};

// Adds `weight` times the length of [xa, xb] inside each pixel of `row`.
void add_span(float* row, int width, double xa, double xb, double weight) {
    xa = std::max(xa, 0.0);
    xb = std::min(xb, double(width));
    if (xb <= xa) return;
    int first = int(std::floor(xa)), last = int(std::floor(xb));
    if (last >= width) last = width - 1;
    if (first == last) {
        row[first] += float((xb - xa) * weight);
        return;
    }
    row[first] += float((first + 1 - xa) * weight);
    for (int x = first + 1; x < last; ++x) row[x] += float(weight);
    row[last] += float((xb - last) * weight);
}

}  // namespace

Mask::Mask(int width, int height, float fill) : width_(width), height_(height) {
    if (width < 0 || height < 0) throw std::invalid_argument("mask size must not be negative");
    values_.assign(size_t(width) * height, fill);
}

Mask Mask::of(const Path& path, int width, int height, FillRule rule) {
    Mask mask(width, height);
    std::vector<Edge> edges;
    double top = height, bottom = 0;
    for (const Contour& c : path.contours) {
        for (size_t i = 0, n = c.size(); n >= 3 && i < n; ++i) {
            Point p = c[i], q = c[(i + 1) % n];
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(q.x) ||
                !std::isfinite(q.y))
                throw std::invalid_argument("path has a point that is not a finite number");
            if (p.y == q.y) continue;
            if (p.y < q.y)
                edges.push_back({p.x, p.y, q.x, q.y, 1});
            else
                edges.push_back({q.x, q.y, p.x, p.y, -1});
            top = std::min(top, std::min(p.y, q.y));
            bottom = std::max(bottom, std::max(p.y, q.y));
        }
    }
    if (edges.empty()) return mask;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
        if (a.y0 != b.y0) return a.y0 < b.y0;
        if (a.x0 != b.x0) return a.x0 < b.x0;
        if (a.y1 != b.y1) return a.y1 < b.y1;
        return a.x1 < b.x1;
    });
    int first_row = std::max(0, int(std::floor(top)));
    int last_row = std::min(height - 1, int(std::floor(bottom)));
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    size_t next_edge = 0;
    const double weight = 1.0 / kSamplesDown;
    for (int y = first_row; y <= last_row; ++y) {
        float* row = &mask.values_[size_t(y) * width];
        for (int s = 0; s < kSamplesDown; ++s) {
            double sy = y + (s + 0.5) / kSamplesDown;
            while (next_edge < edges.size() && edges[next_edge].y0 <= sy)
                active.push_back(&edges[next_edge++]);
            // An edge counts for samples in [y0, y1): a vertex shared by two edges counts once.
            std::erase_if(active, [sy](const Edge* e) { return e->y1 <= sy; });
            crossings.clear();
            for (const Edge* e : active) {
                if (sy < e->y0) continue;
                double t = (sy - e->y0) / (e->y1 - e->y0);
                crossings.push_back({e->x0 + (e->x1 - e->x0) * t, e->winding});
            }
            std::sort(crossings.begin(), crossings.end(),
                      [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
            int winding = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].winding;
                bool inside = rule == FillRule::NonZero ? winding != 0 : (winding & 1) != 0;
                if (inside) add_span(row, width, crossings[i].x, crossings[i + 1].x, weight);
            }
        }
        for (int x = 0; x < width; ++x) row[x] = std::min(row[x], 1.0f);
    }
    return mask;
}

float Mask::value(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0.0f;
    return at(x, y);
}

bool Mask::empty() const {
    return std::all_of(values_.begin(), values_.end(), [](float v) { return v <= 0.0f; });
}

static void check_same_size(const Mask& a, const Mask& b) {
    if (a.width() != b.width() || a.height() != b.height())
        throw std::invalid_argument("masks of different sizes cannot be combined");
}

Mask& Mask::unite(const Mask& other) {
    check_same_size(*this, other);
    for (size_t i = 0; i < values_.size(); ++i) values_[i] = std::max(values_[i], other.values_[i]);
    return *this;
}

Mask& Mask::intersect(const Mask& other) {
    check_same_size(*this, other);
    for (size_t i = 0; i < values_.size(); ++i) values_[i] = std::min(values_[i], other.values_[i]);
    return *this;
}

Mask& Mask::subtract(const Mask& other) {
    check_same_size(*this, other);
    for (size_t i = 0; i < values_.size(); ++i) values_[i] *= 1.0f - other.values_[i];
    return *this;
}

Mask& Mask::invert() {
    for (float& v : values_) v = 1.0f - v;
    return *this;
}

Mask& Mask::multiply(double factor) {
    float f = float(std::clamp(factor, 0.0, 1.0));
    for (float& v : values_) v *= f;
    return *this;
}

Mask Mask::shifted(int dx, int dy) const {
    Mask out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.at(x, y) = value(x - dx, y - dy);
    return out;
}

Mask Mask::thresholded(double level) const {
    Mask out(width_, height_);
    for (size_t i = 0; i < values_.size(); ++i) out.values_[i] = values_[i] >= level ? 1.0f : 0.0f;
    return out;
}

double Mask::area() const {
    double sum = 0;
    for (float v : values_) sum += v;
    return sum;
}

}  // namespace art
