// The element tree of a gauge in drawing order: an element before its child list, the list in
// order, each child followed by its own children (depth first). The walk guards against trees
// that are not trees: an element met a second time (in two lists, or in a cycle) is left out
// and reported, and so are child lists without an end.
#pragma once

#include "framework/gauge_records.h"

#include <string>
#include <vector>

constexpr size_t kMaxChildListLength = 4096;
constexpr size_t kMaxTreeElements = 65536;

struct TreeEntry {
    ElementHeader* element;
    int parent;  // index in the drawing order; -1 for the root
};

struct ElementTree {
    std::vector<TreeEntry> order;       // drawing order
    std::vector<std::string> problems;  // what makes it not a well-formed tree
};

ElementTree walk_element_tree(ElementHeader* root);

bool is_known_kind(int32_t kind);
// "static", "needle", "string", "icon", "sprite"; "kind N" for others.
std::string kind_name(int32_t kind);
// How messages name an element: "icon 0x2000", "string at (9,15)".
std::string describe_element(const ElementHeader& element);
// Whether an icon can ever show state `state`: one without update routine and without source
// variable always shows its first state, so its other states need no bitmap.
bool icon_state_can_show(const IconElement& icon, int32_t state);
// An id as messages print it: "0x2003".
std::string hex_id(uint32_t id);
