// A module's artwork folder: files, resources.list, and the mistakes it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/art/bmp.h"
#include "tools/art/files.h"
#include "tools/art/resources.h"

namespace art {
namespace {

class ResourceFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/gauge_art_testXXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string text_of(const std::string& file) {
        std::vector<uint8_t> b = read_file(dir + "/" + file);
        return std::string(b.begin(), b.end());
    }
    std::string dir;
};

TEST_F(ResourceFolder, WritesBitmapsDataAndTheList) {
    ResourceWriter w(dir + "/", "lampkey");
    Canvas c(3, 2, grey(90));
    c.clear_pixel(0, 0);
    EXPECT_EQ(w.add_bitmap(0x1000, c), "lampkey_1000.bmp");
    EXPECT_EQ(w.add_bitmap(0x2003, c), "lampkey_2003.bmp");
    w.add_data("HORN", "horn.wav", {'R', 'I', 'F', 'F'});
    w.write_list();
    EXPECT_EQ(text_of("resources.list"),
              "BITMAP 0x1000 lampkey_1000.bmp\nBITMAP 0x2003 lampkey_2003.bmp\n"
              "RCDATA HORN horn.wav\n");
    EXPECT_EQ(text_of("horn.wav"), "RIFF");
    IndexedImage back;
    std::string error;
    ASSERT_TRUE(read_bmp(dir + "/lampkey_2003.bmp", &back, &error)) << error;
    EXPECT_EQ(back.at(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(back.at(1, 1), (Rgb{90, 90, 90}));
}

TEST_F(ResourceFolder, RefusesRepeatsBadNamesAndMissingFolders) {
    ResourceWriter w(dir, "m");
    Canvas c(1, 1, grey(1));
    w.add_bitmap(5, c);
    EXPECT_THROW(w.add_bitmap(5, c), std::invalid_argument);
    w.list_data("CLICK", "click.wav");
    EXPECT_THROW(w.list_data("CLICK", "other.wav"), std::invalid_argument);
    EXPECT_THROW(w.list_data("TWO WORDS", "x.wav"), std::invalid_argument);
    EXPECT_THROW(w.list_data(std::string(32, 'A'), "x.wav"), std::invalid_argument);
    EXPECT_THROW(w.list_data("", "x.wav"), std::invalid_argument);
    ResourceWriter nowhere(dir + "/missing", "m");
    EXPECT_THROW(nowhere.add_bitmap(1, c), std::runtime_error);
    EXPECT_THROW(nowhere.write_list(), std::runtime_error);
}

}  // namespace
}  // namespace art
