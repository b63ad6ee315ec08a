// The update pass: drawing order, hidden elements' routines, source variables brought up to
// date before each routine, and what the routines return.
#include "host_fixture.h"

#include <cstring>

namespace {

class UpdatePass : public HostTest {
protected:
    void SetUp() override {
        start("fixture_tree");
        ASSERT_TRUE(host.take_errors().empty());
    }
    // The marker tokens the element routines announce themselves with, in call order.
    std::vector<uint64_t> routine_order(const std::vector<ServiceCall>& log) {
        std::vector<uint64_t> order;
        for (const ServiceCall& c : log)
            if (c.service == "RefreshModuleVariable" && c.args[1] >= 0x7000 && c.args[1] < 0x7100)
                order.push_back(c.args[1] - 0x7000);
        return order;
    }
};

TEST_F(UpdatePass, RoutinesRunInDrawingOrderHiddenOrNot) {
    std::vector<ServiceCall> log;
    host.set_call_log(&log);
    host.update();
    host.set_call_log(nullptr);
    // Elements 4, 6 (hidden at load), 7, 8, 9 have routines; the hidden static 2 has none.
    EXPECT_EQ(routine_order(log), (std::vector<uint64_t>{4, 6, 7, 8, 9}));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().service, "UpdateElements");
    // The gauge's own update refreshes its module variable after the pass.
    EXPECT_EQ(log.back().service, "RefreshModuleVariable");
    EXPECT_EQ(log.back().args[1], 0x20u);
}

TEST_F(UpdatePass, HiddenElementsRoutineCanShowIt) {
    ElementHeader* hide_icon = element(6);
    ASSERT_TRUE(hide_icon->image_flags & kImageHidden);
    host.update();
    EXPECT_TRUE(hide_icon->image_flags & kImageHidden);  // token 0x13 unset: stays hidden
    host.tokens().set_number(0x13, 1);
    host.update();
    EXPECT_FALSE(hide_icon->image_flags & kImageHidden);
    host.tokens().set_number(0x13, 0);
    host.update();
    EXPECT_TRUE(hide_icon->image_flags & kImageHidden);
}

TEST_F(UpdatePass, SourcesAreRefreshedBeforeEachRoutine) {
    host.tokens().set_number(0x11, 42.5);
    host.tokens().set_number(0x10, 2);
    host.tokens().set_number(0x14, -3);
    host.tokens().set_number(0x15, 90);
    host.update();
    EXPECT_EQ(host.result(element(7)).value, 42.5);  // needle
    EXPECT_EQ(host.result(element(4)).value, 2);     // icon
    ElementResult sprite = host.result(element(8));
    EXPECT_EQ(sprite.channels[0], -3);               // unscaled, before the factor 0.5
    EXPECT_EQ(sprite.channels[1], 0);                // no routine
    EXPECT_EQ(sprite.channels[2], 90);
    host.tokens().set_number(0x11, -720);
    host.update();
    EXPECT_EQ(host.result(element(7)).value, -720);
}

TEST_F(UpdatePass, ElementsWithoutARunShowDefaults) {
    ElementResult r = host.result(element(7));
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(r.value, 0);
    host.update();
    EXPECT_TRUE(host.result(element(7)).ran);
    EXPECT_FALSE(host.result(element(1)).ran);  // the root has no routine
}

TEST_F(UpdatePass, StringRoutineGetsItsFirstSourceAndWritesItsBuffer) {
    host.tokens().set_number(0x12, 273.9);
    host.update();
    ElementHeader* label = element(9);
    EXPECT_EQ(host.result(label).value, 273.9);  // the change key the routine returned
    size_t size = 0;
    const char* text = host.text_buffer(label, &size);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(size, 9u);  // length 8 and the NUL
    EXPECT_STREQ(text, "273\xB0");
}

TEST_F(UpdatePass, TextTokensReachTheGaugeAsAddressesBelow4GiB) {
    std::string error;
    ASSERT_TRUE(host.tokens().set_text(0x17, "KXYZ", &error)) << error;
    host.update();
    auto* label = reinterpret_cast<StringElement*>(element(9));
    // The value bytes: the text's address in the low word, 0 in the high word.
    uint32_t high;
    std::memcpy(&high, label->sources[1].value.bytes + 4, 4);
    EXPECT_EQ(high, 0u);
    size_t size = 0;
    EXPECT_STREQ(host.text_buffer(element(9), &size), "KXYZ");
}

TEST_F(UpdatePass, IntegerTokensKeepTheHighWordZero) {
    host.tokens().set_number(0x10, -1.5);  // first a float with every byte set
    host.tokens().set_integer(0x10, 0x80);
    TokenStore::Value v = host.tokens().read(0x10);
    EXPECT_EQ(v, (TokenStore::Value{0x80, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(host.tokens().read(0x999), TokenStore::Value{});  // never set
}

TEST_F(UpdatePass, UpdateAfterKillCallsNoRoutine) {
    std::string error;
    ASSERT_TRUE(host.kill(&error));
    std::vector<ServiceCall> log;
    host.set_call_log(&log);
    host.update();  // the host does not drive a killed gauge
    EXPECT_TRUE(log.empty());
}

}  // namespace
