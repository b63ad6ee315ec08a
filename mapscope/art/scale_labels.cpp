// Heading labels 0x2000 to 0x2023, 15 x 18 each, white on see-through black.
//
// The host turns a label about the bitmap point (8,148), placed on the arc centre: column 8 is
// the label's axis and its bottom edge lies on the outside of the heading arc. The digits are
// centred on that column, with a tick under them in column 8 standing on the arc. Labels of
// multiples of 30 degrees are larger.
#include <string>

#include "mapscope/art/screen_parts.h"

namespace mapscope_art {

namespace {

using namespace art;

constexpr int kLabelWidth = 15, kLabelHeight = 18;
constexpr int kAxisColumn = 8;
constexpr int kTickFirstRow = 14;      // the tick: rows 14..17 of the axis column
constexpr int kDigitsBottom = 13;      // the digits' ink ends above this row

Canvas draw_label(int heading) {
    const bool large = heading % 30 == 0;
    const std::string text = std::to_string(heading / 10);
    // Tight letter spacing keeps two large digits (13 pixels) inside the columns 2..14 that are
    // symmetric about the axis.
    const TextStyle style{large ? 11.5 : 9.5, FontWeight::Bold, true, -1};
    const TextExtent ink = measure_text(text, style);
    Canvas c(kLabelWidth, kLabelHeight);
    const Point at{kAxisColumn + 0.5, kDigitsBottom - ink.height() / 2.0};
    c.fill(text_mask(kLabelWidth, kLabelHeight, text, at, style), kScaleWhite);
    c.fill_crisp(pixel_rect(kAxisColumn, kTickFirstRow, kAxisColumn, kLabelHeight - 1),
                 kScaleWhite);
    return c;
}

}  // namespace

void draw_heading_labels(ResourceWriter& out) {
    // 0x2000 + k shows the heading 10 (k - 1) degrees, modulo 360: 0x2000 is 350.
    for (int k = 0; k < 36; ++k)
        out.add_bitmap(0x2000 + k, draw_label((10 * (k - 1) + 360) % 360));
}

}  // namespace mapscope_art
