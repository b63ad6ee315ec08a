// Colours of the artwork library.
//
// `Color` is what drawing works in: red, green and blue as doubles on the 0..255 scale, so that
// shading and blending keep their fractions until the picture is written. `Rgb` is a finished
// 8-bit pixel, what palettes and bitmap files hold.
//
// Pure black Rgb (0,0,0) is the host's see-through colour. Finished pictures contain it only where
// the canvas was left (or made) see-through; see canvas.h.
#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    auto operator<=>(const Rgb&) const = default;
};

constexpr Rgb kSeeThroughRgb{0, 0, 0};
constexpr Rgb kScreenRgb{8, 8, 8};  // the navigation display's near-black screen colour

struct Color {
    double r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

constexpr Color rgb(double r, double g, double b) { return Color{r, g, b}; }
constexpr Color grey(double level) { return Color{level, level, level}; }
constexpr Color to_color(Rgb c) { return Color{double(c.r), double(c.g), double(c.b)}; }

// t = 0 gives a, t = 1 gives b.
constexpr Color mix(Color a, Color b, double t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
constexpr Color operator*(Color c, double k) { return Color{c.r * k, c.g * k, c.b * k}; }
constexpr Color operator+(Color a, Color b) { return Color{a.r + b.r, a.g + b.g, a.b + b.b}; }

// Toward white (amount > 0) or toward black (amount < 0), amount in -1..1.
constexpr Color shade(Color c, double amount) {
    return amount >= 0 ? mix(c, Color{255, 255, 255}, amount) : mix(c, Color{0, 0, 0}, -amount);
}

constexpr Color clamped(Color c) {
    return Color{std::clamp(c.r, 0.0, 255.0), std::clamp(c.g, 0.0, 255.0),
                 std::clamp(c.b, 0.0, 255.0)};
}

}  // namespace art
