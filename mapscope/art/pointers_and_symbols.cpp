// Writes the pointers and symbols: every bitmap of the display apart from the screen, its
// switches and knob, and the heading scale with its overlay, masks and rose.
#include "mapscope/art/pointers_parts.h"

namespace mapscope_art {

namespace {

// The states of one icon show equal pixels equally only on one palette.
void add_icon_states(art::ResourceWriter& out, const std::vector<uint32_t>& ids,
                     const std::vector<art::Canvas>& pictures) {
    std::vector<const art::Canvas*> canvases;
    for (const art::Canvas& c : pictures) canvases.push_back(&c);
    std::vector<art::IndexedImage> images = art::finish_together(canvases);
    for (size_t i = 0; i < ids.size(); ++i) out.add_bitmap(ids[i], images[i]);
}

}  // namespace

void draw_pointers_and_symbols(art::ResourceWriter& out) {
    // Arc display: bearing pointers at the rim of the arc, and the heading index.
    out.add_bitmap(0x3010, arc_vor1_head());
    out.add_bitmap(0x3020, arc_vor1_tail());
    out.add_bitmap(0x3011, arc_vor2_head());
    out.add_bitmap(0x3021, arc_vor2_tail());
    out.add_bitmap(0x3030, arc_adf_head());
    out.add_bitmap(0x3040, arc_adf_tail());
    out.add_bitmap(0x5410, heading_index());

    // Bottom corners. Icon 0x4010 shows 0x4010 or 0x4013 and icon 0x4013 shows 0x4013 or
    // 0x4016: the green ADF symbol 0x4013 belongs to both, so the three share one palette, as
    // do the four labels of the two label icons (0x4000/0x4003 and 0x4002/0x4005).
    add_icon_states(out, {0x4010, 0x4013, 0x4016}, {vor1_symbol(), adf_symbol(), vor2_symbol()});
    add_icon_states(out, {0x4000, 0x4003, 0x4002, 0x4005},
                    {pixel_label("VOR 1", kWhite, 24), pixel_label("ADF 1", kGreen, 24),
                     pixel_label("ADF 2", kGreen, 24), pixel_label("VOR 2", kWhite, 24)});

    // Top left: the wind arrow.
    out.add_bitmap(0x5400, wind_arrow());

    // Rose display: the course set, the deviation dots, the bearing pointers and the aircraft.
    out.add_bitmap(0x5300, course_pointer(kCyan));
    out.add_bitmap(0x5301, course_pointer(kMagenta));
    out.add_bitmap(0x5302, deviation_dots());
    out.add_bitmap(0x5303, rose_vor2_pointer());
    out.add_bitmap(0x5304, rose_adf_pointer());
    out.add_bitmap(0x5030, aircraft_symbol());

    // The deviation bar sprites and their windows (each at the sprite's id + 3).
    const art::Canvas window = sprite_window();
    out.add_bitmap(0x5100, deviation_arrow_texture());
    out.add_bitmap(0x5103, window);
    out.add_bitmap(0x5200, deviation_bar_texture());
    out.add_bitmap(0x5203, window);
}

}  // namespace mapscope_art
