// Pictures drawn pixel by pixel, and the small pixel font of the source labels: at 7 or 8
// pixels a character, outlines would only blur.
#include <stdexcept>
#include <string>

#include "mapscope/art/pointers_parts.h"

namespace mapscope_art {

art::Canvas pixel_art(const std::vector<std::string_view>& rows,
                      const std::vector<PixelInk>& inks) {
    const int height = int(rows.size());
    const int width = rows.empty() ? 0 : int(rows.front().size());
    art::Canvas c(width, height);
    for (int y = 0; y < height; ++y) {
        if (int(rows[y].size()) != width)
            throw std::logic_error("pixel_art: row " + std::to_string(y) + " is " +
                                   std::to_string(rows[y].size()) + " pixels wide, not " +
                                   std::to_string(width));
        for (int x = 0; x < width; ++x) {
            const char key = rows[y][x];
            if (key == '.') continue;
            const PixelInk* ink = nullptr;
            for (const PixelInk& i : inks)
                if (i.key == key) ink = &i;
            if (!ink)
                throw std::logic_error(std::string("pixel_art: no colour for '") + key + "'");
            c.set_pixel(x, y, ink->color);
        }
    }
    return c;
}

namespace {

constexpr int kLabelHeight = 8;
constexpr int kGlyphHeight = 7;

struct Glyph {
    char character;
    std::string_view rows[kGlyphHeight];  // all rows of one glyph equally wide
};

// Capitals 4 pixels wide, the one 3; the space is 2 blank columns (4 with its neighbours'
// spacing), so "VOR 1" takes 21 columns and "ADF 2" 22.
constexpr Glyph kFont[] = {
    {'A', {".XX.", "X..X", "X..X", "XXXX", "X..X", "X..X", "X..X"}},
    {'D', {"XXX.", "X..X", "X..X", "X..X", "X..X", "X..X", "XXX."}},
    {'F', {"XXXX", "X...", "X...", "XXX.", "X...", "X...", "X..."}},
    {'O', {".XX.", "X..X", "X..X", "X..X", "X..X", "X..X", ".XX."}},
    {'R', {"XXX.", "X..X", "X..X", "XXX.", "X.X.", "X..X", "X..X"}},
    {'V', {"X..X", "X..X", "X..X", "X..X", "X..X", ".XX.", ".XX."}},
    {'1', {".X.", "XX.", ".X.", ".X.", ".X.", ".X.", "XXX"}},
    {'2', {".XX.", "X..X", "...X", "..X.", ".X..", "X...", "XXXX"}},
    {' ', {"..", "..", "..", "..", "..", "..", ".."}},
};

const Glyph& glyph(char c) {
    for (const Glyph& g : kFont)
        if (g.character == c) return g;
    throw std::logic_error(std::string("pixel_label: the font has no '") + c + "'");
}

}  // namespace

art::Canvas pixel_label(std::string_view text, art::Color color, int width) {
    int text_width = 0;
    for (char ch : text) text_width += int(glyph(ch).rows[0].size()) + 1;
    if (text_width > 0) --text_width;  // no spacing after the last glyph
    if (text_width > width)
        throw std::logic_error("pixel_label: \"" + std::string(text) + "\" is wider than " +
                               std::to_string(width) + " pixels");
    art::Canvas c(width, kLabelHeight);
    int x0 = (width - text_width) / 2;
    for (char ch : text) {
        const Glyph& g = glyph(ch);
        const int w = int(g.rows[0].size());
        for (int y = 0; y < kGlyphHeight; ++y)
            for (int x = 0; x < w; ++x)
                if (g.rows[y][x] == 'X') c.set_pixel(x0 + x, y, color);
        x0 += w + 1;
    }
    return c;
}

}  // namespace mapscope_art
