// State shared by the routines of the navigation display "Navexa": the three mode states, the
// twelve module variables, the element records the routines show and hide, and the update
// routines that the element tree names. Private to this folder.
#pragma once

#include "framework/element_helpers.h"
#include "framework/gauge_records.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace mapscope {

// ---------------------------------------------------------------------------------------------
// Mode states: 0 when the module is loaded, flipped only by the three click areas, kept through
// kill and install.

extern int32_t rose_mode;      // 0 arc display, 1 rose display
extern int32_t nav1_selector;  // pointer 1: 0 VOR 1, 1 ADF
extern int32_t nav2_selector;  // pointer 2: 0 ADF, 1 VOR 2

// ---------------------------------------------------------------------------------------------
// Module variables, as the last display update refreshed them (two routines refresh one each).

extern ModuleVariable heading_var;       // 0x51 heading that turns the display, degrees
extern ModuleVariable wind_heading_var;  // 0x56 heading of the wind computation, degrees
extern ModuleVariable vor1_flags_var;    // 0x2a VOR 1 flag word, integer in the low word
extern ModuleVariable vor1_usable_var;   // 0x2b VOR 1 usable, integer in the low word
extern ModuleVariable adf_usable_var;    // 0x14 ADF station received, float
extern ModuleVariable vor1_route_var;    // 0x31 VOR 1 route data available, float
extern ModuleVariable vor2_usable_var;   // 0x3a VOR 2 usable, float (> 0, or >= 1)
extern ModuleVariable clock_second_var;  // 0x05
extern ModuleVariable clock_hour_var;    // 0x06
extern ModuleVariable clock_minute_var;  // 0x07
extern ModuleVariable wind_east_var;     // 0x159 wind toward east, m/s
extern ModuleVariable wind_north_var;    // 0x15a wind toward north, m/s

// A float gate "not equal to 0" where a value that is not a number counts as 0.
inline bool nonzero_number(double value) { return value != 0.0 && !std::isnan(value); }

inline bool vor1_usable() { return vor1_usable_var.value.integer != 0; }
inline bool adf_usable() { return nonzero_number(adf_usable_var.value.number); }
inline bool vor1_route_available() { return nonzero_number(vor1_route_var.value.number); }
inline double heading() { return heading_var.value.number; }

// ---------------------------------------------------------------------------------------------
// Records of the gauge (display_gauge.cpp, element_tree.cpp)

extern GaugeHeader display_gauge;
extern ElementHeader display_root;

constexpr int kHeadingLabelCount = 36;
// Label needles by label index k (bitmap 0x2000 + k); the tree holds them from k = 35 down.
extern std::array<NeedleElement, kHeadingLabelCount> heading_labels;
extern ElementHeader corner_mask_left;   // 0x3000
extern ElementHeader corner_mask_right;  // 0x3001
extern NeedleElement compass_rose;       // 0x5020

extern NeedleElement arc_vor1_head;  // 0x3010
extern NeedleElement arc_vor1_tail;  // 0x3020
extern NeedleElement arc_vor2_head;  // 0x3011
extern NeedleElement arc_vor2_tail;  // 0x3021
extern NeedleElement arc_adf_head;   // 0x3030
extern NeedleElement arc_adf_tail;   // 0x3040

extern StringElement ground_speed_text;  // (9,6)
extern StringElement tas_text;           // (46,6)
extern StringElement wind_text;          // (9,15)
extern NeedleElement wind_arrow;         // 0x5400

extern StringElement left_ident_text;      // (14,164)
extern StringElement left_distance_text;   // (14,172)
extern StringElement right_ident_text;     // (148,164)
extern StringElement right_distance_text;  // (136,172)
extern StringElement route_ident_text;     // (118,6)
extern StringElement route_course_text;    // (145,6)
extern StringElement route_distance_text;  // (139,17)
extern StringElement route_unit_text;      // (169,17)
extern StringElement eta_text;             // (150,28)

extern SpriteElement cyan_deviation_bar;       // 0x5100
extern SpriteElement magenta_deviation_bar;    // 0x5200
extern NeedleElement cyan_course_pointer;      // 0x5300
extern NeedleElement magenta_course_pointer;   // 0x5301
extern NeedleElement deviation_dots;           // 0x5302
extern NeedleElement rose_vor2_pointer;        // 0x5303
extern NeedleElement rose_adf_pointer;         // 0x5304

// ---------------------------------------------------------------------------------------------
// Update routines named by the element tree

// display_gauge.cpp: the three indicator images
double GAUGE_CALL mode_knob_update(ModuleVariable* source);
double GAUGE_CALL nav1_selector_update(ModuleVariable* source);
double GAUGE_CALL nav2_selector_update(ModuleVariable* source);

// heading_scale.cpp
double GAUGE_CALL arc_overlay_update(ModuleVariable* source);
double GAUGE_CALL compass_rose_update(ModuleVariable* source);
// The routine of label k: its angle and visibility from the label table's row k.
double update_heading_label(int k, ModuleVariable* heading_source);
template <int K>
double GAUGE_CALL heading_label_update(ModuleVariable* heading_source) {
    static_assert(K >= 0 && K < kHeadingLabelCount);
    return update_heading_label(K, heading_source);
}

// arc_pointers.cpp
double GAUGE_CALL arc_vor1_head_update(ModuleVariable* radial);
double GAUGE_CALL arc_vor1_tail_update(ModuleVariable* radial);
double GAUGE_CALL arc_vor2_head_update(ModuleVariable* bearing);
double GAUGE_CALL arc_vor2_tail_update(ModuleVariable* bearing);
double GAUGE_CALL arc_adf_head_update(ModuleVariable* bearing);
double GAUGE_CALL arc_adf_tail_update(ModuleVariable* bearing);

// speed_wind.cpp
double GAUGE_CALL ground_speed_update(double altitude_m);
double GAUGE_CALL tas_text_update(double ignored);
double GAUGE_CALL wind_text_update(double ignored);
double GAUGE_CALL wind_arrow_update(ModuleVariable* wind_direction);

// navaid_readouts.cpp
double GAUGE_CALL left_symbol_update(ModuleVariable* source);
double GAUGE_CALL left_label_update(ModuleVariable* source);
double GAUGE_CALL left_ident_update(double first_source);
double GAUGE_CALL left_distance_update(double distance_nm);
double GAUGE_CALL right_symbol_update(ModuleVariable* source);
double GAUGE_CALL right_label_update(ModuleVariable* source);
double GAUGE_CALL right_ident_update(double first_source);
double GAUGE_CALL right_distance_update(double distance_nm);
double GAUGE_CALL route_ident_update(double first_source);
double GAUGE_CALL route_course_update(double course_deg);
double GAUGE_CALL route_distance_update(double distance_nm);
double GAUGE_CALL route_unit_update(double distance_nm);
double GAUGE_CALL eta_update(double speed_kt);

// rose_course.cpp
double GAUGE_CALL heading_index_update(ModuleVariable* source);
double GAUGE_CALL aircraft_symbol_update(ModuleVariable* source);
double GAUGE_CALL course_angle_update(ModuleVariable* course);
double GAUGE_CALL deviation_scale_update(ModuleVariable* course);
double GAUGE_CALL rose_vor2_pointer_update(ModuleVariable* bearing);
double GAUGE_CALL rose_adf_pointer_update(ModuleVariable* bearing);
double GAUGE_CALL deviation_offset_update(ModuleVariable* deviation);
double GAUGE_CALL course_set_update(ModuleVariable* course);

}  // namespace mapscope
