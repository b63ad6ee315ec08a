#include "mapscope/portable_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace mapscope {
namespace {

// Distance in units of the last place between two finite doubles of the same sign.
int64_t ulps_apart(double a, double b) {
    int64_t x, y;
    std::memcpy(&x, &a, 8);
    std::memcpy(&y, &b, 8);
    if (x < 0) x = INT64_MIN - x;
    if (y < 0) y = INT64_MIN - y;
    return x > y ? x - y : y - x;
}

constexpr double kRadiansPerDegree = 0.017453292519944444;

// Headings of two turns either way, in steps that hit no round numbers, against the C library.
TEST(PortableMath, SineAndCosineWithinOneUlpOverHeadings) {
    int64_t worst_sin = 0, worst_cos = 0;
    for (double degrees = -720.0; degrees <= 720.0; degrees += 0.0137) {
        double x = degrees * kRadiansPerDegree;
        worst_sin = std::max(worst_sin, ulps_apart(portable_sin(x), std::sin(x)));
        worst_cos = std::max(worst_cos, ulps_apart(portable_cos(x), std::cos(x)));
    }
    EXPECT_LE(worst_sin, 1);
    EXPECT_LE(worst_cos, 1);
}

TEST(PortableMath, QuadrantPointsAndNonFiniteArguments) {
    EXPECT_EQ(portable_sin(0.0), 0.0);
    EXPECT_EQ(portable_cos(0.0), 1.0);
    EXPECT_NEAR(portable_sin(90 * kRadiansPerDegree), 1.0, 1e-15);
    EXPECT_NEAR(portable_cos(180 * kRadiansPerDegree), -1.0, 1e-15);
    EXPECT_NEAR(portable_sin(270 * kRadiansPerDegree), -1.0, 1e-15);
    EXPECT_TRUE(std::isnan(portable_sin(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(portable_cos(std::numeric_limits<double>::quiet_NaN())));
    // Far outside any heading: still a value between -1 and 1.
    EXPECT_LE(std::fabs(portable_sin(1e300)), 1.0);
    EXPECT_LE(std::fabs(portable_cos(-3e7)), 1.0);
}

constexpr SplitLog kLogOf1015 = {0x1.e7debbdf2a35dp-7, 0x1.12f10ea37baffp-64};

TEST(PortableMath, PowerOfFixedBaseWithinOneUlp) {
    int64_t worst = 0;
    for (double y = -100.0; y <= 700.0; y += 0.00731)
        worst = std::max(worst, ulps_apart(portable_pow(kLogOf1015, y), std::pow(1.015, y)));
    EXPECT_LE(worst, 1);
    EXPECT_EQ(portable_pow(kLogOf1015, 0.0), 1.0);
}

TEST(PortableMath, PowerBeyondTheDoubleRange) {
    EXPECT_EQ(portable_pow(kLogOf1015, 1e6), std::numeric_limits<double>::infinity());
    EXPECT_EQ(portable_pow(kLogOf1015, std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(portable_pow(kLogOf1015, -1e6), 0.0);
    EXPECT_TRUE(std::isnan(portable_pow(kLogOf1015, std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace mapscope
