// Speed and wind block, top left, the same in both display forms: ground speed (computed here
// from indicated airspeed, altitude and the wind, not read from the simulation), true airspeed,
// the wind as direction/speed, and a small arrow pointing where the wind blows to, relative to
// the aircraft's nose.
#include "mapscope/display_state.h"
#include "mapscope/portable_math.h"
#include "mapscope/text_format.h"

#include <cmath>

namespace mapscope {

namespace {

// Written by the ground-speed routine on every call, read by the TAS string drawn right after
// it in the same child list. 0 at load; kill and install leave it.
double true_airspeed = 0.0;

constexpr double kFeetPerMetre = 3.2804;
constexpr double kHighAltitudeFt = 26000.0;
constexpr double kLinearRatioPerFt = -1.56e-05;  // k = 1 - a x (-1.56e-05) at or below 26000 ft
// Above 26000 ft k = 1.015 to the power of the altitude in thousands of feet. ln of the double
// nearest 1.015, as a rounded value and its rounded rest.
constexpr SplitLog kLogOf1015 = {0x1.e7debbdf2a35dp-7, 0x1.12f10ea37baffp-64};
constexpr double kRadiansPerDegree = 0.017453292519944444;  // a little above pi/180; as stored
constexpr double kKnotsPerMetrePerSecond = 1.94384;
constexpr double kGroundSpeedCap = 999.0;
constexpr double kTasShownAbove = 100.0;

}  // namespace

double GAUGE_CALL ground_speed_update(double altitude_m) {
    double a = altitude_m * kFeetPerMetre;
    // The two branches do not meet at 26000 ft (1.4056 below, about 1.4727 above). An altitude
    // that is not a number takes the linear branch.
    double k = a > kHighAltitudeFt ? portable_pow(kLogOf1015, a * 0.001)
                                   : 1.0 - a * kLinearRatioPerFt;
    true_airspeed = k * ground_speed_text.sources[1].value.number;  // indicated airspeed, 0x3d

    double h = wind_heading_var.value.number * kRadiansPerDegree;
    double we = wind_east_var.value.number * kKnotsPerMetrePerSecond;
    double wn = wind_north_var.value.number * kKnotsPerMetrePerSecond;
    double e = true_airspeed * portable_sin(h) + we;
    double n = true_airspeed * portable_cos(h) + wn;
    double g = std::sqrt(std::pow(e, 2.0) + std::pow(n, 2.0));

    double shown;
    if (g > kGroundSpeedCap)
        shown = kGroundSpeedCap;
    else if (g >= 0.0)
        shown = g;
    else
        shown = 0.0;  // not a number
    format_text(ground_speed_text.text, ground_speed_text.length, "GS%3d",
                truncate_to_int32(shown));
    set_hidden(ground_speed_text.header, false);
    return shown;
}

// No upper cap, unlike the ground speed; at or below 100 kt (or not a number) the string hides
// and keeps its last text.
double GAUGE_CALL tas_text_update(double /*ignored*/) {
    double v = true_airspeed;
    if (v > kTasShownAbove) {
        format_text(tas_text.text, tas_text.length, "TAS%3d", truncate_to_int32(v));
        set_hidden(tas_text.header, false);
    } else {
        set_hidden(tas_text.header, true);
    }
    return v;
}

// The string shows in every mode, at zero wind too; only the arrow goes when the wind speed is
// exactly 0 (or not a number).
double GAUGE_CALL wind_text_update(double /*ignored*/) {
    double d = wind_text.sources[0].value.number;  // direction the wind comes from, degrees
    double s = wind_text.sources[1].value.number;  // speed, knots
    set_hidden(wind_arrow.header, s == 0.0 || std::isnan(s));
    format_text(wind_text.text, wind_text.length, "%3.0f/%3.0f", d, s);
    return s + d;
}

// Pointing up as drawn; turned clockwise by the direction the wind blows to, relative to the
// nose: with the heading equal to the wind direction it points straight down. Only one wrap:
// the angle may be negative, or exactly 360.
double GAUGE_CALL wind_arrow_update(ModuleVariable* wind_direction) {
    double r = wind_direction->value.number + 180.0 - wind_heading_var.value.number;
    if (r > 360.0) r = r - 360.0;
    return r;
}

}  // namespace mapscope
