// The heading in both display forms: in the arc display 36 label needles turn about the arc
// centre (94,175) under a fixed overlay, each shown only while it stands within 37 degrees (the
// large labels of multiples of 30) or 39 degrees (the others) of the top, so that the scale
// covers the sector ahead; in the rose display a full compass rose turns about (92,99).
#include "mapscope/display_state.h"

namespace mapscope {

namespace {

// The window of a label in d = 360 - H, the heading counted back from a full turn. Closed at
// both ends. Labels near north have two pieces, one at each end of 0..360; the others have one
// (second piece empty).
struct Interval {
    double low, high;
};
constexpr Interval kNone = {1.0, 0.0};

struct HeadingLabel {
    int label_heading;     // degrees; label k shows 10 (k - 1) modulo 360
    double angle_offset;   // added to d for the needle angle
    Interval window[2];
};

// Row k is label 0x2000 + k. The angle is d + label heading, except for the label of 350, which
// turns by d - 10 (the same direction less a full turn).
constexpr HeadingLabel kHeadingLabels[kHeadingLabelCount] = {
    {350, -10, {{0, 49}, {331, 360}}},
    {0, 0, {{0, 37}, {323, 360}}},
    {10, 10, {{0, 29}, {311, 360}}},
    {20, 20, {{0, 19}, {301, 360}}},
    {30, 30, {{0, 7}, {293, 360}}},
    {40, 40, {{281, 359}, kNone}},
    {50, 50, {{271, 349}, kNone}},
    {60, 60, {{263, 337}, kNone}},
    {70, 70, {{251, 329}, kNone}},
    {80, 80, {{241, 319}, kNone}},
    {90, 90, {{233, 307}, kNone}},
    {100, 100, {{221, 299}, kNone}},
    {110, 110, {{211, 289}, kNone}},
    {120, 120, {{203, 277}, kNone}},
    {130, 130, {{191, 269}, kNone}},
    {140, 140, {{181, 259}, kNone}},
    {150, 150, {{173, 247}, kNone}},
    {160, 160, {{161, 239}, kNone}},
    {170, 170, {{151, 229}, kNone}},
    {180, 180, {{143, 217}, kNone}},
    {190, 190, {{131, 209}, kNone}},
    {200, 200, {{121, 199}, kNone}},
    {210, 210, {{113, 187}, kNone}},
    {220, 220, {{101, 179}, kNone}},
    {230, 230, {{91, 169}, kNone}},
    {240, 240, {{83, 157}, kNone}},
    {250, 250, {{71, 149}, kNone}},
    {260, 260, {{61, 139}, kNone}},
    {270, 270, {{53, 127}, kNone}},
    {280, 280, {{41, 119}, kNone}},
    {290, 290, {{31, 109}, kNone}},
    {300, 300, {{23, 97}, kNone}},
    {310, 310, {{11, 89}, kNone}},
    {320, 320, {{1, 79}, kNone}},
    {330, 330, {{0, 67}, {353, 360}}},
    {340, 340, {{0, 59}, {341, 360}}},
};

constexpr bool within(const Interval& interval, double d) {
    return d >= interval.low && d <= interval.high;
}

// Checks the table against the rule it comes from: for headings 0 to 360 a label is shown while
// the difference between its heading and H, taken between -180 and 180, lies within +-37 degrees
// for the large labels (multiples of 30) and +-39 for the others. Checked every half degree.
constexpr bool rows_agree_with_headings() {
    for (int k = 0; k < kHeadingLabelCount; ++k) {
        const HeadingLabel& row = kHeadingLabels[k];
        if (row.label_heading != (10 * (k - 1) + 360) % 360) return false;
        double expected_offset = k == 0 ? row.label_heading - 360 : row.label_heading;
        if (row.angle_offset != expected_offset) return false;
        double reach = row.label_heading % 30 == 0 ? 37 : 39;
        for (int half_degrees = 0; half_degrees <= 720; ++half_degrees) {
            double h = half_degrees / 2.0;
            double difference = row.label_heading - h;
            while (difference > 180) difference -= 360;
            while (difference <= -180) difference += 360;
            bool by_rule = difference >= -reach && difference <= reach;
            double d = 360 - h;
            bool by_table = within(row.window[0], d) || within(row.window[1], d);
            if (by_rule != by_table) return false;
        }
    }
    return true;
}
static_assert(rows_agree_with_headings());

}  // namespace

double update_heading_label(int k, ModuleVariable* heading_source) {
    const HeadingLabel& row = kHeadingLabels[k];
    double d = 360.0 - heading_source->value.number;
    // A heading outside 0..360, or one that is not a number, falls outside every window.
    bool shown = rose_mode == 0 && (within(row.window[0], d) || within(row.window[1], d));
    set_hidden(heading_labels[k].header, !shown);
    return d + row.angle_offset;
}

// The overlay's children are drawn in both forms; only the overlay and the corner masks go.
double GAUGE_CALL arc_overlay_update(ModuleVariable* /*source*/) {
    if (rose_mode == 0) {
        set_hidden(corner_mask_left, false);
        set_hidden(corner_mask_right, false);
        return 0.0;
    }
    set_hidden(corner_mask_left, true);
    set_hidden(corner_mask_right, true);
    return -1.0;
}

// Turned by 360 - H: at H = 90 the 9 stands at the top.
double GAUGE_CALL compass_rose_update(ModuleVariable* heading_source) {
    set_hidden(compass_rose.header, rose_mode != 1);
    return 360.0 - heading_source->value.number;
}

}  // namespace mapscope
