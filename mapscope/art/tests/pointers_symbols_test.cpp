// The pointers, course set, deviation sprites, small symbols and source labels as the generator
// writes them: ids and sizes, and the picture rules the display relies on (each needle's ink
// centred on the column it turns about and reaching the radii it stands between, see-through
// where the picture is open, exact colours, the windows' disc, the icon states on one palette).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "mapscope/art/tests/generated_art.h"
#include "tools/art/bmp.h"
#include "tools/art/files.h"

namespace {

using art::IndexedImage;
using art::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kWindGreen{60, 252, 60};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kYellowDim{128, 128, 0};
constexpr Rgb kAircraftYellow{252, 252, 0};
constexpr Rgb kWindow{1, 1, 1};

class PointersArt : public GeneratedMapscopeArt {};

bool inked(const IndexedImage& img, int x, int y) {
    return x >= 0 && x < img.width && y >= 0 && y < img.height && img.at(x, y) != kBlack;
}
bool row_inked(const IndexedImage& img, int y) {
    for (int x = 0; x < img.width; ++x)
        if (inked(img, x, y)) return true;
    return false;
}

// ---- ids, sizes, format -------------------------------------------------------------------------

struct Size {
    uint32_t id;
    int width, height;
};

constexpr Size kBitmaps[] = {
    {0x3010, 9, 33},    {0x3020, 9, 33},    {0x3011, 9, 33},   {0x3021, 9, 33},
    {0x3030, 11, 33},   {0x3040, 11, 33},   {0x4010, 7, 16},   {0x4013, 7, 16},
    {0x4016, 7, 16},    {0x4000, 24, 8},    {0x4003, 24, 8},   {0x4002, 24, 8},
    {0x4005, 24, 8},    {0x5400, 5, 12},    {0x5410, 3, 11},   {0x5030, 20, 20},
    {0x5300, 26, 125},  {0x5301, 26, 125},  {0x5302, 63, 4},   {0x5303, 9, 125},
    {0x5304, 11, 125},  {0x5100, 256, 256}, {0x5200, 256, 256}, {0x5103, 123, 123},
    {0x5203, 123, 123},
};

TEST_F(PointersArt, EveryBitmapIsListedWithItsSizeAndEightBitsPerPixel) {
    const std::string list = list_text();
    for (const Size& s : kBitmaps) {
        char line[64];
        std::snprintf(line, sizeof line, "BITMAP 0x%04x %s\n", unsigned(s.id),
                      file_name(s.id).c_str());
        EXPECT_NE(list.find(line), std::string::npos) << line;
        const IndexedImage& img = bitmap(s.id);
        EXPECT_EQ(img.width, s.width) << std::hex << s.id;
        EXPECT_EQ(img.height, s.height) << std::hex << s.id;
        std::vector<uint8_t> bytes = art::read_file(dir_ + "/" + file_name(s.id));
        ASSERT_GE(bytes.size(), 54u) << std::hex << s.id;
        EXPECT_EQ(bytes[28], 8) << std::hex << s.id;
    }
}

// ---- colours ------------------------------------------------------------------------------------

// Anti-aliased pictures: every pixel is see-through black or the ink shaded toward black, and
// the ink itself shows. Pixel pictures: exactly the inks named, nothing in between.
struct Inks {
    uint32_t id;
    std::vector<Rgb> inks;
    bool shaded;  // edges blend toward black
};

bool is_shade_of(Rgb c, Rgb ink) {
    const int top = std::max({ink.r, ink.g, ink.b});
    const double t = double(std::max({c.r, c.g, c.b})) / top;
    auto near = [t](int channel, int ink_channel) {
        return std::abs(channel - t * ink_channel) <= 1.5;
    };
    return near(c.r, ink.r) && near(c.g, ink.g) && near(c.b, ink.b);
}

TEST_F(PointersArt, PicturesShowOnlyTheirInksOnSeeThroughBlack) {
    const std::vector<Inks> table = {
        {0x3010, {kWhite}, true},     {0x3020, {kWhite}, true},
        {0x3011, {kWhite}, true},     {0x3021, {kWhite}, true},
        {0x3030, {kGreen}, true},     {0x3040, {kGreen}, true},
        {0x5303, {kWhite}, true},     {0x5304, {kGreen}, true},
        {0x5300, {kCyan}, true},      {0x5301, {kMagenta}, true},
        {0x5100, {kCyan}, true},      {0x5200, {kMagenta}, false},
        {0x5302, {kWhite}, true},     {0x5103, {kWindow}, false},
        {0x4010, {kWhite}, false},    {0x4013, {kGreen}, false},
        {0x4016, {kWhite}, false},    {0x4000, {kWhite}, false},
        {0x4003, {kGreen}, false},    {0x4002, {kGreen}, false},
        {0x4005, {kWhite}, false},    {0x5400, {kWindGreen}, false},
        {0x5410, {kYellow, kYellowDim}, false}, {0x5030, {kAircraftYellow}, false},
    };
    for (const Inks& t : table) {
        SCOPED_TRACE(::testing::Message() << "bitmap 0x" << std::hex << t.id);
        const IndexedImage& img = bitmap(t.id);
        std::vector<bool> seen(t.inks.size(), false);
        int black = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const Rgb c = img.at(x, y);
                if (c == kBlack) {
                    ++black;
                    continue;
                }
                bool ok = false;
                for (size_t i = 0; i < t.inks.size(); ++i) {
                    if (c == t.inks[i]) seen[i] = true;
                    ok = ok || c == t.inks[i] || (t.shaded && is_shade_of(c, t.inks[i]));
                }
                ASSERT_TRUE(ok) << x << "," << y << ": " << int(c.r) << " " << int(c.g) << " "
                                << int(c.b);
            }
        for (size_t i = 0; i < seen.size(); ++i) EXPECT_TRUE(seen[i]) << "ink " << i;
        EXPECT_GT(black, 0) << "no see-through background";
    }
}

// ---- axes ---------------------------------------------------------------------------------------

// A needle turns about its pivot pixel's centre, so its picture must be mirror-symmetric about
// the pivot column: pixel x matches pixel (mirror - x). The same holds for the symbols and
// sprites about their middle.
struct Axis {
    uint32_t id;
    int mirror;  // twice the axis column, or 2 * axis + 1 for an axis between two columns
};

TEST_F(PointersArt, PicturesAreSymmetricAboutTheColumnTheyTurnAbout) {
    const Axis table[] = {
        {0x3010, 10}, {0x3020, 10}, {0x3011, 10}, {0x3021, 10}, {0x3030, 10}, {0x3040, 10},
        {0x5303, 10}, {0x5304, 10},                   // pivot column 5
        {0x5300, 24}, {0x5301, 24},                   // pivot column 12
        {0x5400, 4},                                  // pivot column 2
        {0x5030, 16},                                 // rose centre on column 8
        {0x5410, 2},  {0x4010, 6},  {0x4013, 6},  {0x4016, 6},
        {0x5302, 62},                                 // rings about column 31
        {0x5100, 255}, {0x5200, 255},                 // bar centred on x = 128
        {0x5103, 122},
    };
    for (const Axis& a : table) {
        SCOPED_TRACE(::testing::Message() << "bitmap 0x" << std::hex << a.id);
        const IndexedImage& img = bitmap(a.id);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const int m = a.mirror - x;
                const Rgb other = m >= 0 && m < img.width ? img.at(m, y) : kBlack;
                ASSERT_EQ(img.at(x, y), other) << x << "," << y;
            }
    }
}

// ---- reach and open parts -----------------------------------------------------------------------

// Arc pointers run from the outer arc (top row, radius 130) to radius 97 (bottom row); rose
// pointers from the ring at the head to the ring at the tail, open in the middle so that the
// course picture stays clear; the course pointer leaves a gap for the deviation bar, which is
// 37 rows long about the pivot row 62.
struct Reach {
    uint32_t id;
    int open_first, open_last;  // rows without ink; open_first > open_last for none
};

TEST_F(PointersArt, PointersReachBothEndsAndLeaveTheirMiddleOpen) {
    const Reach table[] = {
        {0x3010, 1, 0},   {0x3020, 1, 0},   {0x3011, 1, 0},   {0x3021, 1, 0},
        {0x3030, 1, 0},   {0x3040, 1, 0},   {0x5303, 40, 84}, {0x5304, 40, 84},
        {0x5300, 44, 80}, {0x5301, 44, 80},
    };
    for (const Reach& r : table) {
        SCOPED_TRACE(::testing::Message() << "bitmap 0x" << std::hex << r.id);
        const IndexedImage& img = bitmap(r.id);
        EXPECT_TRUE(row_inked(img, 0));
        EXPECT_TRUE(row_inked(img, img.height - 1));
        for (int y = r.open_first; y <= r.open_last; ++y) EXPECT_FALSE(row_inked(img, y)) << y;
    }
    // The gap holds the bar with a pixel to spare at either end.
    const IndexedImage& course = bitmap(0x5300);
    EXPECT_FALSE(row_inked(course, 62 - 19));
    EXPECT_FALSE(row_inked(course, 62 + 19));
}

TEST_F(PointersArt, CoursePointersAreOneShapeInTwoColours) {
    const IndexedImage& cyan = bitmap(0x5300);
    const IndexedImage& magenta = bitmap(0x5301);
    for (int y = 0; y < cyan.height; ++y)
        for (int x = 0; x < cyan.width; ++x) {
            const Rgb c = cyan.at(x, y), m = magenta.at(x, y);
            ASSERT_EQ(c.g, m.r) << x << "," << y;  // cyan (0,g,g) becomes magenta (g,0,g)
            ASSERT_EQ(c.b, m.b) << x << "," << y;
            ASSERT_EQ(m.g, 0) << x << "," << y;
        }
}

// Pixels the pictures rely on being see-through (the inside of an open shape) or drawn.
struct Probe {
    uint32_t id;
    int x, y;
    bool ink;
};

TEST_F(PointersArt, OpenShapesAreSeeThroughInside) {
    const Probe table[] = {
        {0x3010, 5, 8, false},   // VOR 1 head: open triangle
        {0x3010, 5, 20, true},   //   its line
        {0x3020, 5, 6, false},   // VOR 1 tail: open triangle
        {0x3011, 5, 8, false},   // VOR 2 head: outlined arrowhead
        {0x3011, 5, 25, false},  //   between the double line
        {0x3011, 3, 25, true},
        {0x3011, 7, 25, true},
        {0x3021, 5, 5, true},    // VOR 2 tail: single line at the rim
        {0x3021, 5, 25, false},  //   double further in
        {0x3030, 5, 25, false},  // ADF head: two legs
        {0x3040, 5, 5, true},    // ADF tail: single line at the rim
        {0x3040, 5, 30, false},  //   two legs further in
        {0x4013, 3, 12, false},  // ADF symbol: split line
        {0x4016, 3, 12, false},  // VOR 2 symbol: double line
        {0x4010, 3, 12, true},   // VOR 1 symbol: single line
        {0x5030, 8, 10, true},   // aircraft: the rose centre on its fuselage
    };
    for (const Probe& p : table)
        EXPECT_EQ(inked(bitmap(p.id), p.x, p.y), p.ink)
            << "bitmap 0x" << std::hex << p.id << std::dec << " at " << p.x << "," << p.y;
}

// ---- deviation dots -----------------------------------------------------------------------------

TEST_F(PointersArt, DeviationDotsAreFourOpenRingsAtTheirColumns) {
    const IndexedImage& dots = bitmap(0x5302);
    // Columns 0..62 hold four separate rings; each ring's ink is centred on its column, and
    // its middle is open.
    const double centres[] = {1.5, 16.5, 45.5, 60.5};
    for (double centre : centres) {
        SCOPED_TRACE(::testing::Message() << "ring at " << centre);
        double sum = 0, weight = 0;
        for (int y = 0; y < dots.height; ++y)
            for (int x = int(centre) - 3; x <= int(centre) + 4; ++x) {
                if (!inked(dots, x, y)) continue;
                const double w = std::max({dots.at(x, y).r, dots.at(x, y).g, dots.at(x, y).b});
                sum += w * x;
                weight += w;
            }
        ASSERT_GT(weight, 0);
        EXPECT_NEAR(sum / weight, centre, 1e-9);
        EXPECT_FALSE(inked(dots, int(centre), 1));
        EXPECT_FALSE(inked(dots, int(centre) + 1, 2));
    }
    for (int x : {5, 10, 25, 31, 37, 55}) EXPECT_FALSE(inked(dots, x, 1)) << x;
}

// ---- sprites and windows ------------------------------------------------------------------------

struct InkBox {
    uint32_t id;
    int x_first, y_first, x_last, y_last;
};

TEST_F(PointersArt, SpriteBarsLieWhereTheTextureTurnsAbout) {
    for (const InkBox& b :
         {InkBox{0x5100, 118, 110, 137, 146}, InkBox{0x5200, 127, 110, 128, 146}}) {
        SCOPED_TRACE(::testing::Message() << "bitmap 0x" << std::hex << b.id);
        const IndexedImage& img = bitmap(b.id);
        int x0 = img.width, y0 = img.height, x1 = -1, y1 = -1;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                if (inked(img, x, y)) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y);
                    x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        EXPECT_EQ(x0, b.x_first);
        EXPECT_EQ(y0, b.y_first);
        EXPECT_EQ(x1, b.x_last);
        EXPECT_EQ(y1, b.y_last);
        // The bar itself runs the whole length, through the texture point (128, 128).
        for (int y = b.y_first; y <= b.y_last; ++y)
            EXPECT_TRUE(inked(img, 127, y) && inked(img, 128, y)) << y;
    }
    // The arrow points up: its widest row is at the top end of the bar.
    const IndexedImage& arrow = bitmap(0x5100);
    EXPECT_TRUE(inked(arrow, 118, 121) && inked(arrow, 137, 121));
    EXPECT_FALSE(inked(arrow, 118, 112) || inked(arrow, 118, 140));
}

TEST_F(PointersArt, WindowsAreOneDiscInsideTheirSquare) {
    const IndexedImage& w = bitmap(0x5103);
    const IndexedImage& w2 = bitmap(0x5203);
    ASSERT_EQ(w.width, w2.width);
    ASSERT_EQ(w.height, w2.height);
    EXPECT_EQ(w.to_rgb(), w2.to_rgb());
    for (int y = 0; y < w.height; ++y)
        for (int x = 0; x < w.width; ++x) {
            const double r = std::hypot(x + 0.5 - 61.5, y + 0.5 - 61.5);
            if (r < 60.5) {
                ASSERT_EQ(w.at(x, y), kWindow) << x << "," << y;
            } else if (r > 62.0) {
                ASSERT_EQ(w.at(x, y), kBlack) << x << "," << y;
            }
        }
}

// ---- symbols and labels -------------------------------------------------------------------------

TEST_F(PointersArt, IconStatesShareTheirPalette) {
    const std::vector<std::vector<uint32_t>> icons = {
        {0x4010, 0x4013}, {0x4013, 0x4016}, {0x4000, 0x4003}, {0x4002, 0x4005}};
    for (const auto& states : icons)
        for (uint32_t id : states)
            EXPECT_EQ(bitmap(id).palette, bitmap(states.front()).palette)
                << std::hex << id << " and " << states.front();
}

// The labels spell "VOR 1", "ADF 1", "ADF 2" and "VOR 2" in one pixel font: the two VOR labels
// agree but for the digit, as do the two ADF labels, and each digit differs.
TEST_F(PointersArt, LabelsOfOneSourceDifferOnlyInTheirDigit) {
    auto columns_equal = [](const IndexedImage& a, const IndexedImage& b, int x0, int x1) {
        for (int y = 0; y < a.height; ++y)
            for (int x = x0; x <= x1; ++x)
                if (inked(a, x, y) != inked(b, x, y)) return false;
        return true;
    };
    const IndexedImage& vor1 = bitmap(0x4000);
    const IndexedImage& vor2 = bitmap(0x4005);
    const IndexedImage& adf1 = bitmap(0x4003);
    const IndexedImage& adf2 = bitmap(0x4002);
    EXPECT_TRUE(columns_equal(vor1, vor2, 0, 14));   // "VOR "
    EXPECT_FALSE(columns_equal(vor1, vor2, 15, 23));  // "1" and "2"
    EXPECT_TRUE(columns_equal(adf1, adf2, 0, 14));   // "ADF "
    EXPECT_FALSE(columns_equal(adf1, adf2, 15, 23));
    EXPECT_FALSE(columns_equal(vor1, adf1, 0, 14));
    // Crisp text on rows 0..6, the bottom row left free above the identifier under it.
    for (const IndexedImage* label : {&vor1, &vor2, &adf1, &adf2}) {
        EXPECT_TRUE(row_inked(*label, 0));
        EXPECT_TRUE(row_inked(*label, 6));
        EXPECT_FALSE(row_inked(*label, 7));
    }
}

TEST_F(PointersArt, SmallSymbolsPointUpFromTheirPivot) {
    // Wind arrow: the stem passes the pivot (2,6) on every row, under a head 5 wide.
    const IndexedImage& wind = bitmap(0x5400);
    for (int y = 0; y < wind.height; ++y) EXPECT_TRUE(inked(wind, 2, y)) << y;
    EXPECT_TRUE(inked(wind, 0, 2) && inked(wind, 4, 2));
    EXPECT_FALSE(inked(wind, 0, 8) || inked(wind, 4, 8));
    // Heading index: a stem over a 3-pixel-wide block at the bottom.
    const IndexedImage& index = bitmap(0x5410);
    EXPECT_EQ(index.at(1, 0), kYellow);
    EXPECT_EQ(index.at(0, 0), kYellowDim);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(index.at(x, 10), kYellow) << x;
    // Aircraft: nose up, the wings across rows 7-8 and the tailplane across 15-16 wider than
    // the fuselage, the widest rows the wings.
    const IndexedImage& aircraft = bitmap(0x5030);
    auto width_of_row = [&](int y) {
        int n = 0;
        for (int x = 0; x < aircraft.width; ++x) n += inked(aircraft, x, y);
        return n;
    };
    int fuselage = width_of_row(4), widest = 0;
    for (int y = 0; y < aircraft.height; ++y) widest = std::max(widest, width_of_row(y));
    EXPECT_EQ(width_of_row(7), widest);
    EXPECT_EQ(width_of_row(8), widest);
    EXPECT_GT(width_of_row(15), fuselage);
    EXPECT_GT(width_of_row(16), fuselage);
    EXPECT_LT(width_of_row(15), widest);
    EXPECT_LT(width_of_row(0), fuselage);  // the nose
}

}  // namespace
