#include "host/element_tree.h"

#include <unordered_map>

bool is_known_kind(int32_t kind) {
    return kind == kElementStatic || kind == kElementNeedle || kind == kElementString ||
           kind == kElementIcon || kind == kElementSprite;
}

std::string kind_name(int32_t kind) {
    switch (kind) {
    case kElementStatic: return "static";
    case kElementNeedle: return "needle";
    case kElementString: return "string";
    case kElementIcon: return "icon";
    case kElementSprite: return "sprite";
    default: return "kind " + std::to_string(kind);
    }
}

std::string hex_id(uint32_t id) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[id & 0xF]);
        id >>= 4;
    } while (id != 0);
    return "0x" + digits;
}

std::string describe_element(const ElementHeader& e) {
    if (e.kind == kElementString)
        return "string at (" + std::to_string(e.position.x) + "," + std::to_string(e.position.y) + ")";
    if (e.kind == kElementStatic) return "static image " + hex_id(e.bitmap_id);
    return kind_name(e.kind) + " " + hex_id(e.bitmap_id);
}

ElementTree walk_element_tree(ElementHeader* root) {
    ElementTree tree;
    if (root == nullptr) {
        tree.problems.push_back("the gauge has no root element");
        return tree;
    }
    std::unordered_map<const ElementHeader*, int> seen;
    struct Pending {
        ElementHeader* element;
        int parent;
    };
    std::vector<Pending> stack{{root, -1}};
    while (!stack.empty()) {
        Pending p = stack.back();
        stack.pop_back();
        auto where = seen.find(p.element);
        if (where != seen.end()) {
            bool cycle = false;
            for (int a = p.parent; a >= 0; a = tree.order[size_t(a)].parent)
                if (a == where->second) cycle = true;
            std::string what = "element " + std::to_string(where->second + 1) + " (" +
                               describe_element(*p.element) + ")";
            tree.problems.push_back(cycle ? "the child list of element " +
                                                std::to_string(p.parent + 1) + " leads back to " +
                                                what + ": a cycle"
                                          : what + " stands in more than one child list");
            continue;
        }
        if (tree.order.size() >= kMaxTreeElements) {
            tree.problems.push_back("more than " + std::to_string(kMaxTreeElements) + " elements");
            break;
        }
        int index = int(tree.order.size());
        seen.emplace(p.element, index);
        tree.order.push_back({p.element, p.parent});
        if (!is_known_kind(p.element->kind)) {
            tree.problems.push_back("element " + std::to_string(index + 1) + " has unknown kind " +
                                    std::to_string(p.element->kind));
            continue;  // its record may not even be an element: go no further into it
        }
        ElementHeader** children = p.element->children;
        if (children == nullptr) continue;
        size_t count = 0;
        while (count < kMaxChildListLength && children[count] != nullptr) ++count;
        if (count == kMaxChildListLength)
            tree.problems.push_back("the child list of element " + std::to_string(index + 1) +
                                    " has no end within " + std::to_string(kMaxChildListLength) +
                                    " entries");
        for (size_t i = count; i-- > 0;) stack.push_back({children[i], index});
    }
    return tree;
}

bool icon_state_can_show(const IconElement& icon, int32_t state) {
    return state == 0 || icon.update != nullptr || icon.source.token != 0;
}
