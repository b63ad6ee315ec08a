// Helpers of the host tests: fixture module paths and a host with a fixture loaded and its
// gauge installed.
#pragma once

#include "host/panel_host.h"

#include <gtest/gtest.h>

#include <string>

inline std::string module_path(const std::string& name) {
    return std::string(MODULE_DIR) + "/" + name + ".so";
}

// A host with a module loaded and installed; install problems are left for the test to take.
class HostTest : public ::testing::Test {
protected:
    void start(const std::string& module) {
        std::string error;
        ASSERT_TRUE(host.load(module_path(module), &error)) << error;
        ASSERT_TRUE(host.install(&error)) << error;
    }
    // The element at a drawing-order index (1-based, as the dump numbers them).
    ElementHeader* element(size_t i) {
        ElementTree tree = walk_element_tree(host.root());
        return i >= 1 && i <= tree.order.size() ? tree.order[i - 1].element : nullptr;
    }
    // The frame pixel at a panel point.
    Rgba pixel(int x, int y) {
        const Frame* f = host.frame();
        if (f == nullptr) return {1, 2, 3, 4};
        return f->image.at(x - f->origin_x, y - f->origin_y);
    }
    PanelHost host;
};

constexpr Rgba kTransparent{0, 0, 0, 0};
constexpr Rgba kBlue{0, 0, 255, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255},
    kYellow{255, 255, 0, 255}, kCyan{0, 255, 255, 255}, kMagenta{255, 0, 255, 255},
    kWhite{255, 255, 255, 255}, kGrey{128, 128, 128, 255}, kBlack{0, 0, 0, 255};

inline std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "rgba(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}
