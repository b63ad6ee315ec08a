// Reading a gauge's mouse list: its entries up to the end-of-list entry, and whether they come
// in the order the host understands (a parent, its children, the end of the parent; then the
// end of the list).
#pragma once

#include "framework/gauge_records.h"

#include <string>
#include <vector>

constexpr size_t kMaxMouseEntries = 1024;

struct MouseListScan {
    std::vector<MouseRect*> entries;    // every entry read, the end-of-list entry included
    std::vector<std::string> problems;  // empty for a well-ordered list
};

MouseListScan scan_mouse_list(MouseRect* list);

// "parent", "child", "end of parent", "end"; "kind N" for others.
std::string mouse_kind_name(int32_t kind);

// True when a click at (x, y) falls in the entry's box: x <= px < x + w, y <= py < y + h.
bool mouse_box_contains(const MouseRect& entry, int px, int py);
