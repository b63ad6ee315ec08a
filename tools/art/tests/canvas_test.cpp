// The canvas's painting and, above all, its see-through rule.
#include <gtest/gtest.h>

#include "tools/art/canvas.h"

namespace art {
namespace {

constexpr Rgb kBlack{0, 0, 0};

TEST(Canvas, FreshCanvasIsSeeThroughAndFilledCanvasIsNot) {
    for (Rgb p : Canvas(3, 2).to_rgb()) EXPECT_EQ(p, kBlack);
    for (Rgb p : Canvas(3, 2, grey(100)).to_rgb()) EXPECT_EQ(p, (Rgb{100, 100, 100}));
}

// Pure black comes out exactly where nothing was painted, and never where anything was.
TEST(Canvas, AntiAliasedEdgesOnSeeThroughNeverTurnPureBlack) {
    struct Case {
        const char* name;
        Color paint;
    } cases[] = {{"white", grey(255)}, {"screen grey", grey(8)}, {"dark red", rgb(40, 0, 0)},
                 {"near black", grey(0.4)}};
    for (const Case& k : cases) {
        Canvas c(40, 40);
        Path shape = disc({20.3, 19.7}, 13.2) + line({1, 39}, {39, 2}, 0.7);
        c.fill(shape, k.paint);
        Mask cover = Mask::of(shape, 40, 40);
        std::vector<Rgb> out = c.to_rgb();
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                Rgb p = out[size_t(y) * 40 + x];
                bool painted = cover.at(x, y) > kSeeThroughAlpha;
                EXPECT_EQ(p == kBlack, !painted) << k.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(Canvas, OpaqueNearBlackIsLiftedOffPureBlackTowardItsHue) {
    Canvas c(3, 1, grey(0));
    c.set_pixel(1, 0, rgb(0.3, 0.1, 0));
    c.set_pixel(2, 0, rgb(0, 0, 0.2));
    std::vector<Rgb> out = c.to_rgb();
    EXPECT_EQ(out[0], (Rgb{1, 1, 1}));
    EXPECT_EQ(out[1], (Rgb{1, 0, 0}));
    EXPECT_EQ(out[2], (Rgb{0, 0, 1}));
}

TEST(Canvas, EdgeModesBlendTowardBlackOrCutAtHalf) {
    Canvas c(4, 1);
    c.fill(rect(0.25, 0, 3.75, 1), rgb(200, 100, 50));  // pixels 0 and 3 a quarter... 3/4 covered
    c.fill(rect(1, 0, 3, 1), rgb(200, 100, 50));
    std::vector<Rgb> blend = c.to_rgb(EdgeMode::BlendToBlack);
    EXPECT_EQ(blend[0], (Rgb{150, 75, 38}));
    EXPECT_EQ(blend[1], (Rgb{200, 100, 50}));
    std::vector<Rgb> hard = c.to_rgb(EdgeMode::Threshold);
    EXPECT_EQ(hard[0], (Rgb{200, 100, 50}));
    Canvas thin(1, 1);
    thin.fill(rect(0, 0, 0.4, 1), grey(255));
    EXPECT_EQ(thin.to_rgb(EdgeMode::Threshold)[0], kBlack);
    EXPECT_EQ(thin.to_rgb(EdgeMode::BlendToBlack)[0], (Rgb{102, 102, 102}));
}

TEST(Canvas, EraseMakesExactSeeThroughAndPartialEraseStaysOpaque) {
    Canvas c(4, 1, grey(8));
    c.erase(pixel_rect(0, 0, 1, 0));
    c.erase(rect(2, 0, 2.5, 1));
    std::vector<Rgb> out = c.to_rgb();
    EXPECT_EQ(out[0], kBlack);
    EXPECT_EQ(out[1], kBlack);
    EXPECT_EQ(out[2], (Rgb{4, 4, 4}));
    EXPECT_EQ(out[3], (Rgb{8, 8, 8}));
    EXPECT_TRUE(c.is_see_through(0, 0));
    EXPECT_FALSE(c.is_see_through(2, 0));
}

TEST(Canvas, OpacityAndShadersPaintAtPixelCentres) {
    Canvas c(10, 1, grey(0));
    c.fill(rect(0, 0, 10, 1), linear_gradient({0.5, 0}, grey(0), {9.5, 0}, grey(90)));
    EXPECT_NEAR(c.pixel(0, 0).r, 0, 1e-4);
    EXPECT_NEAR(c.pixel(9, 0).r, 90, 1e-4);
    EXPECT_NEAR(c.pixel(3, 0).r, 30, 1e-4);
    Canvas d(1, 1, grey(100));
    d.fill(rect(0, 0, 1, 1), grey(200), 0.25);
    EXPECT_NEAR(d.pixel(0, 0).r, 125, 1e-4);
    Shader r = radial_gradient({0, 0}, 10, {{0, grey(0)}, {0.5, grey(100)}, {1, grey(0)}});
    EXPECT_NEAR(r({5, 0}).r, 100, 1e-9);
    EXPECT_NEAR(r({0, 20}).r, 0, 1e-9);
}

TEST(Canvas, MirrorCropCopyAndDraw) {
    Canvas c(3, 2);
    c.set_pixel(0, 0, rgb(255, 0, 0));
    c.set_pixel(2, 1, rgb(0, 0, 255));
    Canvas m = c.mirrored();
    EXPECT_EQ(m.pixel(2, 0), rgb(255, 0, 0));
    EXPECT_EQ(m.pixel(0, 1), rgb(0, 0, 255));
    EXPECT_TRUE(m.is_see_through(0, 0));

    Canvas part = c.crop(2, 1, 2, 2);  // reaches past the corner: see-through there
    EXPECT_EQ(part.pixel(0, 0), rgb(0, 0, 255));
    EXPECT_TRUE(part.is_see_through(1, 1));

    Canvas dst(3, 2, grey(50));
    dst.copy_from(c, 0, 0, 2, 1, 1, 1);  // copies see-through too
    EXPECT_EQ(dst.pixel(1, 1), rgb(255, 0, 0));
    EXPECT_TRUE(dst.is_see_through(2, 1));
    dst.copy_from(dst, 1, 1, 2, 1, 0, 1);  // overlapping copy within one canvas
    EXPECT_EQ(dst.pixel(0, 1), rgb(255, 0, 0));
    EXPECT_TRUE(dst.is_see_through(1, 1));

    Canvas over(3, 2, grey(50));
    over.draw(c, 0, 0);  // see-through parts of the source leave the target alone
    EXPECT_EQ(over.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(over.pixel(1, 0), grey(50));
}

TEST(Canvas, MismatchedMaskSizeIsRejected) {
    Canvas c(4, 4);
    EXPECT_THROW(c.fill(Mask(3, 4), grey(1)), std::invalid_argument);
    EXPECT_THROW(Canvas(-1, 2), std::invalid_argument);
}

}  // namespace
}  // namespace art
