// Station and route readouts. Bottom corners: for each bearing pointer a symbol, a label, the
// station identifier and, for a VOR, its distance; the left group follows pointer 1, the right
// group pointer 2, and in the rose display the left group always shows the ADF and the right
// group always VOR 2. Top right: the VOR 1 route data (identifier, course, distance, time of
// arrival), whatever the display form. VOR data are white, ADF data green.
//
// Change keys are sums of each routine's inputs; the clock second in each makes every key move
// at least once a second.
#include "mapscope/display_state.h"
#include "mapscope/text_format.h"

namespace mapscope {

namespace {

constexpr uint32_t kVorColour = 0xFFFFFF;
constexpr uint32_t kAdfColour = 0x00FF00;

enum class Station { none, vor, adf };

// What a group shows. Icon states: left 0 VOR 1, 1 ADF 1; right 0 ADF 2, 1 VOR 2.
Station left_station() {
    if (rose_mode == 0 && nav1_selector == 0) return vor1_usable() ? Station::vor : Station::none;
    return adf_usable() ? Station::adf : Station::none;
}

double vor2_usable() { return vor2_usable_var.value.number; }

// The right group names VOR 2 whenever 0x3a is above 0; its identifier and distance need at
// least 1 in the arc display.
Station right_station() {
    if (rose_mode == 0 && nav2_selector == 0) return adf_usable() ? Station::adf : Station::none;
    return vor2_usable() > 0.0 ? Station::vor : Station::none;
}

double icon_state(Station station, Station state_1) {
    if (station == Station::none) return -1.0;
    return station == state_1 ? 1.0 : 0.0;
}

double clock_second() { return clock_second_var.value.number; }

// Shows an identifier: the text variable's characters right-aligned in four places (cut to the
// string's length, never past its buffer), in the station's colour.
void show_ident(StringElement& string, const ModuleVariable& ident, uint32_t colour) {
    set_hidden(string.header, false);
    string.foreground = colour;
    format_text(string.text, string.length, "%4s", ident.value.text);
}

void show_distance(StringElement& string, bool shown, double distance_nm) {
    if (shown) {
        format_text(string.text, string.length, "%3.1f NM", distance_nm);
        set_hidden(string.header, false);
    } else {
        set_hidden(string.header, true);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Bottom left, pointer 1

double GAUGE_CALL left_symbol_update(ModuleVariable* /*source*/) {
    return icon_state(left_station(), Station::adf);
}

double GAUGE_CALL left_label_update(ModuleVariable* /*source*/) {
    return icon_state(left_station(), Station::adf);
}

double GAUGE_CALL left_ident_update(double first_source) {
    switch (left_station()) {
        case Station::vor:
            show_ident(left_ident_text, left_ident_text.sources[0], kVorColour);
            break;
        case Station::adf:
            show_ident(left_ident_text, left_ident_text.sources[1], kAdfColour);
            return left_ident_text.sources[1].value.number + clock_second();
        case Station::none:
            set_hidden(left_ident_text.header, true);  // text and colour stay as they were
            break;
    }
    return first_source + clock_second();
}

// Only a VOR has a distance; a negative one (none available) or one that is not a number hides.
double GAUGE_CALL left_distance_update(double distance_nm) {
    show_distance(left_distance_text, left_station() == Station::vor && distance_nm >= 0.0,
                  distance_nm);
    return distance_nm + clock_second();
}

// ---------------------------------------------------------------------------------------------
// Bottom right, pointer 2

double GAUGE_CALL right_symbol_update(ModuleVariable* /*source*/) {
    return icon_state(right_station(), Station::vor);
}

double GAUGE_CALL right_label_update(ModuleVariable* /*source*/) {
    return icon_state(right_station(), Station::vor);
}

double GAUGE_CALL right_ident_update(double first_source) {
    switch (right_station()) {
        case Station::adf:
            show_ident(right_ident_text, right_ident_text.sources[1], kAdfColour);
            return right_ident_text.sources[1].value.number + clock_second();
        case Station::vor:
            // Written whenever 0x3a is above 0; in the arc display hidden again below 1.
            show_ident(right_ident_text, right_ident_text.sources[0], kVorColour);
            if (rose_mode == 0 && vor2_usable() < 1.0) set_hidden(right_ident_text.header, true);
            break;
        case Station::none:
            set_hidden(right_ident_text.header, true);
            break;
    }
    return first_source + clock_second();
}

double GAUGE_CALL right_distance_update(double distance_nm) {
    bool usable = right_station() == Station::vor && (rose_mode != 0 || vor2_usable() >= 1.0);
    show_distance(right_distance_text, usable && distance_nm >= 0.0, distance_nm);
    return distance_nm + clock_second();
}

// ---------------------------------------------------------------------------------------------
// Top right, VOR 1 route data: neither the display form nor the selectors are read.

double GAUGE_CALL route_ident_update(double /*first_source*/) {
    const ModuleVariable* sources = route_ident_text.sources;  // 0x2f, 0x05, 0x31
    if (nonzero_number(sources[2].value.number)) {
        format_text(route_ident_text.text, route_ident_text.length, "%4s", sources[0].value.text);
        set_hidden(route_ident_text.header, false);
    } else {
        set_hidden(route_ident_text.header, true);
    }
    return sources[0].value.number + sources[1].value.number + sources[2].value.number;
}

// Three digits with leading zeros and the degree sign (byte 0xB0); rounded, so 359.6 shows 360.
double GAUGE_CALL route_course_update(double course_deg) {
    if (vor1_route_available()) {
        format_text(route_course_text.text, route_course_text.length, "%03.0f\xB0", course_deg);
        set_hidden(route_course_text.header, false);
    } else {
        set_hidden(route_course_text.header, true);
    }
    return course_deg + route_course_text.sources[1].value.number + vor1_route_var.value.number;
}

namespace {

// Distance and unit follow the distance alone: shown while it is at least 0. The unit's format
// has no conversion, so the distance passed with it is not printed.
double show_route_distance(StringElement& string, const char* format, double distance_nm) {
    if (distance_nm >= 0.0) {
        format_text(string.text, string.length, format, distance_nm);
        set_hidden(string.header, false);
    } else {
        set_hidden(string.header, true);
    }
    return distance_nm + string.sources[1].value.number;
}

}  // namespace

double GAUGE_CALL route_distance_update(double distance_nm) {
    return show_route_distance(route_distance_text, "%3.1f", distance_nm);
}

double GAUGE_CALL route_unit_update(double distance_nm) {
    return show_route_distance(route_unit_text, "NM", distance_nm);
}

// Estimated time of arrival as hours:minutes of the clock. Hidden without a distance, at 10 kt
// or less (so the division never meets a zero speed) and without route data.
double GAUGE_CALL eta_update(double speed_kt) {
    const ModuleVariable* sources = eta_text.sources;  // 0x20 speed, 0x1f distance, 0x05 second
    double s = speed_kt;
    double d = sources[1].value.number;
    if (d >= 0.0 && s > 10.0 && vor1_route_available()) {
        int32_t t = truncate_to_int32(d / s * 60.0);  // minutes to go, never negative here
        int32_t hh = t / 60;
        int32_t mm = t - 60 * hh;
        int32_t m = truncate_to_int32(mm + clock_minute_var.value.number);
        if (m > 59) {
            m = m - 60;
            hh = hh + 1;
        }
        int32_t h = truncate_to_int32(hh + clock_hour_var.value.number);
        if (h > 23) h = h - 24;  // once; no further wrap
        set_hidden(eta_text.header, false);
        format_text(eta_text.text, eta_text.length, "%02.0f:%02.0f", double(h), double(m));
    } else {
        set_hidden(eta_text.header, true);
    }
    return s + d + sources[2].value.number;
}

}  // namespace mapscope
