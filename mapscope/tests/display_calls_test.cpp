// The display's own install, update and kill, seen as the host sees them: the order of the
// host services they call, with the module variables named by their tokens. The element pass
// itself is checked through the script tests; here only what the pass does not show.
#include "host/panel_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A service call as "Service" or "Service 0xTOKEN" for the module variable services.
std::vector<std::string> describe(const std::vector<ServiceCall>& calls) {
    std::vector<std::string> out;
    for (const ServiceCall& c : calls) {
        std::string line = c.service;
        if ((c.service == "InitializeModuleVariable" || c.service == "RefreshModuleVariable") &&
            c.args.size() == 2) {
            char token[16];
            std::snprintf(token, sizeof token, " 0x%llx", static_cast<unsigned long long>(c.args[1]));
            line += token;
        }
        out.push_back(line);
    }
    return out;
}

class DisplayCalls : public ::testing::Test {
protected:
    void SetUp() override {
        host.set_call_log(&log);
        std::string error;
        ASSERT_TRUE(host.load(std::string(MODULE_DIR) + "/mapscope.so", &error)) << error;
    }
    void TearDown() override { host.set_call_log(nullptr); }

    std::vector<std::string> take() {
        std::vector<std::string> out = describe(log);
        log.clear();
        return out;
    }

    PanelHost host;
    std::vector<ServiceCall> log;
};

TEST_F(DisplayCalls, LoadingCallsNoServiceAndInstallBindsTheVariablesBeforeTheMouseList) {
    EXPECT_TRUE(take().empty());
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    const std::vector<std::string> expected = {
        "InstallElements",
        "InitializeModuleVariable 0x51",  "InitializeModuleVariable 0x56",
        "InitializeModuleVariable 0x2a",  "InitializeModuleVariable 0x2b",
        "InitializeModuleVariable 0x14",  "InitializeModuleVariable 0x31",
        "InitializeModuleVariable 0x3a",  "InitializeModuleVariable 0x5",
        "InitializeModuleVariable 0x6",   "InitializeModuleVariable 0x7",
        "InitializeModuleVariable 0x159", "InitializeModuleVariable 0x15a",
        "InstallMouseList",               "RegisterMouseList",
    };
    EXPECT_EQ(take(), expected);
}

// Inside the pass the VOR 1 tail and head each refresh 0x51 and the cyan bar's rotation routine
// refreshes 0x2a; after the pass the twelve refreshes follow in their own order.
TEST_F(DisplayCalls, UpdateRefreshesAfterThePassInItsOwnOrder) {
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    log.clear();
    host.update();
    const std::vector<std::string> expected = {
        "UpdateElements",
        "RefreshModuleVariable 0x51",  "RefreshModuleVariable 0x51",  // VOR 1 tail, then head
        "RefreshModuleVariable 0x2a",                                 // course set
        "RefreshModuleVariable 0x51",  "RefreshModuleVariable 0x56",
        "RefreshModuleVariable 0x14",  "RefreshModuleVariable 0x31",
        "RefreshModuleVariable 0x3a",  "RefreshModuleVariable 0x2b",
        "RefreshModuleVariable 0x2a",  "RefreshModuleVariable 0x5",
        "RefreshModuleVariable 0x7",   "RefreshModuleVariable 0x6",
        "RefreshModuleVariable 0x159", "RefreshModuleVariable 0x15a",
    };
    EXPECT_EQ(take(), expected);
}

TEST_F(DisplayCalls, KillIsTheStandardKillAndAnInstallAfterItBindsAgain) {
    std::string error;
    ASSERT_TRUE(host.install(&error)) << error;
    log.clear();
    ASSERT_TRUE(host.kill(&error)) << error;
    EXPECT_EQ(take(), (std::vector<std::string>{"UnregisterMouseList", "KillElements"}));
    ASSERT_TRUE(host.install(&error)) << error;
    std::vector<std::string> again = take();
    ASSERT_EQ(again.size(), 15u);
    EXPECT_EQ(again.front(), "InstallElements");
    EXPECT_EQ(again.back(), "RegisterMouseList");
    EXPECT_TRUE(host.take_errors().empty());
}

}  // namespace
