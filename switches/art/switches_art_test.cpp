// The switch gauges' artwork as the generator writes it: the files, their format, and the
// picture rules the gauges rely on (which pixels change with the lamp, where the plate is
// see-through).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/art/bmp.h"
#include "tools/art/files.h"

namespace {

using art::IndexedImage;
using art::Rgb;

constexpr Rgb kBlack{0, 0, 0};

struct PixelArea {
    int x_first, y_first, x_last, y_last;
    bool contains(int x, int y) const {
        return x >= x_first && x <= x_last && y >= y_first && y <= y_last;
    }
};
constexpr PixelArea kLamp{43, 11, 71, 39};
constexpr PixelArea kButton{26, 56, 90, 117};
constexpr PixelArea kPadButton{1, 1, 33, 20};

class SwitchesArt : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/switches_art_testXXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs the generator; returns its exit status.
    int generate(const std::string& out, const std::string& gauge) {
        std::string command = std::string(SWITCHES_ART_PROGRAM) + " '" + out + "' " + gauge +
                              " 2>'" + dir + "/stderr'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string text(const std::string& path) {
        std::vector<uint8_t> b = art::read_file(path);
        return std::string(b.begin(), b.end());
    }
    IndexedImage bitmap(const std::string& file) {
        IndexedImage img;
        std::string error;
        EXPECT_TRUE(art::read_bmp(dir + "/" + file, &img, &error)) << error;
        return img;
    }

    std::string dir;
};

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// What the host and rsrcpack expect of every bitmap file.
void expect_windows_bitmap(const std::string& path, int width, int height) {
    std::vector<uint8_t> b = art::read_file(path);
    ASSERT_GE(b.size(), 54u + 1024u) << path;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size()) << path;
    EXPECT_EQ(u32(b, 10), 54u + 1024u) << path;
    EXPECT_EQ(u32(b, 14), 40u) << path;
    EXPECT_EQ(int32_t(u32(b, 18)), width) << path;
    EXPECT_EQ(int32_t(u32(b, 22)), height) << path;  // bottom-up
    EXPECT_EQ(b[26] | b[27] << 8, 1) << path;         // planes
    EXPECT_EQ(b[28] | b[29] << 8, 8) << path;         // bits per pixel
    EXPECT_EQ(u32(b, 30), 0u) << path;                // no compression
    EXPECT_EQ(u32(b, 46), 256u) << path;              // colours used
    size_t stride = (size_t(width) + 3) & ~size_t(3);
    EXPECT_EQ(b.size(), 54u + 1024u + stride * size_t(height)) << path;
}

TEST_F(SwitchesArt, LampkeyWritesItsThreeBitmapsAndList) {
    ASSERT_EQ(generate(dir, "lampkey"), 0) << text(dir + "/stderr");
    EXPECT_EQ(text(dir + "/resources.list"),
              "BITMAP 0x1000 lampkey_1000.bmp\n"
              "BITMAP 0x2000 lampkey_2000.bmp\n"
              "BITMAP 0x2003 lampkey_2003.bmp\n");
    for (const char* f : {"lampkey_1000.bmp", "lampkey_2000.bmp", "lampkey_2003.bmp"})
        expect_windows_bitmap(dir + "/" + f, 112, 128);
    // The root shows the dark state: the very same file.
    EXPECT_EQ(art::read_file(dir + "/lampkey_1000.bmp"), art::read_file(dir + "/lampkey_2000.bmp"));
}

TEST_F(SwitchesArt, LampStatesDifferOnlyOnLampAndButtonAndPlateIsNeverSeeThrough) {
    ASSERT_EQ(generate(dir, "lampkey"), 0) << text(dir + "/stderr");
    IndexedImage dark = bitmap("lampkey_2000.bmp"), lit = bitmap("lampkey_2003.bmp");
    ASSERT_EQ(dark.width, 112);
    ASSERT_EQ(dark.height, 128);
    ASSERT_EQ(lit.width, 112);
    ASSERT_EQ(lit.height, 128);
    int lamp_changes = 0, button_changes = 0, outside_changes = 0, black = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 112; ++x) {
            bool differs = dark.at(x, y) != lit.at(x, y);
            if (kLamp.contains(x, y))
                lamp_changes += differs;
            else if (kButton.contains(x, y))
                button_changes += differs;
            else if (differs && ++outside_changes <= 5)
                ADD_FAILURE() << "states differ at " << x << "," << y;
            black += dark.at(x, y) == kBlack;
            black += lit.at(x, y) == kBlack;
        }
    }
    EXPECT_EQ(outside_changes, 0);
    // The lens (about 320 pixels) lights up; the button face moves and its bevel turns over.
    EXPECT_GT(lamp_changes, 250);
    EXPECT_GT(button_changes, 1500);
    // The root is drawn with pure black see-through: none on the plate.
    EXPECT_EQ(black, 0);
}

TEST_F(SwitchesArt, LitLampIsBrightRedAndDarkLampIsDim) {
    ASSERT_EQ(generate(dir, "lampkey"), 0) << text(dir + "/stderr");
    IndexedImage dark = bitmap("lampkey_2000.bmp"), lit = bitmap("lampkey_2003.bmp");
    // Mean colour over the middle of the lens.
    auto mean = [](const IndexedImage& img, int channel) {
        double sum = 0;
        int n = 0;
        for (int y = 21; y <= 30; ++y)
            for (int x = 53; x <= 62; ++x, ++n) {
                Rgb c = img.at(x, y);
                sum += channel == 0 ? c.r : channel == 1 ? c.g : c.b;
            }
        return sum / n;
    };
    EXPECT_GT(mean(lit, 0), 220);
    EXPECT_GT(mean(lit, 0), 1.5 * mean(lit, 1));
    EXPECT_LT(mean(dark, 0), 130);
    EXPECT_GT(mean(dark, 0), 2 * mean(dark, 1));
}

TEST_F(SwitchesArt, ClickpadIsSeeThroughExceptItsOpaqueButton) {
    ASSERT_EQ(generate(dir, "clickpad"), 0) << text(dir + "/stderr");
    EXPECT_EQ(text(dir + "/resources.list"), "BITMAP 0x1000 clickpad_1000.bmp\n");
    expect_windows_bitmap(dir + "/clickpad_1000.bmp", 125, 112);
    IndexedImage pad = bitmap("clickpad_1000.bmp");
    ASSERT_EQ(pad.width, 125);
    ASSERT_EQ(pad.height, 112);
    int wrong = 0, white = 0;  // white: near-white pixels
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 125; ++x) {
            Rgb c = pad.at(x, y);
            bool inside = kPadButton.contains(x, y);
            if ((c == kBlack) == inside && ++wrong <= 5)
                ADD_FAILURE() << (inside ? "see-through inside the button at "
                                         : "not see-through outside the button at ")
                              << x << "," << y;
            white += c.r > 230 && c.g > 230 && c.b > 230;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(white, 25);  // the caption
}

TEST_F(SwitchesArt, SameBytesEveryRun) {
    for (const char* gauge : {"lampkey", "clickpad"}) {
        std::string a = dir + "/a_" + gauge, b = dir + "/b_" + gauge;
        std::filesystem::create_directory(a);
        std::filesystem::create_directory(b);
        ASSERT_EQ(generate(a, gauge), 0);
        ASSERT_EQ(generate(b, gauge), 0);
        for (const auto& entry : std::filesystem::directory_iterator(a)) {
            std::string name = entry.path().filename();
            EXPECT_EQ(art::read_file(entry.path()), art::read_file(b + "/" + name)) << name;
        }
    }
}

TEST_F(SwitchesArt, BadArgumentsAreRefusedWithAMessage) {
    EXPECT_EQ(generate(dir, "toggle"), 2);
    EXPECT_NE(text(dir + "/stderr").find("unknown gauge"), std::string::npos);
    EXPECT_EQ(generate(dir + "/no/such/dir", "clickpad"), 1);
    EXPECT_NE(text(dir + "/stderr").find("cannot write"), std::string::npos);
    EXPECT_EQ(generate(dir, ""), 2);
}

}  // namespace
