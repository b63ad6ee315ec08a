// The pieces of the screen-and-scale drawings, one file each.
#pragma once

#include "mapscope/art/mapscope_art.h"

namespace mapscope_art {

// Selector switches 0x3050 (knob at the left end) and 0x3053 (at the right end).
void draw_selector_switches(art::ResourceWriter& out);
// Mode knob 0x5010, 0x5013, 0x5016: ridge turned left, upright, turned right.
void draw_mode_knob(art::ResourceWriter& out);
// Heading labels 0x2000 to 0x2023.
void draw_heading_labels(art::ResourceWriter& out);
// Compass rose 0x5020.
void draw_compass_rose(art::ResourceWriter& out);

// White of the scales and arcs.
constexpr art::Color kScaleWhite = art::grey(255);

}  // namespace mapscope_art
