// Strings: colours in the 0x00BBGGRR order, placement in the box, the degree sign, clipping to
// the box and the frame, and the fall-back when a font file is missing.
#include "host/raster_text.h"
#include "tests/raster/raster_support.h"

#include <algorithm>

using namespace raster_test;

namespace {

constexpr Rgba kSentinel{255, 0, 255, 255};  // never a text or background colour here
constexpr Rgba kScreen{8, 8, 8, 255};

TextStyle style(const char* face, uint32_t fg = 0x00FF00, uint32_t bg = 0x080808,
                uint32_t format = 0x25) {
    TextStyle s;
    s.font_face = face;
    s.foreground = fg;
    s.background = bg;
    s.format = format;
    return s;
}

struct Box {
    int x, y, w, h;
};

// Draws into a sentinel-filled frame and returns the ink over the background inside the box.
Ink draw_and_measure(Frame& frame, const TextStyle& s, Box b, const char* text) {
    draw_text(frame, s, b.x, b.y, b.w, b.h, text);
    Frame inside = make_frame(b.w, b.h, b.x, b.y, kSentinel);
    inside.image = crop(frame, b.x, b.y, b.w, b.h);
    const Rgba bg{uint8_t(s.background), uint8_t(s.background >> 8), uint8_t(s.background >> 16), 255};
    return measure_ink(inside, bg);
}

const char* const kFaces[] = {"Arial", "Small Fonts"};

}  // namespace

TEST(Text, ColoursAreReadWithRedInTheLowByte) {
    struct Colour {
        uint32_t colour;
        Rgba rgb;
    };
    const Colour colours[] = {{0x00FF00, {0, 255, 0, 255}},
                              {0x0000FF, {255, 0, 0, 255}},
                              {0xFF0000, {0, 0, 255, 255}}};
    // Small boxes are drawn without anti-aliasing (only the two colours appear), larger outline
    // text is smoothed (blends between them appear as well).
    struct Font {
        const char* face;
        int box_height;
        bool smooth;
    };
    const Font fonts[] = {{"Small Fonts", 8, false}, {"Arial", 8, false}, {"Arial", 24, true}};
    for (const Font& font : fonts) {
        for (const Colour& c : colours) {
            const Box box{9, 6, 90, font.box_height};
            Frame frame = make_frame(110, 40, 0, 0, kSentinel);
            draw_text(frame, style(font.face, c.colour), box.x, box.y, box.w, box.h, "GS450");
            int full = 0, blended = 0;
            for (int y = box.y; y < box.y + box.h; ++y)
                for (int x = box.x; x < box.x + box.w; ++x) {
                    const Rgba p = panel_pixel(frame, x, y);
                    // Every pixel lies between the screen grey and the text colour.
                    for (auto [got, fg] : {std::pair{p.r, c.rgb.r}, {p.g, c.rgb.g}, {p.b, c.rgb.b}})
                        ASSERT_TRUE(got >= std::min<int>(8, fg) && got <= std::max<int>(8, fg))
                            << font.face << " (" << x << "," << y << ")";
                    full += p == c.rgb;
                    blended += !(p == c.rgb) && !(p == kScreen);
                }
            EXPECT_GT(full, 10) << font.face << " " << font.box_height;
            EXPECT_EQ(blended > 0, font.smooth) << font.face << " " << font.box_height;
        }
    }
}

TEST(Text, CentredInTheBoxBothWays) {
    const Box box{46, 6, 39, 8};
    for (const char* face : kFaces) {
        for (const char* text : {"0", "TAS100", "88:88", "NM"}) {
            Frame frame = make_frame(100, 30, 0, 0, kSentinel);
            const Ink ink = draw_and_measure(frame, style(face), box, text);
            ASSERT_GT(ink.count, 0) << face << " " << text;
            const int left = ink.x0 - box.x, right = box.x + box.w - ink.x1;
            const int top = ink.y0 - box.y, bottom = box.y + box.h - ink.y1;
            EXPECT_LE(std::abs(left - right), 2) << face << " " << text;
            EXPECT_LE(std::abs(top - bottom), 1) << face << " " << text;
            EXPECT_GE(std::min(top, bottom), 0) << face << " " << text;
        }
    }
}

TEST(Text, LeftTopAndRightAlignment) {
    const Box box{10, 10, 48, 8};
    for (const char* face : kFaces) {
        Frame left_frame = make_frame(80, 30, 0, 0, kSentinel);
        const Ink left = draw_and_measure(left_frame, style(face, 0xFFFFFF, 0, 0x20), box, "12");
        EXPECT_LE(left.x0 - box.x, 1) << face;
        EXPECT_EQ(left.y0, box.y) << face;  // digits start at the top edge
        Frame right_frame = make_frame(80, 30, 0, 0, kSentinel);
        const Ink right = draw_and_measure(right_frame, style(face, 0xFFFFFF, 0, 0x22), box, "12");
        EXPECT_LE(box.x + box.w - right.x1, 1) << face;
    }
}

TEST(Text, DegreeSignRenders) {
    const Box box{145, 6, 26, 8};
    for (const char* face : kFaces) {
        Frame alone = make_frame(189, 30, 0, 0, kSentinel);
        const Ink degree = draw_and_measure(alone, style(face), box, "\xB0");
        ASSERT_GT(degree.count, 0) << face;
        EXPECT_LE(degree.y1, box.y + box.h / 2 + 1) << face;  // a small ring high in the line
        Frame course = make_frame(189, 30, 0, 0, kSentinel), digits = course;
        const Ink with = draw_and_measure(course, style(face), box, "090\xB0");
        const Ink without = draw_and_measure(digits, style(face), box, "090");
        EXPECT_GT(with.x1 - with.x0, without.x1 - without.x0) << face;
    }
}

TEST(Text, NeverDrawsOutsideTheBox) {
    struct Case {
        const char* text;
        uint32_t format;
        int origin_x, origin_y;
        Box box;
    };
    const Case cases[] = {
        {"WWWWWWWWWWWWWWWW", 0x25, 0, 0, {20, 10, 26, 8}},
        {"WWWWWWWWWWWWWWWW", 0x20, 0, 0, {20, 10, 26, 8}},
        {"A\nB\nC\nD", 0x0, 0, 0, {20, 10, 26, 8}},
        {"1000.5 NM", 0x25, -10, -12, {-14, -15, 20, 8}},   // over the top-left corner
        {"1000.5 NM", 0x25, 0, 0, {55, 25, 20, 8}},         // over the bottom-right corner
        {"gjpqy|_", 0x25, 0, 0, {20, 10, 26, 4}},          // descenders in a flat box
    };
    for (const char* face : kFaces) {
        for (const Case& c : cases) {
            Frame frame = make_frame(70, 30, c.origin_x, c.origin_y, kSentinel);
            draw_text(frame, style(face, 0xFFFFFF, 0x102030, c.format), c.box.x, c.box.y,
                      c.box.w, c.box.h, c.text);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 70; ++x) {
                    const int px = x + c.origin_x, py = y + c.origin_y;
                    const bool in_box = px >= c.box.x && px < c.box.x + c.box.w &&
                                        py >= c.box.y && py < c.box.y + c.box.h;
                    ASSERT_EQ(frame.image.at(x, y) == kSentinel, !in_box)
                        << face << " '" << c.text << "' (" << px << "," << py << ")";
                }
        }
    }
}

TEST(Text, EmptyTextFillsTheBackground) {
    for (const char* text : {"", static_cast<const char*>(nullptr), "\r\n\t"}) {
        Frame frame = make_frame(40, 20, 0, 0, kSentinel);
        draw_text(frame, style("Small Fonts", 0xFFFFFF, 0x080808), 5, 5, 20, 8, text);
        const Ink ink = measure_ink(frame, kSentinel);
        EXPECT_EQ(ink.count, 20 * 8);
        EXPECT_EQ(panel_pixel(frame, 10, 8), kScreen);
    }
    Frame frame = make_frame(40, 20, 0, 0, kSentinel);
    draw_text(frame, style("Arial"), 5, 5, 0, 8, "12");
    draw_text(frame, style("Arial"), 5, 5, 20, -3, "12");
    EXPECT_EQ(measure_ink(frame, kSentinel).count, 0);
}

TEST(Text, CodePageBytesBeyondAscii) {
    // The euro sign (0x80 in the code page) and Latin-1 letters have glyphs in the sans face;
    // undefined bytes draw something or nothing, never out of the box.
    const Box box{5, 5, 30, 8};
    for (const char* text : {"\x80", "\xC4\xE9", "\x81\x8D\x8F\x90\x9D"}) {
        Frame frame = make_frame(40, 20, 0, 0, kSentinel);
        const Ink ink = draw_and_measure(frame, style("Arial"), box, text);
        if (text[0] != '\x81') {
            EXPECT_GT(ink.count, 0) << int(uint8_t(text[0]));
        }
        EXPECT_EQ(measure_ink(frame, kSentinel).count, box.w * box.h);
    }
}

TEST(Text, MissingFontFileFallsBackWithOneMessage) {
    const std::string sans = font_file_for("Arial", 400);
    ASSERT_FALSE(sans.empty());
    set_font_files(FontRole::pixel, {"/nonexistent/fonts/5x7.pcf.gz"});
    testing::internal::CaptureStderr();
    Frame frame = make_frame(60, 20, 0, 0, kSentinel);
    const Ink first = draw_and_measure(frame, style("Small Fonts"), {5, 5, 40, 8}, "TAS100");
    draw_and_measure(frame, style("Small Fonts"), {5, 5, 40, 8}, "TAS101");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_GT(first.count, 0);
    EXPECT_EQ(font_file_for("Small Fonts", 400), sans);
    size_t mentions = 0;
    for (size_t at = said.find("/nonexistent/fonts/5x7.pcf.gz"); at != std::string::npos;
         at = said.find("/nonexistent/fonts/5x7.pcf.gz", at + 1))
        ++mentions;
    EXPECT_EQ(mentions, 1u) << said;

    // With no font at all the box shows its background and nothing else.
    set_font_files(FontRole::sans, {"/nonexistent/fonts/sans.ttf"});
    set_font_files(FontRole::sans_bold, {"/nonexistent/fonts/sans-bold.ttf"});
    testing::internal::CaptureStderr();
    Frame bare = make_frame(60, 20, 0, 0, kSentinel);
    const Ink none = draw_and_measure(bare, style("Arial"), {5, 5, 40, 8}, "GS450");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(measure_ink(bare, kSentinel).count, 40 * 8);

    for (FontRole role : {FontRole::pixel, FontRole::sans, FontRole::sans_bold})
        set_font_files(role, {});
    EXPECT_EQ(font_file_for("Arial", 400), sans);
}
