// The 76 elements of the navigation display, in drawing order: an element is drawn before its
// child list, depth first, and a later element lies on top of an earlier one. The tree is a
// drawing order, not a grouping: elements of one display form hang below elements of the other,
// and an element that is hidden still carries its children.
#include "mapscope/display_state.h"

#include <utility>

namespace mapscope {

namespace {

// The one failure list, shared by every element except the root, the two corner masks and the
// mode knob.
constexpr FailureRecord kFailures[] = {{1, 3}, {0, 0}};
constexpr const FailureRecord* kFail = kFailures;
constexpr const FailureRecord* kNoFail = nullptr;

constexpr uint32_t kNoBitmap = 0xFFFFFFFF;
constexpr uint32_t kTextFormat = kTextSingleLine | kTextCenter | kTextVCenter;  // 0x25
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kScreenGrey = 0x080808;
constexpr uint32_t kBlack = 0x000000;

// Sprite channel factors: the deviation moves the bar by -65/254 of a pixel per unit; the
// rotation channel is negated so that the bar turns clockwise with the course pointer.
constexpr double kDeviationFactor = -0.2559055118110236;
constexpr double kRotationFactor = -1.0;

constexpr ElementHeader header(int32_t kind, uint32_t id, PixelPoint position, PixelPoint offset,
                               uint32_t flags, const FailureRecord* failures,
                               ElementHeader** children) {
    return element_header(kind, id, position, offset, &display_gauge, children, failures, flags);
}

constexpr ElementHeader static_image(uint32_t id, PixelPoint position, uint32_t flags,
                                     ElementHeader** children) {
    return header(kElementStatic, id, position, {0, 0}, flags, kNoFail, children);
}

// Every needle but the wind arrow has its second point at its position.
constexpr NeedleElement needle(uint32_t id, PixelPoint position, PixelPoint pivot, int32_t token,
                               NeedleUpdate update, ElementHeader** children,
                               PixelPoint second_point) {
    return NeedleElement{header(kElementNeedle, id, position, pivot, 0x7, kFail, children),
                         module_variable(token), update, second_point, {0, 0, 0, 0, 0}};
}
constexpr NeedleElement needle(uint32_t id, PixelPoint position, PixelPoint pivot, int32_t token,
                               NeedleUpdate update, ElementHeader** children) {
    return needle(id, position, pivot, token, update, children, position);
}

constexpr IconElement icon(uint32_t id, PixelPoint position, uint32_t flags,
                           const FailureRecord* failures, int32_t states, int32_t token,
                           IconUpdate update, ElementHeader** children) {
    return IconElement{header(kElementIcon, id, position, {0, 0}, flags, failures, children),
                       module_variable(token), update, states, {0, 0}};
}

struct Colours {
    uint32_t foreground, background, highlight;
};

constexpr StringElement text(PixelPoint position, uint32_t flags, int32_t token1, int32_t token2,
                             int32_t token3, StringUpdate update, PixelSize box, Colours colours,
                             const char* font, int32_t length, ElementHeader** children) {
    StringElement s{header(kElementString, kNoBitmap, position, {0, 0}, flags, kFail, children),
                    {module_variable(token1), module_variable(token2), module_variable(token3)},
                    {0, 0},
                    update,
                    nullptr,
                    box,
                    colours.foreground,
                    colours.background,
                    colours.highlight,
                    {},
                    400,
                    1,
                    kTextFormat,
                    length,
                    0};
    for (int i = 0; font[i] != '\0' && i < 31; ++i) s.font_face[i] = font[i];
    return s;
}

constexpr SpriteElement deviation_bar(uint32_t id, SpriteChannelUpdate rotation,
                                      ElementHeader** children) {
    return SpriteElement{
        header(kElementSprite, id, {31, 38}, {94, 99}, 0x7, kFail, children),
        {SpriteChannel{module_variable(0x28), &deviation_offset_update, 0, kDeviationFactor},
         SpriteChannel{module_variable(0), nullptr, 0, 0.0},
         SpriteChannel{module_variable(0x2d), rotation, 0, kRotationFactor}},
        {1.0f, 1.0f},
        {128, 128}};
}

}  // namespace

// Every element is declared first: child lists refer to elements further down.
extern IconElement arc_overlay, nav1_switch, nav2_switch, mode_knob, aircraft_symbol;
extern IconElement left_symbol, left_label, right_symbol, right_label, heading_index;

// ---------------------------------------------------------------------------------------------
// Child lists. 1: [2]; 2: [3]; labels: the next label; 38: [39, 40]; 40: [41]; 41: [42, 43];
// 43: [44]; 44: [45]; 45: [46, 47, 48]; 48: [49]; 49: [50..54]; 54: [55]; 55 to 63: the next
// element; 64: [65..68]; 68: [69..72]; 72: [73]; 73: [74]; 74: [75, 76].

namespace {

#define CHILDREN(name, ...) constinit ElementHeader* name[] = {__VA_ARGS__, nullptr}

CHILDREN(root_children, &arc_overlay.header);
CHILDREN(overlay_children, &heading_labels[35].header);

// Label k carries label k - 1; label 0 (the last drawn) carries the two corner masks.
constinit std::array<std::array<ElementHeader*, 2>, kHeadingLabelCount - 1> next_label = [] {
    std::array<std::array<ElementHeader*, 2>, kHeadingLabelCount - 1> lists{};
    for (int k = 1; k < kHeadingLabelCount; ++k) lists[k - 1] = {&heading_labels[k - 1].header, nullptr};
    return lists;
}();
CHILDREN(last_label_children, &corner_mask_right, &corner_mask_left);

CHILDREN(left_mask_children, &arc_vor1_tail.header);
CHILDREN(vor1_tail_children, &nav1_switch.header, &arc_vor1_head.header);
CHILDREN(vor1_head_children, &arc_vor2_tail.header);
CHILDREN(vor2_tail_children, &arc_vor2_head.header);
CHILDREN(vor2_head_children, &arc_adf_head.header, &arc_adf_tail.header, &nav2_switch.header);
CHILDREN(nav2_switch_children, &wind_text.header);
CHILDREN(wind_text_children, &route_ident_text.header, &route_course_text.header,
         &route_distance_text.header, &route_unit_text.header, &eta_text.header);
CHILDREN(eta_children, &mode_knob.header);
CHILDREN(mode_knob_children, &compass_rose.header);
CHILDREN(rose_children, &cyan_deviation_bar.header);
CHILDREN(cyan_bar_children, &magenta_deviation_bar.header);
CHILDREN(magenta_bar_children, &cyan_course_pointer.header);
CHILDREN(cyan_pointer_children, &magenta_course_pointer.header);
CHILDREN(magenta_pointer_children, &deviation_dots.header);
CHILDREN(dots_children, &rose_vor2_pointer.header);
CHILDREN(rose_vor2_children, &rose_adf_pointer.header);
CHILDREN(rose_adf_children, &aircraft_symbol.header);
CHILDREN(aircraft_children, &left_symbol.header, &left_distance_text.header, &left_label.header,
         &left_ident_text.header);
CHILDREN(left_ident_children, &right_symbol.header, &right_distance_text.header,
         &right_label.header, &right_ident_text.header);
CHILDREN(right_ident_children, &wind_arrow.header);
CHILDREN(wind_arrow_children, &heading_index.header);
CHILDREN(heading_index_children, &ground_speed_text.header, &tas_text.header);

#undef CHILDREN

// Heading labels 0x2000 + k, all turning about the arc centre with the pivot 148 pixels below
// the bitmap's top.
template <size_t... K>
constexpr std::array<NeedleElement, kHeadingLabelCount> make_heading_labels(
    std::index_sequence<K...>) {
    return {needle(0x2000 + K, {94, 175}, {8, 148}, 0x51, &heading_label_update<int(K)>,
                   K == 0 ? last_label_children : next_label[K == 0 ? 0 : K - 1].data())...};
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The elements, in drawing order. Flags: 0x15 root, 0x17 overlay, 0x7 bitmaps, 0x3 indicator
// switches and knob, 0x6 readouts and their icons, 0x4 the wind string.

// 1: the screen
constinit ElementHeader display_root =
    static_image(0x1000, {0, 0}, 0x15, root_children);
// 2: arc overlay (outer arc, range arcs, aircraft symbol)
constinit IconElement arc_overlay =
    icon(0x5000, {0, 45}, 0x17, kFail, 1, 0, &arc_overlay_update, overlay_children);
// 3 to 38: heading labels 0x2023 down to 0x2000
constinit std::array<NeedleElement, kHeadingLabelCount> heading_labels =
    make_heading_labels(std::make_index_sequence<kHeadingLabelCount>{});
// 39, 40: corner masks
constinit ElementHeader corner_mask_right = static_image(0x3001, {149, 60}, 0x7, nullptr);
constinit ElementHeader corner_mask_left = static_image(0x3000, {0, 60}, 0x7, left_mask_children);
// 41 to 48: arc-mode bearing pointers and the two selector switches
constinit NeedleElement arc_vor1_tail =
    needle(0x3020, {94, 175}, {5, 130}, 0x19, &arc_vor1_tail_update, vor1_tail_children);
constinit IconElement nav1_switch =
    icon(0x3050, {292, -74}, 0x3, kFail, 2, 0, &nav1_selector_update, nullptr);
constinit NeedleElement arc_vor1_head =
    needle(0x3010, {94, 175}, {5, 130}, 0x19, &arc_vor1_head_update, vor1_head_children);
constinit NeedleElement arc_vor2_tail =
    needle(0x3021, {94, 175}, {5, 130}, 0x3b, &arc_vor2_tail_update, vor2_tail_children);
constinit NeedleElement arc_vor2_head =
    needle(0x3011, {94, 175}, {5, 130}, 0x3b, &arc_vor2_head_update, vor2_head_children);
constinit NeedleElement arc_adf_head =
    needle(0x3030, {94, 175}, {5, 130}, 0x27, &arc_adf_head_update, nullptr);
constinit NeedleElement arc_adf_tail =
    needle(0x3040, {94, 175}, {5, 130}, 0x27, &arc_adf_tail_update, nullptr);
constinit IconElement nav2_switch =
    icon(0x3050, {337, -74}, 0x3, kFail, 2, 0, &nav2_selector_update, nav2_switch_children);
// 49: wind direction/speed
constinit StringElement wind_text =
    text({9, 15}, 0x4, 0x158, 0x157, 0, &wind_text_update, {36, 8}, {kGreen, kBlack, kGreen},
         "Small Fonts", 7, wind_text_children);
// 50 to 54: VOR 1 route block, top right
constinit StringElement route_ident_text =
    text({118, 6}, 0x6, 0x2f, 0x05, 0x31, &route_ident_update, {26, 8}, {kWhite, kBlack, kGreen},
         "Small Fonts", 4, nullptr);
constinit StringElement route_course_text =
    text({145, 6}, 0x6, 0x2d, 0x05, 0, &route_course_update, {26, 8}, {kGreen, kBlack, kGreen},
         "Small Fonts", 4, nullptr);
constinit StringElement route_distance_text =
    text({139, 17}, 0x6, 0x1f, 0x05, 0, &route_distance_update, {30, 8}, {kGreen, kBlack, kGreen},
         "Small Fonts", 5, nullptr);
constinit StringElement route_unit_text =
    text({169, 17}, 0x6, 0x1f, 0x05, 0, &route_unit_update, {13, 8}, {kWhite, kBlack, kGreen},
         "Small Fonts", 2, nullptr);
constinit StringElement eta_text =
    text({150, 28}, 0x6, 0x20, 0x1f, 0x05, &eta_update, {30, 8}, {kGreen, kBlack, kGreen},
         "Small Fonts", 5, eta_children);
// 55: mode knob, states 0x5010, 0x5013, 0x5016
constinit IconElement mode_knob =
    icon(0x5010, {288, -104}, 0x3, kNoFail, 3, 0, &mode_knob_update, mode_knob_children);
// 56: compass rose
constinit NeedleElement compass_rose =
    needle(0x5020, {92, 99}, {80, 80}, 0x51, &compass_rose_update, rose_children);
// 57 to 64: rose-display course set, deviation, bearing pointers and aircraft symbol
constinit SpriteElement cyan_deviation_bar =
    deviation_bar(0x5100, &course_set_update, cyan_bar_children);
constinit SpriteElement magenta_deviation_bar =
    deviation_bar(0x5200, &course_angle_update, magenta_bar_children);
constinit NeedleElement cyan_course_pointer =
    needle(0x5300, {92, 99}, {12, 62}, 0x2d, &course_angle_update, cyan_pointer_children);
constinit NeedleElement magenta_course_pointer =
    needle(0x5301, {92, 99}, {12, 62}, 0x2d, &course_angle_update, magenta_pointer_children);
constinit NeedleElement deviation_dots =
    needle(0x5302, {92, 99}, {32, 2}, 0x2d, &deviation_scale_update, dots_children);
constinit NeedleElement rose_vor2_pointer =
    needle(0x5303, {92, 99}, {5, 63}, 0x3b, &rose_vor2_pointer_update, rose_vor2_children);
constinit NeedleElement rose_adf_pointer =
    needle(0x5304, {92, 99}, {5, 63}, 0x27, &rose_adf_pointer_update, rose_adf_children);
constinit IconElement aircraft_symbol =
    icon(0x5030, {84, 89}, 0x7, kFail, 1, 0, &aircraft_symbol_update, aircraft_children);
// 65 to 68: bottom left, pointer 1
constinit IconElement left_symbol =
    icon(0x4010, {6, 156}, 0x6, kFail, 2, 0, &left_symbol_update, nullptr);
constinit StringElement left_distance_text =
    text({14, 172}, 0x6, 0x1f, 0, 0, &left_distance_update, {48, 8}, {kWhite, kBlack, kWhite},
         "Small Fonts", 8, nullptr);
constinit IconElement left_label =
    icon(0x4000, {14, 156}, 0x6, kFail, 2, 0x2e, &left_label_update, nullptr);
constinit StringElement left_ident_text =
    text({14, 164}, 0x6, 0x2f, 0x13, 0, &left_ident_update, {26, 8}, {kWhite, kBlack, kWhite},
         "Small Fonts", 4, left_ident_children);
// 69 to 72: bottom right, pointer 2
constinit IconElement right_symbol =
    icon(0x4013, {175, 156}, 0x6, kFail, 2, 0, &right_symbol_update, nullptr);
constinit StringElement right_distance_text =
    text({136, 172}, 0x6, 0x23, 0, 0, &right_distance_update, {48, 8}, {kWhite, kBlack, kWhite},
         "Small Fonts", 8, nullptr);
constinit IconElement right_label =
    icon(0x4002, {150, 156}, 0x6, kFail, 2, 0x37, &right_label_update, nullptr);
constinit StringElement right_ident_text =
    text({148, 164}, 0x6, 0x38, 0x13, 0, &right_ident_update, {26, 8}, {kWhite, kBlack, kWhite},
         "Small Fonts", 4, right_ident_children);
// 73: wind arrow, turning about its own centre; second point (2,0)
constinit NeedleElement wind_arrow =
    needle(0x5400, {14, 32}, {2, 6}, 0x158, &wind_arrow_update, wind_arrow_children, {2, 0});
// 74: heading index at the top of the arc
constinit IconElement heading_index =
    icon(0x5410, {93, 40}, 0x7, kFail, 1, 0, &heading_index_update, heading_index_children);
// 75, 76: ground speed, then true airspeed (which shows the value computed just before)
constinit StringElement ground_speed_text =
    text({9, 6}, 0x6, 0x49, 0x3d, 0, &ground_speed_update, {33, 8},
         {kGreen, kScreenGrey, kGreen}, "Arial", 5, nullptr);
constinit StringElement tas_text =
    text({46, 6}, 0x6, 0, 0, 0, &tas_text_update, {39, 8}, {kGreen, kScreenGrey, kGreen},
         "Small Fonts", 6, nullptr);

}  // namespace mapscope
