#include "host/mouse_list.h"

std::string mouse_kind_name(int32_t kind) {
    switch (kind) {
    case kMouseEnd: return "end";
    case kMouseParent: return "parent";
    case kMouseChild: return "child";
    case kMouseEndParent: return "end of parent";
    default: return "kind " + std::to_string(kind);
    }
}

bool mouse_box_contains(const MouseRect& e, int px, int py) {
    // 64-bit sums: a box near the ends of the 32-bit range must not wrap around.
    return px >= e.x && int64_t(px) < int64_t(e.x) + e.width && py >= e.y &&
           int64_t(py) < int64_t(e.y) + e.height;
}

MouseListScan scan_mouse_list(MouseRect* list) {
    MouseListScan scan;
    if (list == nullptr) {
        scan.problems.push_back("no mouse list");
        return scan;
    }
    bool in_parent = false;
    for (size_t i = 0;; ++i) {
        if (i == kMaxMouseEntries) {
            scan.problems.push_back("the mouse list has no end within " +
                                    std::to_string(kMaxMouseEntries) + " entries");
            break;
        }
        MouseRect* e = &list[i];
        scan.entries.push_back(e);
        std::string where = "mouse entry " + std::to_string(i + 1) + " (" + mouse_kind_name(e->kind) + ")";
        if (e->kind == kMouseEnd) {
            if (in_parent) scan.problems.push_back(where + ": the list ends inside a parent");
            break;
        }
        switch (e->kind) {
        case kMouseParent:
            if (in_parent) scan.problems.push_back(where + ": a parent inside a parent");
            in_parent = true;
            break;
        case kMouseChild:
            if (!in_parent) scan.problems.push_back(where + ": a child outside any parent");
            if (e->routine == nullptr) scan.problems.push_back(where + ": a child without routine");
            break;
        case kMouseEndParent:
            if (!in_parent) scan.problems.push_back(where + ": an end of parent without a parent");
            in_parent = false;
            break;
        default:
            scan.problems.push_back(where + ": unknown entry kind");
            break;
        }
    }
    return scan;
}
