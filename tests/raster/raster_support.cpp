#include "tests/raster/raster_support.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace raster_test {

Frame make_frame(int width, int height, int origin_x, int origin_y, Rgba fill) {
    Frame f;
    f.image = Image(width, height, fill);
    f.origin_x = origin_x;
    f.origin_y = origin_y;
    return f;
}

const Rgba& panel_pixel(const Frame& frame, int x, int y) {
    return frame.image.at(x - frame.origin_x, y - frame.origin_y);
}

Image crop(const Frame& frame, int x, int y, int width, int height) {
    Image out(width, height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) out.at(i, j) = panel_pixel(frame, x + i, y + j);
    return out;
}

namespace {
std::string describe(const Rgba& p) {
    std::ostringstream s;
    s << "(" << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a) << ")";
    return s.str();
}
}  // namespace

testing::AssertionResult same_image(const std::string& name, const Image& actual,
                                    const Image& expected) {
    std::ostringstream why;
    if (actual.width != expected.width || actual.height != expected.height) {
        why << name << ": size " << actual.width << "x" << actual.height << ", expected "
            << expected.width << "x" << expected.height;
    } else {
        for (int y = 0; y < actual.height && why.str().empty(); ++y)
            for (int x = 0; x < actual.width; ++x)
                if (!(actual.at(x, y) == expected.at(x, y))) {
                    why << name << ": first difference at pixel (" << x << "," << y << "): "
                        << describe(actual.at(x, y)) << ", expected " << describe(expected.at(x, y));
                    break;
                }
    }
    if (why.str().empty()) return testing::AssertionSuccess();
    std::string error;
    if (actual.width > 0 && actual.height > 0) {
        if (write_png(name + "_err.png", actual, &error)) why << "; picture in " << name << "_err.png";
        write_png(name + "_expected.png", expected, &error);
    }
    return testing::AssertionFailure() << why.str();
}

Ink measure_ink(const Frame& frame, Rgba background) {
    Ink ink;
    int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    double sx = 0, sy = 0;
    for (int j = 0; j < frame.image.height; ++j) {
        for (int i = 0; i < frame.image.width; ++i) {
            const Rgba& p = frame.image.at(i, j);
            const int d = std::max({std::abs(p.r - background.r), std::abs(p.g - background.g),
                                    std::abs(p.b - background.b)});
            if (d == 0) continue;
            const int x = i + frame.origin_x, y = j + frame.origin_y;
            const double w = d / 255.0;
            ink.weight += w;
            sx += w * x;
            sy += w * y;
            ++ink.count;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x + 1);
            y1 = std::max(y1, y + 1);
        }
    }
    if (ink.count) {
        ink.centre_x = sx / ink.weight;
        ink.centre_y = sy / ink.weight;
        ink.x0 = x0;
        ink.y0 = y0;
        ink.x1 = x1;
        ink.y1 = y1;
    }
    return ink;
}

uint64_t Seeded::next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Seeded::between(int lo, int hi) { return lo + int(next() % uint64_t(hi - lo + 1)); }

double Seeded::uniform(double lo, double hi) {
    return lo + (hi - lo) * double(next() >> 11) / double(uint64_t(1) << 53);
}

}  // namespace raster_test
