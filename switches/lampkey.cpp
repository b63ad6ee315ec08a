// "Panel.toggle.32": a square push button with a round lamp above it. Each click switches panel
// window 32 and flips the lamp between dark and lit; the picture follows at the next update.
#include "framework/element_helpers.h"
#include "framework/module.h"

namespace {

constexpr int32_t kLampWindow = 32;

// 0 = lamp dark, 1 = lamp lit. Counts the clicks since load, modulo 2; install and kill leave it.
int32_t lamp_state = 0;

double GAUGE_CALL lamp_icon_update(ModuleVariable* /*source*/) {
    return lamp_state == 0 ? 0.0 : 1.0;
}

int32_t GAUGE_CALL lamp_click(int32_t /*a*/, int32_t /*b*/) {
    if (lamp_state == 0)
        lamp_state = 1;
    else if (lamp_state == 1)
        lamp_state = 0;
    return panel_services()->SwitchPanelWindow(kLampWindow);
}

}  // namespace

extern GaugeHeader lamp_gauge;
extern MouseRect lamp_mouse[];

IconElement lamp_icon = {
    element_header(kElementIcon, 0x2000, {0, 0}, {0, 0}, &lamp_gauge, nullptr, nullptr, 0),
    module_variable(0), &lamp_icon_update, 2, {0, 0}};

ElementHeader* lamp_root_children[] = {&lamp_icon.header, nullptr};

ElementHeader lamp_root = element_header(kElementStatic, 0x1000, {0, 0}, {0, 0}, &lamp_gauge,
                                         lamp_root_children, nullptr, kImageTransparent);
ElementHeader* lamp_root_slot = &lamp_root;

// The box stops two rows short of the bitmap's 128: the bottom edge does not react.
MouseRect lamp_mouse[] = {
    mouse_parent(),
    mouse_child(0, 0, 112, 126, &lamp_click),
    mouse_end_parent(),
    mouse_end(),
};

GaugeHeader lamp_gauge =
    standard_gauge_header<&lamp_gauge, lamp_mouse>("Panel.toggle.32", &lamp_root_slot, 112);

GAUGE_MODULE_LINKAGE(lamp_gauge);
