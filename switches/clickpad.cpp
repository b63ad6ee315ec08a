// "Click_Pad": a see-through plate with a small framed button in its top-left corner. A click on
// the button switches panel window 33; the gauge keeps and shows no state.
#include "framework/element_helpers.h"
#include "framework/module.h"

namespace {

constexpr int32_t kPadWindow = 33;

int32_t GAUGE_CALL pad_click(int32_t /*a*/, int32_t /*b*/) {
    return panel_services()->SwitchPanelWindow(kPadWindow);
}

}  // namespace

extern GaugeHeader pad_gauge;
extern MouseRect pad_mouse[];

ElementHeader pad_root = element_header(kElementStatic, 0x1000, {0, 0}, {0, 0}, &pad_gauge,
                                        nullptr, nullptr, kImageTransparent);
ElementHeader* pad_root_slot = &pad_root;

// Only the button reacts; the rest of the 125 x 112 plate is inert.
MouseRect pad_mouse[] = {
    mouse_parent(),
    mouse_child(0, 0, 35, 20, &pad_click),
    mouse_end_parent(),
    mouse_end(),
};

GaugeHeader pad_gauge =
    standard_gauge_header<&pad_gauge, pad_mouse>("Click_Pad", &pad_root_slot, 40);

GAUGE_MODULE_LINKAGE(pad_gauge);
