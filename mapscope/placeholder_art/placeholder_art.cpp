// mapscope_placeholder_art OUTDIR: flat-coloured bitmaps with the ids and sizes of the
// navigation display, and their resources.list.
#include <cstdio>
#include <exception>

#include "tools/art/gauge_art.h"

namespace {

struct Bitmap {
    uint32_t id;
    int width, height;
};

constexpr Bitmap kBitmaps[] = {
    {0x1000, 189, 181}, {0x5000, 189, 136}, {0x3000, 40, 54},   {0x3001, 40, 54},
    {0x5020, 161, 161}, {0x3010, 9, 33},    {0x3020, 9, 33},    {0x3011, 9, 33},
    {0x3021, 9, 33},    {0x3030, 11, 33},   {0x3040, 11, 33},   {0x3050, 21, 11},
    {0x3053, 21, 11},   {0x5010, 25, 24},   {0x5013, 25, 24},   {0x5016, 25, 24},
    {0x5100, 256, 256}, {0x5103, 123, 123}, {0x5200, 256, 256}, {0x5203, 123, 123},
    {0x5300, 26, 125},  {0x5301, 26, 125},  {0x5302, 63, 4},    {0x5303, 9, 125},
    {0x5304, 11, 125},  {0x5030, 20, 20},   {0x4010, 7, 16},    {0x4013, 7, 16},
    {0x4016, 7, 16},    {0x4000, 24, 8},    {0x4003, 24, 8},    {0x4002, 24, 8},
    {0x4005, 24, 8},    {0x5400, 5, 12},    {0x5410, 3, 11},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mapscope_placeholder_art OUTDIR\n");
        return 2;
    }
    try {
        art::ResourceWriter out(argv[1], "mapscope");
        for (const Bitmap& b : kBitmaps)
            out.add_bitmap(b.id, art::Canvas(b.width, b.height, art::rgb(8 + (b.id & 0x7f), 90, 140)));
        for (uint32_t id = 0x2000; id <= 0x2023; ++id)
            out.add_bitmap(id, art::Canvas(15, 18, art::rgb(200, 200, 200)));
        out.write_list();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapscope_placeholder_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
