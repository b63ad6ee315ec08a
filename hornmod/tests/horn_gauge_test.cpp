// The horn gauge's own forms of install, update and kill, and its mouse routines, as the host's
// call log sees them: which services, in which order, with which arguments.
#include "host/panel_host.h"
#include "platform/softsound/softsound.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

namespace {

const std::string kModule = std::string(MODULE_DIR) + "/hornmod.so";

class HornGauge : public ::testing::Test {
protected:
    std::vector<ServiceCall> calls;  // outlives the host, which logs its unload into it
    PanelHost host;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.load(kModule, &error)) << error;
        host.set_call_log(&calls);
    }

    // The services called, by name, with the token of each module variable refreshed.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const ServiceCall& c : calls) {
            std::string name = c.service;
            if (c.service == "RefreshModuleVariable" || c.service == "InitializeModuleVariable") {
                char token[16];
                std::snprintf(token, sizeof token, " 0x%llx", (unsigned long long)c.args.at(1));
                name += token;
            }
            out.push_back(name);
        }
        return out;
    }
};

TEST_F(HornGauge, InstallStartsTheSoundsAndPublishesTheNamedVariable) {
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    EXPECT_EQ(names(), (std::vector<std::string>{"InstallElements", "InstallMouseList",
                                                 "RegisterMouseList", "RegisterNamedVariable"}));
    const ServiceCall& named = calls.back();
    EXPECT_EQ(named.args.at(1), 0x13u);
    EXPECT_EQ(named.text, "gtest_bcast");
    EXPECT_EQ(calls[0].args.at(1), uint64_t(uintptr_t(host.module()->resource_handle())));
    // The two sounds are loaded (one buffer each) by the time install returns.
    EXPECT_EQ(softsound_buffer_count(), 2u);
    ASSERT_EQ(host.named_variables().size(), 1u);
    EXPECT_EQ(*static_cast<const int32_t*>(host.named_variables()[0].address), 0);
}

TEST_F(HornGauge, KillShutsTheSoundsDownBetweenTheStandardSteps) {
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    calls.clear();
    ASSERT_TRUE(host.kill(&error)) << error;
    EXPECT_EQ(names(), (std::vector<std::string>{"UnregisterMouseList", "KillElements",
                                                 "UnregisterNamedVariable"}));
    EXPECT_EQ(calls.back().text, "gtest_bcast");
    EXPECT_EQ(softsound_buffer_count(), 0u);
    EXPECT_TRUE(host.named_variables().empty());
}

TEST_F(HornGauge, UpdateRefreshesItsFourVariablesBeforeTheElementPass) {
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    calls.clear();
    host.update();
    EXPECT_EQ(names(), (std::vector<std::string>{
                           "RefreshModuleVariable 0x1", "RefreshModuleVariable 0x80",
                           "RefreshModuleVariable 0x3c", "RefreshModuleVariable 0x14c",
                           "UpdateElements"}));
}

TEST_F(HornGauge, ClicksReadTheTimeBaseAndReturnZero) {
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    for (auto [x, y] : {std::pair{1, 9}, {36, 34}, {1, 35}, {36, 60}}) {
        calls.clear();
        int32_t result = -1;
        EXPECT_TRUE(host.click(x, y, &result)) << x << "," << y;
        EXPECT_EQ(result, 0);
        EXPECT_EQ(names(), std::vector<std::string>{"RefreshModuleVariable 0x1"});
    }
    // Outside both halves nothing runs: the boxes start at x 1, y 9 and end before x 37, y 61.
    for (auto [x, y] : {std::pair{0, 20}, {37, 20}, {10, 8}, {10, 61}, {50, 30}})
        EXPECT_FALSE(host.click(x, y)) << x << "," << y;
}

}  // namespace
