// Coverage masks: how much of each pixel a shape covers, 0 to 1. The rasteriser makes them from
// paths; masks combine (union, intersection, cut-out) and are what the canvas paints through.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/art/geometry.h"

namespace art {

class Mask {
public:
    Mask() = default;
    Mask(int width, int height, float fill = 0.0f);

    // The anti-aliased coverage of `path` on a canvas of width x height pixels: exact across
    // each row, 16 samples down each pixel.
    static Mask of(const Path& path, int width, int height, FillRule rule = FillRule::NonZero);

    int width() const { return width_; }
    int height() const { return height_; }
    float at(int x, int y) const { return values_[size_t(y) * width_ + x]; }
    float& at(int x, int y) { return values_[size_t(y) * width_ + x]; }
    // 0 outside the mask.
    float value(int x, int y) const;
    bool empty() const;  // no pixel covered at all

    // In place; `other` must have the same size.
    Mask& unite(const Mask& other);      // max
    Mask& intersect(const Mask& other);  // min
    Mask& subtract(const Mask& other);   // this * (1 - other)
    Mask& invert();                      // 1 - this
    Mask& multiply(double factor);       // weaker (factor < 1) coverage

    // Moved by whole pixels; what moves in is 0.
    Mask shifted(int dx, int dy) const;
    // Crisp: 1 where coverage >= level, else 0. For tiny shapes that must not blur.
    Mask thresholded(double level = 0.5) const;
    // Sum of all coverage: the covered area in pixels.
    double area() const;

private:
    int width_ = 0, height_ = 0;
    std::vector<float> values_;
};

}  // namespace art
