// The screen, the selector switches, the mode knob, the arc overlay, the heading labels, the
// corner masks and the compass rose.
#include "mapscope/art/mapscope_art.h"

namespace mapscope_art {

void draw_screen_and_scale(art::ResourceWriter& out) {
    (void)out;
}

}  // namespace mapscope_art
