// The PNG writer: a file any reader accepts (signature, chunk CRCs, IHDR, zlib-wrapped image
// data of filter-0 rows) holding exactly the pixels given, and clear failures.
#include "tests/raster/raster_support.h"

#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>

using namespace raster_test;

namespace {

struct Chunk {
    std::string type;
    std::vector<uint8_t> data;
};

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits a PNG file into chunks, checking the signature and every CRC on the way.
testing::AssertionResult parse_png(const std::vector<uint8_t>& file, std::vector<Chunk>* chunks) {
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature, signature + 8, file.begin()))
        return testing::AssertionFailure() << "no PNG signature";
    size_t at = 8;
    while (at < file.size()) {
        if (file.size() - at < 12) return testing::AssertionFailure() << "truncated chunk at " << at;
        const uint32_t length = be32(&file[at]);
        if (file.size() - at - 12 < length) return testing::AssertionFailure() << "chunk too long";
        const uint8_t* type = &file[at + 4];
        const uint32_t crc = uint32_t(::crc32(0, type, 4 + length));
        if (crc != be32(type + 4 + length))
            return testing::AssertionFailure() << "bad CRC in " << std::string(type, type + 4);
        chunks->push_back({std::string(type, type + 4),
                           std::vector<uint8_t>(type + 4, type + 4 + length)});
        at += 12 + length;
    }
    return testing::AssertionSuccess();
}

Image seeded_image(int w, int h, uint64_t seed) {
    Seeded rng(seed);
    Image img(w, h);
    for (Rgba& p : img.pixels) p = {uint8_t(rng.next()), uint8_t(rng.next()), uint8_t(rng.next()), uint8_t(rng.next())};
    return img;
}

std::string temp_path(const std::string& name) { return testing::TempDir() + name; }

}  // namespace

TEST(Png, WritesAFileThatDecodesToTheSamePixels) {
    Image asymmetric(3, 2);
    asymmetric.at(0, 0) = kRed;
    asymmetric.at(1, 0) = kGreen;
    asymmetric.at(2, 0) = kBlue;
    asymmetric.at(0, 1) = {1, 2, 3, 0};
    asymmetric.at(1, 1) = kWhite;
    asymmetric.at(2, 1) = {0, 0, 0, 128};
    struct Case {
        const char* name;
        Image image;
    };
    const Case cases[] = {
        {"asymmetric", asymmetric},
        {"one_pixel", Image(1, 1, {9, 8, 7, 6})},
        {"large", seeded_image(300, 257, 7)},  // more than one stored block of 65535 bytes
    };
    for (const Case& c : cases) {
        const std::string path = temp_path(std::string("raster_png_") + c.name + ".png");
        std::string error;
        ASSERT_TRUE(write_png(path, c.image, &error)) << error;
        std::vector<Chunk> chunks;
        ASSERT_TRUE(parse_png(read_file(path), &chunks)) << c.name;
        ASSERT_GE(chunks.size(), 3u);
        EXPECT_EQ(chunks.front().type, "IHDR");
        EXPECT_EQ(chunks.back().type, "IEND");
        EXPECT_TRUE(chunks.back().data.empty());

        const std::vector<uint8_t>& ihdr = chunks.front().data;
        ASSERT_EQ(ihdr.size(), 13u);
        EXPECT_EQ(be32(&ihdr[0]), uint32_t(c.image.width));
        EXPECT_EQ(be32(&ihdr[4]), uint32_t(c.image.height));
        EXPECT_EQ(std::vector<uint8_t>(ihdr.begin() + 8, ihdr.end()),
                  (std::vector<uint8_t>{8, 6, 0, 0, 0}));  // 8-bit RGBA, deflate, no interlace

        std::vector<uint8_t> packed;
        for (size_t i = 1; i + 1 < chunks.size(); ++i) {
            EXPECT_EQ(chunks[i].type, "IDAT");
            packed.insert(packed.end(), chunks[i].data.begin(), chunks[i].data.end());
        }
#ifndef PANEL_HAVE_ZLIB
        // Built without zlib: the first block is a stored one.
        ASSERT_GT(packed.size(), 3u);
        EXPECT_EQ(packed[2] & 0x6, 0) << c.name;
#endif
        const size_t row = size_t(c.image.width) * 4 + 1;
        std::vector<uint8_t> raw(row * c.image.height + 1);
        uLongf raw_size = uLongf(raw.size());
        ASSERT_EQ(uncompress(raw.data(), &raw_size, packed.data(), uLong(packed.size())), Z_OK);
        ASSERT_EQ(raw_size, row * c.image.height);
        Image decoded(c.image.width, c.image.height);
        for (int y = 0; y < c.image.height; ++y) {
            ASSERT_EQ(raw[y * row], 0) << "row filter";
            for (int x = 0; x < c.image.width; ++x) {
                const uint8_t* p = &raw[y * row + 1 + x * 4];
                decoded.at(x, y) = {p[0], p[1], p[2], p[3]};
            }
        }
        EXPECT_TRUE(same_image(std::string("png_") + c.name, decoded, c.image));
        std::remove(path.c_str());
    }
}

TEST(Png, FailuresAreReportedAndLeaveNoFile) {
    std::string error;
    EXPECT_FALSE(write_png("/nonexistent-dir/frame.png", Image(2, 2), &error));
    EXPECT_NE(error.find("/nonexistent-dir/frame.png"), std::string::npos) << error;

    const std::string path = temp_path("raster_png_bad.png");
    std::remove(path.c_str());
    Image broken(4, 4);
    broken.pixels.resize(3);
    for (const Image& bad : {Image(), Image(0, 5), broken}) {
        error.clear();
        EXPECT_FALSE(write_png(path, bad, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
    }
    EXPECT_FALSE(write_png(path, broken, nullptr));  // no error text wanted: still no crash
}
