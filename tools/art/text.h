// Text drawn with FreeType in Liberation Sans (Debian package fonts-liberation2).
//
// Sizes are the font's em size in pixels (a digit of Liberation Sans is about 0.72 em tall).
// Text is UTF-8 ("\u00B0" for the degree sign). Glyphs are hinted and placed on whole pixels, so
// that small text stays sharp; `antialias = false` renders one-bit glyphs, the crisp mode for
// tiny digits. text_path gives the unhinted outlines instead, for text that is to be turned,
// mirrored or scaled like any other path.
//
// Fonts that cannot be opened raise std::runtime_error naming the file.
#pragma once

#include <string>
#include <string_view>

#include "tools/art/geometry.h"
#include "tools/art/mask.h"

namespace art {

enum class FontWeight { Regular, Bold };

enum class TextAnchor {
    Centre,          // the box of the inked pixels is centred on the point, both ways
    BaselineCentre,  // the baseline passes through the point, the advance is centred across
    BaselineLeft,    // the pen starts at the point, on the baseline
};

struct TextStyle {
    double size = 12;  // em size, pixels
    FontWeight weight = FontWeight::Regular;
    bool antialias = true;
    double letter_spacing = 0;  // extra pixels after each character (rounded for masks)
};

// The inked pixels of a text laid out with its pen origin at (0, 0) on the baseline; y grows
// downward, so `top` is negative for text above the baseline. Empty text gives all zeros.
struct TextExtent {
    int left = 0, top = 0, right = 0, bottom = 0;  // ink box, right/bottom exclusive
    int advance = 0;                               // pen movement, whole pixels
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

TextExtent measure_text(std::string_view text, const TextStyle& style);

// The text's coverage on a canvas of width x height, placed at `at` by `anchor`. With
// TextAnchor::Centre the ink box is centred on `at` and then moved to whole pixels (for an
// even/odd ink width, centring in pixels 26..90 means at.x = 58.5).
Mask text_mask(int width, int height, std::string_view text, Point at, const TextStyle& style,
               TextAnchor anchor = TextAnchor::Centre);

// The outlines of the text, placed like text_mask but unhinted and not moved to whole pixels.
Path text_path(std::string_view text, Point at, const TextStyle& style,
               TextAnchor anchor = TextAnchor::Centre);

// The font file used for a weight.
std::string font_file(FontWeight weight);

}  // namespace art
