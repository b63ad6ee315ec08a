// The horn gauge's bitmaps: the plate and the lever in its three positions.
#pragma once

#include "tools/art/canvas.h"

namespace horn_art {

// Where the lever pivots, in plate pixels: the centre of the boss. The lever bitmaps are drawn
// about it (each at its own position on the plate).
constexpr double kPivotX = 20.0, kPivotY = 35.5;

art::Canvas plate_picture();          // 0x1000, 72 x 66
art::Canvas lever_up_picture();       // 0x2000, 17 x 56, placed at (10, 11)
art::Canvas lever_centred_picture();  // 0x2003, 14 x 15, placed at (13, 28)
art::Canvas lever_down_picture();     // 0x2006, 18 x 56, placed at (9, 9)

}  // namespace horn_art
