// Decoding bitmap resources: orientation, depths, and malformed data rejected with a reason.
#include "host/dib_image.h"
#include "host_fixture.h"

namespace {

void put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

// A DIB of 3 x 2 pixels at `depth` bits, rows as given (bottom row first unless top_down).
std::vector<uint8_t> dib(int depth, bool top_down, uint32_t palette_size = 4) {
    std::vector<uint8_t> v;
    put(v, 40, 4);
    put(v, 3, 4);
    put(v, uint32_t(top_down ? -2 : 2), 4);
    put(v, 1, 2);
    put(v, uint32_t(depth), 2);
    put(v, 0, 4);
    put(v, 0, 4);
    put(v, 0, 4);
    put(v, 0, 4);
    put(v, depth == 8 ? palette_size : 0, 4);
    put(v, 0, 4);
    if (depth == 8) {
        const uint8_t palette[4][4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
        for (uint32_t i = 0; i < palette_size; ++i) v.insert(v.end(), palette[i % 4], palette[i % 4] + 4);
        // first stored row: red green blue; second: white red red (each padded to 4 bytes)
        v.insert(v.end(), {0, 1, 2, 0, 3, 0, 0, 0});
    } else {
        int bpp = depth / 8;
        auto pixel = [&](uint8_t b, uint8_t g, uint8_t r) {
            v.insert(v.end(), {b, g, r});
            if (bpp == 4) v.push_back(0);
        };
        pixel(0, 0, 255), pixel(0, 255, 0), pixel(255, 0, 0);
        while (v.size() % 4 != 0) v.push_back(0);
        pixel(255, 255, 255), pixel(0, 0, 255), pixel(0, 0, 255);
        while (v.size() % 4 != 0) v.push_back(0);
    }
    return v;
}

TEST(BitmapDecode, RowsAreBottomUpUnlessTheHeightIsNegative) {
    for (int depth : {8, 24, 32}) {
        for (bool top_down : {false, true}) {
            std::vector<uint8_t> data = dib(depth, top_down);
            Image image;
            std::string error;
            ASSERT_TRUE(decode_dib(data.data(), data.size(), &image, &error)) << error;
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 2);
            int first = top_down ? 0 : 1;  // where the first stored row lands
            EXPECT_EQ(image.at(0, first), kRed) << depth;
            EXPECT_EQ(image.at(1, first), kGreen) << depth;
            EXPECT_EQ(image.at(2, first), kBlue) << depth;
            EXPECT_EQ(image.at(0, 1 - first), kWhite) << depth;
        }
    }
}

TEST(BitmapDecode, MalformedDataIsRejectedWithAReason) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        const char* reason;
    };
    std::vector<uint8_t> short_rows = dib(8, false);
    short_rows.pop_back();
    std::vector<uint8_t> depth4 = dib(8, false);
    depth4[14] = 4;
    std::vector<uint8_t> compressed = dib(8, false);
    compressed[16] = 1;
    std::vector<uint8_t> zero_width = dib(8, false);
    zero_width[4] = 0;
    std::vector<uint8_t> huge = dib(8, false);
    huge[7] = 0x7F;
    std::vector<uint8_t> header_only = dib(8, false);
    header_only.resize(40);
    std::vector<uint8_t> big_palette = dib(8, false);
    big_palette[33] = 2;  // 516 colours
    const Case cases[] = {
        {"empty", {}, "shorter than its header"},
        {"header only", header_only, "ends early"},
        {"last row short", short_rows, "ends early"},
        {"4 bits", depth4, "4 bits per pixel"},
        {"compressed", compressed, "compression 1"},
        {"zero width", zero_width, "not valid"},
        {"huge", huge, "not valid"},
        {"palette over 256", big_palette, "too large"},
        {"index past palette", dib(8, false, 3), "colour 3 of a palette of 3"},
    };
    for (const Case& c : cases) {
        Image image;
        std::string error;
        EXPECT_FALSE(decode_dib(c.data.data(), c.data.size(), &image, &error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }
}

}  // namespace
