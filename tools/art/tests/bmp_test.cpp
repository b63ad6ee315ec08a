// 8-bit bitmap files: header fields, row order and padding, palette byte order, reading back.
#include <gtest/gtest.h>

#include "tools/art/bmp.h"

namespace art {
namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint32_t u16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

// 5 x 2, a red pixel top left and a blue one bottom right: shows row order, padding and
// channel order at once.
IndexedImage fixture() {
    IndexedImage img;
    img.width = 5;
    img.height = 2;
    img.palette = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}};
    img.indices = {1, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    return img;
}

TEST(Bmp, HeaderFieldsRowsAndPalette) {
    std::vector<uint8_t> b = encode_bmp(fixture());
    size_t data = 14 + 40 + 1024;
    ASSERT_EQ(b.size(), data + 8 * 2);  // rows of 5 padded to 8
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size());
    EXPECT_EQ(u32(b, 10), data);
    EXPECT_EQ(u32(b, 14), 40u);
    EXPECT_EQ(u32(b, 18), 5u);
    EXPECT_EQ(u32(b, 22), 2u);  // positive height: bottom-up
    EXPECT_EQ(u16(b, 26), 1u);
    EXPECT_EQ(u16(b, 28), 8u);
    EXPECT_EQ(u32(b, 30), 0u);
    EXPECT_EQ(u32(b, 34), 16u);
    EXPECT_EQ(u32(b, 46), 256u);
    // Palette entry 1 is red, stored blue, green, red, 0.
    EXPECT_EQ(b[54 + 4], 0);
    EXPECT_EQ(b[54 + 6], 255);
    // The file's first row is the picture's bottom row: blue at its end, then padding.
    EXPECT_EQ(b[data + 4], 2);
    EXPECT_EQ(b[data + 5], 0);
    EXPECT_EQ(b[data + 8], 1);
}

TEST(Bmp, ReadsBackWhatItWrites) {
    IndexedImage img = fixture(), back;
    std::string error;
    ASSERT_TRUE(decode_bmp(encode_bmp(img), &back, &error)) << error;
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.indices, img.indices);
    EXPECT_EQ(back.palette.size(), 256u);
    EXPECT_EQ(back.to_rgb(), img.to_rgb());
}

TEST(Bmp, BrokenFilesAreRefusedWithAReason) {
    std::vector<uint8_t> good = encode_bmp(fixture());
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* says;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, "too short"});
    auto bad = good;
    bad[0] = 'X';
    cases.push_back({"signature", bad, "signature"});
    bad = good;
    bad[28] = 24;
    cases.push_back({"24 bits", bad, "8 bits"});
    bad = good;
    bad[30] = 1;
    cases.push_back({"compressed", bad, "compressed"});
    bad = good;
    bad.resize(bad.size() - 3);
    cases.push_back({"truncated rows", bad, "cut short"});
    bad = good;
    bad[46] = 2;
    bad[47] = 0;
    cases.push_back({"index past a short palette", bad, "past the palette"});
    bad = good;
    bad[18] = 0;
    cases.push_back({"zero width", bad, "size"});
    for (const Case& k : cases) {
        IndexedImage out;
        std::string error;
        EXPECT_FALSE(decode_bmp(k.bytes, &out, &error)) << k.name;
        EXPECT_NE(error.find(k.says), std::string::npos) << k.name << ": " << error;
    }
}

TEST(Bmp, UnwritablePicturesAreRejected) {
    IndexedImage img = fixture();
    img.indices[3] = 7;
    EXPECT_THROW(encode_bmp(img), std::invalid_argument);
    img = fixture();
    img.palette.resize(257);
    EXPECT_THROW(encode_bmp(img), std::invalid_argument);
    EXPECT_THROW(encode_bmp(IndexedImage{}), std::invalid_argument);
}

}  // namespace
}  // namespace art
