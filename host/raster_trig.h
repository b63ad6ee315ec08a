// Sine and cosine of an angle in degrees for the rasteriser.
//
// Computed from the four basic operations and fmod only (no library sin/cos), so the native and
// the Win32 host, whose maths libraries differ in the last bits, turn bitmaps to the same
// pixels. Quarter turns are exact: for any angle that is a whole multiple of 90 degrees after
// reduction the results are exactly 0, 1 or -1, which is what lets quarter-turned needles land
// pixel for pixel.
#pragma once

#include <cmath>

struct SinCos {
    double sin;
    double cos;
};

namespace raster_detail {

// Taylor series of sin and cos for |x| <= pi/4 (radians), evaluated by Horner's rule up to the
// term whose size falls below half an ulp of the result.
inline SinCos sin_cos_small(double x) {
    const double x2 = x * x;
    double s = 1.0;
    for (int n = 21; n >= 3; n -= 2) s = 1.0 - s * x2 / (double(n) * double(n - 1));
    double c = 1.0;
    for (int n = 20; n >= 2; n -= 2) c = 1.0 - c * x2 / (double(n) * double(n - 1));
    return {s * x, c};
}

}  // namespace raster_detail

// The angle is reduced to [0, 360) first, so 699 and 339 give the same bits. Not-a-number and
// infinite angles give not-a-number.
inline SinCos sin_cos_degrees(double degrees) {
    if (!std::isfinite(degrees)) return {NAN, NAN};
    double a = std::fmod(degrees, 360.0);  // exact
    if (a < 0.0) a += 360.0;
    if (a >= 360.0) a -= 360.0;  // a tiny negative angle rounds up to 360
    int quadrant = int(a / 90.0);
    if (quadrant > 3) quadrant = 3;
    double r = a - 90.0 * quadrant;  // [0, 90)
    if (r < 0.0) {                    // a just below a quarter rounded into the next quadrant
        r += 90.0;
        quadrant = (quadrant + 3) % 4;
    }
    const double radians_per_degree = 0.017453292519943295;
    SinCos v;
    if (r <= 45.0) {
        v = raster_detail::sin_cos_small(r * radians_per_degree);
    } else {
        SinCos w = raster_detail::sin_cos_small((90.0 - r) * radians_per_degree);
        v = {w.cos, w.sin};
    }
    switch (quadrant) {
        case 1: return {v.cos, -v.sin};
        case 2: return {-v.sin, -v.cos};
        case 3: return {-v.cos, v.sin};
        default: return v;
    }
}
