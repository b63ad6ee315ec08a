// Coverage of the shape builders: areas, exact pixel edges, winding, holes.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/art/geometry.h"
#include "tools/art/mask.h"

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Raster, PixelAlignedRectCoversExactlyItsPixels) {
    Mask m = Mask::of(pixel_rect(2, 3, 5, 4), 10, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(m.at(x, y), (x >= 2 && x <= 5 && y >= 3 && y <= 4) ? 1.0f : 0.0f)
                << x << "," << y;
}

TEST(Raster, WindingDoesNotMatterForOneShape) {
    Contour cw{{1, 1}, {7, 1}, {7, 5}, {1, 5}};
    Contour ccw(cw.rbegin(), cw.rend());
    EXPECT_DOUBLE_EQ(Mask::of(Path(cw), 10, 10).area(), 24.0);
    EXPECT_DOUBLE_EQ(Mask::of(Path(ccw), 10, 10).area(), 24.0);
}

TEST(Raster, HalfPixelEdgesGiveHalfCoverage) {
    Mask m = Mask::of(rect(1.5, 1.0, 3.0, 2.0), 5, 3);
    EXPECT_FLOAT_EQ(m.at(1, 1), 0.5f);
    EXPECT_FLOAT_EQ(m.at(2, 1), 1.0f);
    EXPECT_FLOAT_EQ(m.at(3, 1), 0.0f);
}

// Areas of the curved shapes against their formulas, within a small part of a pixel per unit
// of perimeter.
TEST(Raster, CurvedShapeAreas) {
    Point c{32, 32};
    struct Case {
        const char* name;
        Path path;
        double area;
    } cases[] = {
        {"disc r20", disc(c, 20), kPi * 400},
        {"ring 10..20", ring(c, 10, 20), kPi * 300},
        {"sector 90 deg", sector(c, 20, 0, 90), kPi * 100},
        {"arc band 180 deg", arc(c, 15, 2, -90, 90), kPi * 15 * 2},
        {"annular sector either sense", annular_sector(c, 10, 20, 45, -45), kPi * 300 / 4},
        {"circle outline", circle_outline(c, 20, 1), 2 * kPi * 20},
    };
    for (const Case& k : cases) {
        double area = Mask::of(k.path, 64, 64).area();
        EXPECT_NEAR(area, k.area, k.area * 0.005 + 0.5) << k.name;
    }
}

TEST(Raster, RingLeavesItsHoleEmptyAndAddedShapesUnite) {
    Point c{16, 16};
    Mask ring_only = Mask::of(ring(c, 6, 12), 32, 32);
    EXPECT_EQ(ring_only.at(16, 16), 0.0f);
    EXPECT_EQ(ring_only.at(16, 16 - 9), 1.0f);
    // A disc inside the hole, added to the same path, is filled; overlapping shapes do not
    // cancel one another.
    Mask both = Mask::of(ring(c, 6, 12) + disc(c, 3) + rect(14, 0, 18, 32), 32, 32);
    EXPECT_EQ(both.at(16, 16), 1.0f);
    EXPECT_EQ(both.at(16, 7), 1.0f);
    EXPECT_EQ(both.at(16, 1), 1.0f);
    EXPECT_EQ(both.at(11, 16), 0.0f);  // still the hole, between the disc and the ring
}

TEST(Raster, EvenOddRuleMakesOverlapsHoles) {
    Path two = rect(0, 0, 4, 4) + rect(2, 0, 6, 4);
    EXPECT_EQ(Mask::of(two, 8, 4, FillRule::NonZero).at(3, 1), 1.0f);
    EXPECT_EQ(Mask::of(two, 8, 4, FillRule::EvenOdd).at(3, 1), 0.0f);
}

TEST(Raster, LinesOfWidthOneOnPixelCentresAreCrisp) {
    Mask m = Mask::of(line({10.5, 2}, {10.5, 8}, 1), 20, 10);
    for (int y = 2; y < 8; ++y) {
        EXPECT_EQ(m.at(10, y), 1.0f);
        EXPECT_EQ(m.at(9, y), 0.0f);
        EXPECT_EQ(m.at(11, y), 0.0f);
    }
    EXPECT_EQ(m.at(10, 8), 0.0f);  // butt end
    Mask sq = Mask::of(line({10.5, 2}, {10.5, 8}, 1, Cap::Square), 20, 10);
    EXPECT_FLOAT_EQ(sq.at(10, 8), 0.5f);
}

TEST(Raster, PolylineJoinsFillTheCornerWithoutDoubleCounting) {
    // An L of width 2: two 8 x 2 arms overlapping in one pixel, and the miter fills the outer
    // corner pixel (10, 10) exactly; a bevel leaves half of it.
    Mask m = Mask::of(polyline({{2, 10}, {10, 10}, {10, 2}}, 2), 16, 16);
    EXPECT_NEAR(m.area(), 16 + 16 - 1 + 1, 1e-4);
    EXPECT_EQ(m.at(10, 10), 1.0f);
    EXPECT_EQ(m.at(9, 9), 1.0f);
    Mask bevel = Mask::of(polyline({{2, 10}, {10, 10}, {10, 2}}, 2, false, Join::Bevel), 16, 16);
    EXPECT_NEAR(bevel.at(10, 10), 0.5f, 1e-4);
}

TEST(Raster, RectOutlineIsInsideTheRect) {
    Mask m = Mask::of(rect_outline(2, 2, 8, 8, 1), 10, 10);
    EXPECT_DOUBLE_EQ(m.area(), 6 * 4 - 4);
    EXPECT_EQ(m.at(2, 5), 1.0f);
    EXPECT_EQ(m.at(7, 5), 1.0f);
    EXPECT_EQ(m.at(5, 5), 0.0f);
    EXPECT_EQ(m.at(1, 5), 0.0f);
}

TEST(Raster, BevelBandsFrameTheRectWithoutOverlap) {
    BevelBands b = bevel_bands(2, 2, 12, 10, 2);
    Mask light = Mask::of(b.light, 16, 16), dark = Mask::of(b.dark, 16, 16);
    Mask inner = Mask::of(rect(4, 4, 10, 8), 16, 16);
    EXPECT_NEAR(light.area() + dark.area() + inner.area(), 10 * 8, 1e-4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_LE(light.at(x, y) + dark.at(x, y) + inner.at(x, y), 1.0f + 1e-6f) << x << "," << y;
    EXPECT_EQ(light.at(2, 5), 1.0f);  // left edge
    EXPECT_EQ(dark.at(11, 5), 1.0f);  // right edge
    EXPECT_EQ(dark.at(6, 9), 1.0f);   // bottom edge
}

TEST(Raster, DashedArcDrawsDashesAndGaps) {
    Point c{50, 50};
    double r = 40;
    // 10 px dashes, 10 px gaps over a quarter circle (62.8 px): dashes at 0-10, 20-30, 40-50,
    // 60-62.8 px.
    Mask m = Mask::of(dashed_arc(c, r, 2, 0, 90, 10, 10), 100, 100);
    double dashed = 10 + 10 + 10 + (r * kPi / 2 - 60);
    EXPECT_NEAR(m.area(), dashed * 2, 1.0);
    auto at_length = [&](double px) {
        Point p = polar(c, r, px / r * 180 / kPi);
        return m.at(int(p.x), int(p.y));
    };
    EXPECT_GT(at_length(5), 0.5f);
    EXPECT_EQ(at_length(15), 0.0f);
    EXPECT_GT(at_length(25), 0.5f);
    Mask circle = Mask::of(dashed_circle(c, r, 2, 12, 0.5), 100, 100);
    EXPECT_NEAR(circle.area(), 2 * kPi * r * 0.5 * 2, 2.0);
}

TEST(Raster, AnglesRunClockwiseFromUp) {
    Point c{10, 10};
    Point up = polar(c, 5, 0), right = polar(c, 5, 90), left = polar(c, 5, -90);
    EXPECT_NEAR(up.x, 10, 1e-12);
    EXPECT_NEAR(up.y, 5, 1e-12);
    EXPECT_NEAR(right.x, 15, 1e-12);
    EXPECT_NEAR(left.x, 5, 1e-12);
    Point turned = Affine::rotate(90, c).apply(up);
    EXPECT_NEAR(turned.x, right.x, 1e-12);
    EXPECT_NEAR(turned.y, right.y, 1e-12);
    // A mirrored ring keeps its hole.
    Mask m = Mask::of(ring({5, 10}, 2, 4).mirrored_x(10), 20, 20);
    EXPECT_EQ(m.at(15, 10), 0.0f);
    EXPECT_EQ(m.at(15, 7), 1.0f);
}

TEST(Raster, ShapesOutsideTheCanvasAreClipped) {
    Mask m = Mask::of(rect(-5, -5, 2, 2) + disc({100, 100}, 10), 4, 4);
    EXPECT_DOUBLE_EQ(m.area(), 4.0);
}

TEST(Raster, NonFinitePointsAreRejected) {
    Path bad({{0, 0}, {NAN, 1}, {1, 1}});
    EXPECT_THROW(Mask::of(bad, 4, 4), std::invalid_argument);
}

}  // namespace
}  // namespace art
