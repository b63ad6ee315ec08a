// The artwork generator of the navigation display: the drawing parts and the geometry they share.
//
// Screen coordinates are those of the 189 x 181 screen bitmap. The arc mode turns everything
// about the aircraft position near the bottom; the rose mode about the rose centre.
#pragma once

#include "tools/art/gauge_art.h"

namespace mapscope_art {

// Screen size.
constexpr int kScreenWidth = 189, kScreenHeight = 181;

// Arc mode: the centre everything turns about, and the radii of the range arcs (outermost first;
// the heading scale stands on the outermost).
constexpr art::Point kArcCentre{94, 175};
constexpr double kArcRadius[4] = {130, 102, 74, 46};
constexpr double kHeadingArcRadius = kArcRadius[0];

// The arc overlay 0x5000 sits at (kOverlayX, kOverlayY) on the screen; its arcs are about the
// same screen point.
constexpr int kOverlayX = 0, kOverlayY = 45;
constexpr art::Point kOverlayArcCentre{kArcCentre.x - kOverlayX, kArcCentre.y - kOverlayY};

// Rose mode: the rose centre on the screen.
constexpr art::Point kRoseCentre{92, 99};

// The screen colour (not see-through) and the aircraft symbol's yellow.
constexpr art::Color kScreenColor = art::rgb(8, 8, 8);
constexpr art::Color kAircraftYellow = art::rgb(252, 252, 0);

// The screen, the selector switches, the mode knob, the arc overlay, the heading labels, the
// corner masks and the compass rose.
void draw_screen_and_scale(art::ResourceWriter& out);
// The arc and rose pointers, the course and deviation symbols, the sprite textures and windows,
// the wind arrow, the heading index, the aircraft and the label and pointer symbols.
void draw_pointers_and_symbols(art::ResourceWriter& out);

}  // namespace mapscope_art
