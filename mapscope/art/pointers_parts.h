// The pointers and symbols of the navigation display, picture by picture: what the files
// pointers_*.cpp, symbols_*.cpp and sprites_*.cpp share.
//
// Needle bitmaps turn about their pivot pixel's centre, so a pointer's axis runs down the
// middle of its pivot column: x = 5.5 for the arc and rose bearing pointers (pivot column 5),
// x = 12.5 for the course pointers (pivot column 12).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "mapscope/art/mapscope_art.h"

namespace mapscope_art {

// Colours of the symbology.
constexpr art::Color kWhite = art::grey(255);
constexpr art::Color kGreen = art::rgb(0, 255, 0);        // ADF data
constexpr art::Color kCyan = art::rgb(0, 255, 255);       // VOR 1 course, flag word 0x80
constexpr art::Color kMagenta = art::rgb(255, 0, 255);    // VOR 1 course otherwise
constexpr art::Color kWindGreen = art::rgb(60, 252, 60);  // the wind arrow
constexpr art::Color kIndexYellow = art::rgb(255, 255, 0);
constexpr art::Color kIndexYellowDim = art::rgb(128, 128, 0);
constexpr art::Color kWindowColor = art::rgb(1, 1, 1);    // the sprites' round windows

// ---- pixel pictures (symbols_pixel.cpp) ---------------------------------------------------

// One character of a pixel picture and the colour it stands for.
struct PixelInk {
    char key;
    art::Color color;
};

// A picture drawn pixel by pixel: one string a row, top row first, one character a pixel; '.'
// stays see-through, every other character must be one of `inks`. Raises std::logic_error for
// rows of different widths or an unknown character.
art::Canvas pixel_art(const std::vector<std::string_view>& rows,
                      const std::vector<PixelInk>& inks);

// Text in the display's small pixel font (capitals A D F O R V, digits 1 and 2, space), one
// pixel a dot, glyphs 7 rows tall on rows 0..6, one blank column between glyphs; centred across
// a canvas of `width` x 8 (left-biased by half a pixel when the widths leave an odd margin).
// Raises std::logic_error for a character the font lacks or text wider than the canvas.
art::Canvas pixel_label(std::string_view text, art::Color color, int width);

// ---- the pictures --------------------------------------------------------------------------

// Arc-mode bearing pointers (pointers_bearing.cpp): 9 x 33 (VOR) or 11 x 33 (ADF), from radius
// 130 at the top row to radius 97 at the bottom.
art::Canvas arc_vor1_head();  // 0x3010
art::Canvas arc_vor1_tail();  // 0x3020
art::Canvas arc_vor2_head();  // 0x3011
art::Canvas arc_vor2_tail();  // 0x3021
art::Canvas arc_adf_head();   // 0x3030
art::Canvas arc_adf_tail();   // 0x3040

// Rose-mode bearing pointers (pointers_bearing.cpp): 9 x 125 and 11 x 125, the head at the top.
art::Canvas rose_vor2_pointer();  // 0x5303
art::Canvas rose_adf_pointer();   // 0x5304

// Course and deviation symbols (sprites_course.cpp).
art::Canvas course_pointer(art::Color color);  // 0x5300 cyan, 0x5301 magenta, 26 x 125
art::Canvas deviation_dots();                   // 0x5302, 63 x 4
art::Canvas deviation_arrow_texture();          // 0x5100, 256 x 256
art::Canvas deviation_bar_texture();            // 0x5200, 256 x 256
art::Canvas sprite_window();                    // 0x5103 and 0x5203, 123 x 123

// Small symbols (symbols_small.cpp).
art::Canvas vor1_symbol();     // 0x4010, 7 x 16
art::Canvas adf_symbol();      // 0x4013, 7 x 16
art::Canvas vor2_symbol();     // 0x4016, 7 x 16
art::Canvas wind_arrow();      // 0x5400, 5 x 12
art::Canvas heading_index();   // 0x5410, 3 x 11
art::Canvas aircraft_symbol(); // 0x5030, 20 x 20

}  // namespace mapscope_art
