// Bearing pointers of the arc display: VOR 1, VOR 2 and the ADF, each a head needle (toward the
// station) and a tail needle (the opposite way) turning about the arc centre. The arc shows only
// the sector ahead, so each needle is drawn only while it stands within 45 degrees of the top;
// every bound is strict, a needle exactly on one is hidden. Angles are returned whether the
// needle is shown or not.
#include "framework/module.h"
#include "mapscope/display_state.h"

namespace mapscope {

namespace {

constexpr double kDegreesPerRadialUnit = 0.005494505494505495;  // the radial is in 1/182 degree

bool arc_display() { return rose_mode == 0; }

// One ADF pointer, shown when either selector chooses the ADF.
bool adf_selected() { return arc_display() && (nav2_selector == 0 || nav1_selector == 1); }
bool vor2_selected() { return arc_display() && nav2_selector == 1; }
bool vor1_selected() { return arc_display() && nav1_selector == 0; }

// The VOR 1 angle: the bearing to the station (radial + 180) less the heading, from the radial
// in degrees (already less 180 for the tail). Reads 0x51 as last refreshed and only then
// refreshes it: the refreshed value is for later readers in this pass (the tail runs before the
// head, the rose routines after both) and for the next update.
double vor1_angle(double a) {
    double h = heading();
    panel_services()->RefreshModuleVariable(&heading_var);
    // Both branches give the same direction; a heading outside 0..360 (or not a number)
    // subtracts nothing.
    if (h >= 0.0 && h < 180.0)
        a = a - (h + 180.0);
    else if (h >= 180.0 && h <= 360.0)
        a = a - (h - 180.0);
    if (a < 0.0) a = a + 360.0;  // once: the tail's angle may stay negative, down to -180
    return a;
}

bool ahead_upper(double a) { return (a > 0.0 && a < 45.0) || (a > 315.0 && a < 360.0); }

}  // namespace

double GAUGE_CALL arc_vor1_head_update(ModuleVariable* radial) {
    double a = vor1_angle(radial->value.number * kDegreesPerRadialUnit);
    set_hidden(arc_vor1_head.header, !(ahead_upper(a) && vor1_selected()));
    return a;
}

double GAUGE_CALL arc_vor1_tail_update(ModuleVariable* radial) {
    double a = vor1_angle(radial->value.number * kDegreesPerRadialUnit - 180.0);
    bool ahead = (a > -45.0 && a < 45.0) || (a > 315.0 && a < 360.0);
    set_hidden(arc_vor1_tail.header, !(ahead && vor1_selected()));
    return a;
}

// VOR 2 and ADF bearings are relative to the heading already.
double GAUGE_CALL arc_vor2_head_update(ModuleVariable* bearing) {
    double a = bearing->value.number;
    set_hidden(arc_vor2_head.header, !(ahead_upper(a) && vor2_selected()));
    return a;
}

double GAUGE_CALL arc_vor2_tail_update(ModuleVariable* bearing) {
    double a = bearing->value.number - 180.0;
    set_hidden(arc_vor2_tail.header, !(a > -45.0 && a < 45.0 && vor2_selected()));
    return a;
}

// The ADF bearing is signed, -180 to 180.
double GAUGE_CALL arc_adf_head_update(ModuleVariable* bearing) {
    double a = bearing->value.number;
    set_hidden(arc_adf_head.header, !(a > -45.0 && a < 45.0 && adf_selected()));
    return a;
}

double GAUGE_CALL arc_adf_tail_update(ModuleVariable* bearing) {
    double a = bearing->value.number - 180.0;
    bool ahead = (a > -45.0 && a < 0.0) || (a > -360.0 && a < -315.0);
    set_hidden(arc_adf_tail.header, !(ahead && adf_selected()));
    return a;
}

}  // namespace mapscope
