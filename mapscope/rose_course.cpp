// The rose display's picture of VOR 1 over the turning compass rose: course pointer, deviation
// bar (a sprite seen through a round window) and deviation dots, in cyan or magenta by VOR 1's
// flag word; the VOR 2 and ADF bearing pointers; the aircraft symbol at the centre. In the arc
// display all of these hide and a small heading index stands at the top of the arc.
#include "framework/module.h"
#include "mapscope/display_state.h"

namespace mapscope {

namespace {

constexpr int32_t kCyanFlagWord = 0x80;  // exactly this selects the cyan set

bool rose_display() { return rose_mode == 1; }

// Course relative to the heading, degrees clockwise, not wrapped (-360 to 360).
double relative_course(const ModuleVariable* course) { return course->value.number - heading(); }

}  // namespace

double GAUGE_CALL heading_index_update(ModuleVariable* /*source*/) {
    return rose_mode == 0 ? 0.0 : -1.0;
}

double GAUGE_CALL aircraft_symbol_update(ModuleVariable* /*source*/) {
    return rose_display() ? 0.0 : -1.0;
}

// Course pointers and the magenta bar's rotation: the angle only; their visibility is
// course_set_update's alone, so the order of the routines in a pass does not matter.
double GAUGE_CALL course_angle_update(ModuleVariable* course) { return relative_course(course); }

double GAUGE_CALL deviation_scale_update(ModuleVariable* course) {
    set_hidden(deviation_dots.header, !(rose_display() && vor1_usable()));
    return relative_course(course);
}

// Bearings relative to the nose, turning freely through the whole circle.
double GAUGE_CALL rose_vor2_pointer_update(ModuleVariable* bearing) {
    set_hidden(rose_vor2_pointer.header, !(rose_display() && vor2_usable_var.value.number >= 1.0));
    return bearing->value.number;
}

double GAUGE_CALL rose_adf_pointer_update(ModuleVariable* bearing) {
    set_hidden(rose_adf_pointer.header, !(rose_display() && adf_usable()));
    return bearing->value.number;
}

// Sideways deflection, scaled to pixels by the channel factor (127 moves the bar 32.5 pixels).
double GAUGE_CALL deviation_offset_update(ModuleVariable* deviation) {
    return deviation->value.number;
}

// Rotation channel of the cyan bar; also picks the course set. Refreshes the flag word first so
// that it is current rather than the one the last display update left.
double GAUGE_CALL course_set_update(ModuleVariable* course) {
    panel_services()->RefreshModuleVariable(&vor1_flags_var);
    int32_t flags = vor1_flags_var.value.integer;
    bool shown = rose_display() && vor1_usable();
    bool cyan = shown && flags == kCyanFlagWord;
    bool magenta = shown && flags != kCyanFlagWord;
    set_hidden(cyan_course_pointer.header, !cyan);
    set_hidden(cyan_deviation_bar.header, !cyan);
    set_hidden(magenta_deviation_bar.header, !magenta);
    set_hidden(magenta_course_pointer.header, !magenta);
    return relative_course(course);
}

}  // namespace mapscope
