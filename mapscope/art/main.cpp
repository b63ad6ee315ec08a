// mapscope_art OUTDIR
//
// Writes every bitmap of the navigation display into OUTDIR (which must exist) as
// mapscope_<id>.bmp, and the resources.list naming them.
#include <cstdio>
#include <exception>

#include "mapscope/art/mapscope_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mapscope_art OUTDIR\n");
        return 2;
    }
    try {
        art::ResourceWriter out(argv[1], "mapscope");
        mapscope_art::draw_screen_and_scale(out);
        mapscope_art::draw_pointers_and_symbols(out);
        out.write_list();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapscope_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
