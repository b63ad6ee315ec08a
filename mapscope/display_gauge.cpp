// "Navexa": the navigation display of an airliner cockpit. The gauge header, the install, update
// and kill routines, the three click areas beside the screen with their mode states and
// indicator images, and the twelve module variables.
#include "framework/module.h"
#include "mapscope/display_state.h"

namespace mapscope {

int32_t rose_mode = 0;
int32_t nav1_selector = 0;
int32_t nav2_selector = 0;

constinit ModuleVariable heading_var = module_variable(0x51);
constinit ModuleVariable wind_heading_var = module_variable(0x56);
constinit ModuleVariable vor1_flags_var = module_variable(0x2a);
constinit ModuleVariable vor1_usable_var = module_variable(0x2b);
constinit ModuleVariable adf_usable_var = module_variable(0x14);
constinit ModuleVariable vor1_route_var = module_variable(0x31);
constinit ModuleVariable vor2_usable_var = module_variable(0x3a);
constinit ModuleVariable clock_second_var = module_variable(0x05);
constinit ModuleVariable clock_hour_var = module_variable(0x06);
constinit ModuleVariable clock_minute_var = module_variable(0x07);
constinit ModuleVariable wind_east_var = module_variable(0x159);
constinit ModuleVariable wind_north_var = module_variable(0x15a);

namespace {

constexpr int kModuleVariableCount = 12;

ModuleVariable* const kInitializeOrder[kModuleVariableCount] = {
    &heading_var,     &wind_heading_var, &vor1_flags_var,   &vor1_usable_var,
    &adf_usable_var,  &vor1_route_var,   &vor2_usable_var,  &clock_second_var,
    &clock_hour_var,  &clock_minute_var, &wind_east_var,    &wind_north_var,
};

// Not the order of initialisation: 0x2b and 0x2a come after 0x3a, the minute before the hour.
ModuleVariable* const kRefreshOrder[kModuleVariableCount] = {
    &heading_var,     &wind_heading_var, &adf_usable_var,   &vor1_route_var,
    &vor2_usable_var, &vor1_usable_var,  &vor1_flags_var,   &clock_second_var,
    &clock_minute_var, &clock_hour_var,  &wind_east_var,    &wind_north_var,
};

// 1 if the state is anything but 1, else 0; the states therefore only ever hold 0 and 1.
void flip(int32_t& state) { state = state != 1 ? 1 : 0; }

int32_t GAUGE_CALL rose_mode_click(int32_t /*a*/, int32_t /*b*/) {
    flip(rose_mode);
    return 0;
}

int32_t GAUGE_CALL nav1_selector_click(int32_t /*a*/, int32_t /*b*/) {
    flip(nav1_selector);
    return 0;
}

int32_t GAUGE_CALL nav2_selector_click(int32_t /*a*/, int32_t /*b*/) {
    flip(nav2_selector);
    return 0;
}

// The three areas lie outside the screen, above it and to its right, over the knob and switch
// images; each selector's box starts at its switch image's corner and reaches 4 rows below it.
constinit MouseRect display_mouse[] = {
    mouse_parent(),
    mouse_child(279, -110, 46, 30, &rose_mode_click),
    mouse_child(337, -74, 15, 15, &nav2_selector_click),
    mouse_child(292, -74, 15, 15, &nav1_selector_click),
    mouse_end_parent(),
    mouse_end(),
};

void GAUGE_CALL display_install(void* resources) {
    gauge_install_elements(display_gauge, resources);
    for (ModuleVariable* variable : kInitializeOrder)
        panel_services()->InitializeModuleVariable(variable);
    gauge_install_mouse(display_gauge, display_mouse);
}

void GAUGE_CALL display_update() {
    // The element routines see the variables of the previous update (none refreshed yet in the
    // first update after install).
    gauge_update_elements(display_gauge);
    for (ModuleVariable* variable : kRefreshOrder)
        panel_services()->RefreshModuleVariable(variable);
    // VOR 1 unusable: its arc pointer goes, whatever its routines decided. All 8 bytes are read
    // as a float; the host keeps the high word of an integer value at 0, so this agrees with the
    // integer tests of the readouts.
    if (vor1_usable_var.value.number == 0.0) {
        set_hidden(arc_vor1_head.header, true);
        set_hidden(arc_vor1_tail.header, true);
    }
}

// The kill is the standard one: the mouse list unregistered, then the elements killed.
constexpr auto display_kill = &StandardRoutines<&display_gauge, display_mouse>::kill;

ElementHeader* display_root_slot = &display_root;

}  // namespace

// Mode knob: ridge turned right (0x5016) in the arc display, upright (0x5013) in the rose.
double GAUGE_CALL mode_knob_update(ModuleVariable* /*source*/) {
    return rose_mode == 0 ? 2.0 : 1.0;
}

// Selector switches: knob at the right end (0x3053) while the pointer shows a VOR, at the left
// end (0x3050) while it shows the ADF.
double GAUGE_CALL nav1_selector_update(ModuleVariable* /*source*/) {
    return nav1_selector == 0 ? 1.0 : 0.0;
}

double GAUGE_CALL nav2_selector_update(ModuleVariable* /*source*/) {
    return nav2_selector == 0 ? 0.0 : 1.0;
}

constinit GaugeHeader display_gauge = gauge_header<&display_gauge, display_mouse>(
    "Navexa", &display_root_slot, 189, &display_install, &display_update, display_kill);

}  // namespace mapscope

GAUGE_MODULE_LINKAGE(mapscope::display_gauge);
