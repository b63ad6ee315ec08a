// Helpers that let a gauge declare its element tree, mouse list and variables as plain static
// data that reads like a table.
#pragma once

#include "gauge_records.h"

constexpr ElementHeader element_header(int32_t kind, uint32_t bitmap_id, PixelPoint position,
                                       PixelPoint offset, GaugeHeader* gauge,
                                       ElementHeader** children, const FailureRecord* failures,
                                       uint32_t image_flags) {
    return ElementHeader{kind,    bitmap_id, position, {0, 0},   offset,      gauge,
                         nullptr, children,  failures, image_flags, {0, 0, 0}};
}

constexpr ModuleVariable module_variable(int32_t token) {
    return ModuleVariable{token, 0, {0.0}, 0, 0};
}

constexpr MouseRect mouse_parent() {
    return MouseRect{kMouseParent, 0, 0, 0, 0, kCursorNone, 0, 0, nullptr, 0};
}
constexpr MouseRect mouse_child(int32_t x, int32_t y, int32_t w, int32_t h, MouseRoutine routine) {
    return MouseRect{kMouseChild, x, y, w, h, kCursorHand, 0, kMouseClick, routine, 0};
}
constexpr MouseRect mouse_end_parent() {
    return MouseRect{kMouseEndParent, 0, 0, 0, 0, kCursorNone, 0, 0, nullptr, 0};
}
constexpr MouseRect mouse_end() {
    return MouseRect{kMouseEnd, 0, 0, 0, 0, kCursorNone, 0, 0, nullptr, 0};
}

inline void set_hidden(ElementHeader& element, bool hidden) {
    if (hidden)
        element.image_flags |= kImageHidden;
    else
        element.image_flags &= ~kImageHidden;
}

inline bool is_hidden(const ElementHeader& element) {
    return (element.image_flags & kImageHidden) != 0;
}

inline ElementHeader* as_element(NeedleElement& e) { return &e.header; }
inline ElementHeader* as_element(StringElement& e) { return &e.header; }
inline ElementHeader* as_element(IconElement& e) { return &e.header; }
inline ElementHeader* as_element(SpriteElement& e) { return &e.header; }
inline ElementHeader* as_element(ElementHeader& e) { return &e; }
