// Sprites: the texture point rests on the window centre (the rose centre of the display), the
// shift is made across the turned course line, and nothing shows outside the round window.
#include "tests/raster/raster_support.h"

#include <cmath>

using namespace raster_test;

namespace {

// The display's course and deviation sprites.
SpriteGeometry display_sprite(double shift_x, double rotation_ccw) {
    return {31, 38, 94, 99, 128, 128, 1.0f, 1.0f, shift_x, 0.0, rotation_ccw};
}

// The display's window: 123 x 123, a disc of near-black (1,1,1) on pure black.
Image disc_window() {
    Image img(123, 123, kBlack);
    for (int y = 0; y < 123; ++y)
        for (int x = 0; x < 123; ++x) {
            const double dx = x + 0.5 - 61.5, dy = y + 0.5 - 61.5;
            if (dx * dx + dy * dy <= 61.0 * 61.0) img.at(x, y) = {1, 1, 1, 255};
        }
    return img;
}

// A 256 x 256 see-through texture with a white square of side 2 r + 1 centred on pixel (128,128).
Image marker_texture(int r) {
    Image img(256, 256, kBlack);
    for (int y = 128 - r; y <= 128 + r; ++y)
        for (int x = 128 - r; x <= 128 + r; ++x) img.at(x, y) = kWhite;
    return img;
}

constexpr double kRoseX = 92, kRoseY = 99;  // panel pixel of the rose centre

}  // namespace

TEST(Sprite, TexturePointRestsOnTheRoseCentre) {
    const Image window = disc_window();
    const Image marker = marker_texture(0);
    for (double rotation : {0.0, 90.0, -90.0, 180.0, 720.0}) {
        // Quarter turns move whole pixels: the single marker pixel lands exactly there.
        Frame frame = make_frame(189, 181, 0, 0, kBlack);
        draw_sprite(frame, marker, &window, display_sprite(0, rotation), true);
        const Ink ink = measure_ink(frame, kBlack);
        EXPECT_EQ(ink.count, 1) << rotation;
        EXPECT_EQ(panel_pixel(frame, 92, 99), kWhite) << rotation;
    }
    for (double rotation : {30.0, -137.5, 700.0, 1e-9}) {
        Frame frame = make_frame(189, 181, 0, 0, kBlack);
        draw_sprite(frame, marker_texture(2), &window, display_sprite(0, rotation), true);
        const Ink ink = measure_ink(frame, kBlack);
        EXPECT_NEAR(ink.centre_x, kRoseX, 0.1) << rotation;
        EXPECT_NEAR(ink.centre_y, kRoseY, 0.1) << rotation;
    }
}

TEST(Sprite, ShiftMovesAlongTheTurnedRowOfDots) {
    // The shift is made in the texture's frame and turns with it: counter-clockwise by the
    // rotation on the screen (y down), a shift s along x shows as (s cos t, -s sin t).
    struct Case {
        double rotation_ccw, shift;
    };
    const Case cases[] = {{0, 20},   {90, 20},  {-90, 20},    {180, -20},
                          {-30, -32.5}, {-30, 32.5}, {123, 12.25}, {-340, 7}};
    const Image window = disc_window();
    for (const Case& c : cases) {
        Frame frame = make_frame(189, 181, 0, 0, kBlack);
        draw_sprite(frame, marker_texture(2), &window, display_sprite(c.shift, c.rotation_ccw), true);
        const Ink ink = measure_ink(frame, kBlack);
        const double t = c.rotation_ccw * M_PI / 180;
        EXPECT_NEAR(ink.centre_x, kRoseX + c.shift * std::cos(t), 0.1) << c.rotation_ccw << " " << c.shift;
        EXPECT_NEAR(ink.centre_y, kRoseY - c.shift * std::sin(t), 0.1) << c.rotation_ccw << " " << c.shift;

        // The same spot as a dot of a needle row turned clockwise by the course angle (the
        // sprite turns by minus that, counter-clockwise) about the rose centre: a 5 x 5 dot
        // `shift` pixels right of the pivot pixel (40,2). Whole-pixel shifts only.
        const int along = int(std::lround(c.shift));
        if (along != c.shift) continue;
        Image dots(81, 5, kBlack);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) dots.at(40 + along - 2 + x, y) = kWhite;
        Frame needle = make_frame(189, 181, 0, 0, kBlack);
        draw_needle(needle, dots, 40, 2, kRoseX, kRoseY, -c.rotation_ccw, true);
        const Ink on_row = measure_ink(needle, kBlack);
        EXPECT_NEAR(ink.centre_x, on_row.centre_x, 0.1) << c.rotation_ccw;
        EXPECT_NEAR(ink.centre_y, on_row.centre_y, 0.1) << c.rotation_ccw;
    }
}

TEST(Sprite, NothingShowsOutsideTheWindow) {
    // An all-white texture covers the whole disc at every rotation and shift used here; outside
    // the disc's non-black pixels the red beneath must stay exactly as it was.
    const Image window = disc_window();
    const Image white(256, 256, kWhite);
    const double rotations[] = {0, 17, 45, -90, 200};
    const double shifts[] = {0, 32.5, -32.5, 11.3};
    for (double rotation : rotations) {
        for (double shift : shifts) {
            Frame frame = make_frame(189, 181, 0, 0, kRed);
            draw_sprite(frame, white, &window, display_sprite(shift, rotation), true);
            for (int y = 0; y < 181; ++y)
                for (int x = 0; x < 189; ++x) {
                    const int wx = x - 31, wy = y - 38;
                    const bool in_disc = wx >= 0 && wy >= 0 && wx < 123 && wy < 123 &&
                                         !(window.at(wx, wy) == kBlack);
                    ASSERT_EQ(panel_pixel(frame, x, y), in_disc ? kWhite : kRed)
                        << "(" << x << "," << y << ") rotation " << rotation << " shift " << shift;
                }
        }
    }
}

TEST(Sprite, BlackTexturePixelsAreSeeThrough) {
    const Image window = disc_window();
    Frame frame = make_frame(189, 181, 0, 0, kRed);
    draw_sprite(frame, marker_texture(3), &window, display_sprite(0, 0), true);
    EXPECT_EQ(measure_ink(frame, kRed).count, 49);
    // Without see-through the black texture darkens the whole disc.
    draw_sprite(frame, marker_texture(3), &window, display_sprite(0, 0), false);
    EXPECT_EQ(panel_pixel(frame, 40, 99), kBlack);
    EXPECT_EQ(panel_pixel(frame, 5, 5), kRed);
}

TEST(Sprite, WithoutWindowTheTextureRestsAtItsPosition) {
    // At rest the texture lies like a static image at the position; turned, it turns about the
    // texture point like a needle with that pivot (the other way round).
    Image texture(7, 5, kBlue);
    for (int x = 0; x < 5; ++x) texture.at(x, 1) = kRed;
    texture.at(6, 4) = kBlack;
    const SpriteGeometry at_rest{10, 12, 0, 0, 2, 1, 1.0f, 1.0f, 0, 0, 0};
    Frame sprite = make_frame(40, 40, 0, 0, kGrey), image = sprite;
    draw_sprite(sprite, texture, nullptr, at_rest, true);
    draw_image(image, texture, 10, 12, true);
    EXPECT_TRUE(same_image("sprite_at_rest", sprite.image, image.image));

    for (double rotation : {90.0, 33.0}) {
        SpriteGeometry turned = at_rest;
        turned.rotation_ccw_degrees = rotation;
        Frame s = make_frame(40, 40, 0, 0, kGrey), n = s;
        draw_sprite(s, texture, nullptr, turned, true);
        draw_needle(n, texture, 2, 1, 12, 13, -rotation, true);
        EXPECT_TRUE(same_image("sprite_turned_" + std::to_string(int(rotation)), s.image, n.image));
    }
}

TEST(Sprite, BadGeometryDrawsNothing) {
    const Image window = disc_window();
    Image broken_window = window;
    broken_window.pixels.resize(10);
    Frame frame = make_frame(189, 181, 0, 0, kGrey);
    const Frame before = frame;
    SpriteGeometry g = display_sprite(0, 0);
    g.scale_x = 0;
    draw_sprite(frame, marker_texture(2), &window, g, true);
    draw_sprite(frame, marker_texture(2), &window, display_sprite(NAN, 0), true);
    draw_sprite(frame, marker_texture(2), &window, display_sprite(0, INFINITY), true);
    draw_sprite(frame, marker_texture(2), &broken_window, display_sprite(0, 0), true);
    draw_sprite(frame, Image(), &window, display_sprite(0, 0), true);
    SpriteGeometry far = display_sprite(0, 0);
    far.position_x = INT32_MAX;
    far.position_y = INT32_MIN;
    draw_sprite(frame, marker_texture(2), &window, far, true);
    EXPECT_TRUE(same_image("sprite_bad_geometry", frame.image, before.image));
}
