// Clicks: the first registered child box that holds the point gets the click, also outside the
// root image; boxes exclude their right and bottom edges; entries without the click flag and
// unregistered lists get none.
#include "host_fixture.h"

namespace {

class Clicks : public HostTest {
protected:
    void SetUp() override { start("fixture_tree"); }
    // The window a click switched, or 0.
    int32_t window_switched_by(int x, int y) {
        std::map<int32_t, bool> before = host.windows();
        int32_t result = -5;
        bool hit = host.click(x, y, &result);
        for (const auto& [id, shown] : host.windows()) {
            auto b = before.find(id);
            if (b == before.end() || b->second != shown) {
                EXPECT_TRUE(hit);
                EXPECT_EQ(result, 1) << "the mouse routine passes SwitchPanelWindow's result on";
                return id;
            }
        }
        EXPECT_FALSE(hit);
        return 0;
    }
};

TEST_F(Clicks, FirstBoxHoldingThePointGetsTheClick) {
    struct Case {
        int x, y;
        int32_t window;
    };
    const Case cases[] = {
        {0, 0, 1},   {3, 3, 1},              // box (0,0,4,4), listed before (0,0,8,8)
        {4, 0, 3},   {0, 4, 3},  {7, 7, 3},  // past the first box's edges: the second
        {8, 0, 0},   {0, 8, 0},              // right and bottom edges belong to no box
        {30, -10, 2}, {34, -6, 2},           // a box outside the root image
        {35, -6, 0}, {29, -10, 0},
        {40, 40, 0},                         // a child without the click flag
        {-1, -1, 0}, {15, 11, 0},            // on the root, outside every box
    };
    for (const Case& c : cases)
        EXPECT_EQ(window_switched_by(c.x, c.y), c.window) << "click at " << c.x << "," << c.y;
}

TEST_F(Clicks, WindowsStartHiddenAndToggle) {
    EXPECT_TRUE(host.windows().empty());
    host.click(1, 1);
    EXPECT_EQ(host.windows().at(1), true);
    host.click(1, 1);
    EXPECT_EQ(host.windows().at(1), false);
}

TEST_F(Clicks, KilledGaugeGetsNoClicksAndAReinstalledOneDoes) {
    std::string error;
    ASSERT_TRUE(host.kill(&error));
    EXPECT_FALSE(host.click(1, 1));
    ASSERT_TRUE(host.install(&error));
    EXPECT_TRUE(host.click(1, 1));
}

}  // namespace
