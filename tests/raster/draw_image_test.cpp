// Plain bitmaps: exact copies, see-through black, clipping at every edge of the frame.
#include "tests/raster/raster_support.h"

using namespace raster_test;

namespace {

// 4 x 3, every pixel different, with one pure black pixel at (2,1).
Image small_fixture() {
    Image img(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) img.at(x, y) = {uint8_t(10 + 60 * x), uint8_t(20 + 70 * y), 200, 255};
    img.at(2, 1) = kBlack;
    return img;
}

// What draw_image must give, written out pixel by pixel.
Frame reference_blit(Frame frame, const Image& img, int x, int y, bool see_through) {
    for (int j = 0; j < img.height; ++j)
        for (int i = 0; i < img.width; ++i) {
            const int fx = x + i - frame.origin_x, fy = y + j - frame.origin_y;
            if (fx < 0 || fy < 0 || fx >= frame.image.width || fy >= frame.image.height) continue;
            if (see_through && img.at(i, j) == kBlack) continue;
            frame.image.at(fx, fy) = img.at(i, j);
        }
    return frame;
}

}  // namespace

TEST(DrawImage, CopiesExactlyAndClipsAtEveryEdge) {
    struct Case {
        const char* name;
        int origin_x, origin_y, x, y;
    };
    const Case cases[] = {
        {"inside", 0, 0, 3, 2},         {"cut_left", 0, 0, -2, 2},
        {"cut_right", 0, 0, 8, 2},      {"cut_top", 0, 0, 3, -1},
        {"cut_bottom", 0, 0, 3, 5},     {"cut_corner", 0, 0, -3, -2},
        {"outside", 0, 0, 20, 20},      {"negative_origin", -7, -5, -6, -4},
        {"negative_origin_cut", -7, -5, -9, -6},
    };
    const Image img = small_fixture();
    for (const Case& c : cases) {
        for (bool see_through : {false, true}) {
            Frame frame = make_frame(10, 7, c.origin_x, c.origin_y, kGrey);
            const Frame expected = reference_blit(frame, img, c.x, c.y, see_through);
            draw_image(frame, img, c.x, c.y, see_through);
            EXPECT_TRUE(same_image(std::string("blit_") + c.name + (see_through ? "_see" : ""),
                                   frame.image, expected.image));
        }
    }
}

TEST(DrawImage, MalformedImagesDrawNothing) {
    Image broken(4, 3, kWhite);
    broken.pixels.resize(5);  // fewer pixels than its size says
    Frame frame = make_frame(10, 7, 0, 0, kGrey);
    const Frame before = frame;
    draw_image(frame, broken, 0, 0, false);
    draw_image(frame, Image(), 0, 0, false);
    draw_image(frame, small_fixture(), INT32_MIN, INT32_MAX, false);
    EXPECT_TRUE(same_image("blit_malformed", frame.image, before.image));
}
