// Stands in for the pointer and symbol drawings until they land.
#include "mapscope/art/mapscope_art.h"

namespace mapscope_art {

void draw_pointers_and_symbols(art::ResourceWriter& out) {
    (void)out;
}

}  // namespace mapscope_art
