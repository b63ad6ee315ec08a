// Helpers shared by the rasteriser tests: frames, fixtures, picture comparison and ink measures.
#pragma once

#include "host/raster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace raster_test {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kGrey{50, 50, 50, 255};

Frame make_frame(int width, int height, int origin_x, int origin_y, Rgba fill);

// The pixel of a frame at a panel point.
const Rgba& panel_pixel(const Frame& frame, int x, int y);

// The panel rectangle (x, y, width, height) cut out of a frame that holds it.
Image crop(const Frame& frame, int x, int y, int width, int height);

// Compares two pictures. On a difference it writes the actual picture as <name>_err.png (and the
// expected one as <name>_expected.png) into the working directory and names the first
// differing pixel.
testing::AssertionResult same_image(const std::string& name, const Image& actual,
                                    const Image& expected);

// What was drawn over a uniform background: every pixel that differs from it counts with the
// weight (largest channel difference) / 255. Positions are panel pixel indices.
struct Ink {
    double weight = 0;       // in pixels of full coverage
    double centre_x = 0, centre_y = 0;
    int count = 0;           // pixels that differ
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // bounding box [x0, x1) x [y0, y1); empty when count 0
};
Ink measure_ink(const Frame& frame, Rgba background);

// A small deterministic generator for seeded cases (the same sequence on every platform).
class Seeded {
public:
    explicit Seeded(uint64_t seed) : state_(seed) {}
    uint64_t next();
    int between(int lo, int hi);  // inclusive
    double uniform(double lo, double hi);

private:
    uint64_t state_;
};

}  // namespace raster_test
