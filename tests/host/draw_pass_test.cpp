// The draw pass on the tree fixture, told apart by colour: which element covers which pixel.
#include "host_fixture.h"

namespace {

class DrawPass : public HostTest {
protected:
    void SetUp() override {
        start("fixture_tree");
        ASSERT_TRUE(host.take_errors().empty());
    }
    void frame_with_icon_state(double state) {
        host.tokens().set_number(0x10, state);
        host.update();
        host.draw();
        ASSERT_NE(host.frame(), nullptr);
    }
};

TEST_F(DrawPass, FrameCoversEveryElementAndMouseBoxOutsideTheRoot) {
    host.draw();
    const Frame* f = host.frame();
    ASSERT_NE(f, nullptr);
    // Root 16 x 12 at (0,0); sprite window to x 24; string box to y 16; mouse boxes up to
    // (30,-10,5,5) and (40,40,2,2).
    EXPECT_EQ(f->origin_x, 0);
    EXPECT_EQ(f->origin_y, -10);
    EXPECT_EQ(f->image.width, 42);
    EXPECT_EQ(f->image.height, 52);
}

TEST_F(DrawPass, RootIsStoredBottomUpAndItsBlackIsSeeThrough) {
    frame_with_icon_state(0);
    EXPECT_EQ(pixel(0, 0), kTransparent);  // pure black with flag 0x1
    EXPECT_EQ(pixel(15, 11), kWhite);      // the marked last pixel of the bottom row
    EXPECT_EQ(pixel(1, 0), kBlue);
    EXPECT_EQ(pixel(0, -5), kTransparent); // outside everything
}

TEST_F(DrawPass, HiddenElementIsLeftOutAloneItsChildrenAreDrawn) {
    frame_with_icon_state(0);
    EXPECT_EQ(pixel(2, 2), kBlue);   // the hidden red cover is not drawn
    EXPECT_EQ(pixel(3, 3), kGreen);  // its child is
    EXPECT_EQ(pixel(4, 4), kGreen);
}

TEST_F(DrawPass, IconStateChoosesBitmapIdPlusThreeTimesState) {
    struct Case {
        double state;
        Rgba at_9_2;  // a pixel inside the icon at (8,1), 3 x 3
    };
    const Case cases[] = {
        {0, kYellow}, {1, kCyan}, {2, kMagenta},
        {-1, kBlue},   // draws nothing: the root shows through
        {3, kBlue},    // no such state
        {1.75, kCyan}, // truncated
    };
    for (const Case& c : cases) {
        frame_with_icon_state(c.state);
        EXPECT_EQ(pixel(9, 2), c.at_9_2) << "state " << c.state;
        EXPECT_EQ(pixel(12, 1), kWhite) << "the icon's child, state " << c.state;
    }
}

TEST_F(DrawPass, SeeThroughIconShowsWhatLiesBeneath) {
    frame_with_icon_state(0);
    EXPECT_EQ(pixel(8, 1), kBlue);    // state 0's black corner: the root beneath
    frame_with_icon_state(1);
    EXPECT_EQ(pixel(8, 1), kCyan);    // state 1 has no black
}

TEST_F(DrawPass, RoutineShownElementAppearsAtTheNextDraw) {
    frame_with_icon_state(0);
    EXPECT_EQ(pixel(12, 5), kBlue);
    host.tokens().set_number(0x13, 1);
    host.update();
    host.draw();
    EXPECT_EQ(pixel(12, 5), kGrey);
}

TEST_F(DrawPass, DrawAfterKillDrawsNothingNew) {
    frame_with_icon_state(1);
    std::string error;
    ASSERT_TRUE(host.kill(&error));
    host.draw();
    EXPECT_TRUE(host.take_errors().empty());
    EXPECT_EQ(pixel(9, 2), kCyan);  // the last frame stays as it was
}

}  // namespace
