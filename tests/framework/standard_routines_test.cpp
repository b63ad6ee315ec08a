// The standard gauge routines, seen from the host side: a recording services table written into
// a module's import table takes every call, so each routine's calls and their arguments can be
// checked, and swapping the table mid-install shows that each call reads the import table anew.
#include "framework/gauge_records.h"
#include "host/module_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Call {
    int table;  // which recording table took the call
    std::string service;
    std::vector<uint64_t> args;
    bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Call& c) {
    out << "table " << c.table << " " << c.service << "(";
    for (size_t i = 0; i < c.args.size(); ++i) out << (i ? ", " : "") << std::hex << "0x" << c.args[i];
    return out << ")";
}

std::vector<Call> calls;
ImportEntry* services_entry = nullptr;
PanelServices* swap_to = nullptr;  // InstallElements writes this into the import table when set
constexpr PixelSize kRootSize{123, 45};

uint64_t p(const void* x) { return uint64_t(reinterpret_cast<uintptr_t>(x)); }
uint64_t n(int32_t x) { return uint64_t(int64_t(x)); }

template <int Table>
struct Recorder {
    static void record(const char* s, std::vector<uint64_t> a) { calls.push_back({Table, s, std::move(a)}); }
    static void GAUGE_CALL query(ElementHeader* r) { record("QueryElements", {p(r)}); }
    static void GAUGE_CALL install(ElementHeader* r, void* h) {
        record("InstallElements", {p(r), p(h)});
        r->installed_size = kRootSize;  // what a host writes: the root image's size
        if (swap_to != nullptr) services_entry->pointer = swap_to;
    }
    static void GAUGE_CALL initialize(ElementHeader* r) { record("InitializeElements", {p(r)}); }
    static void GAUGE_CALL update(ElementHeader* r) { record("UpdateElements", {p(r)}); }
    static void GAUGE_CALL generate(ElementHeader* r, int32_t phase) { record("GenerateElements", {p(r), n(phase)}); }
    static void GAUGE_CALL draw(ElementHeader* r) { record("DrawElements", {p(r)}); }
    static void GAUGE_CALL kill(ElementHeader* r) { record("KillElements", {p(r)}); }
    static void GAUGE_CALL install_mouse(MouseRect* m, GaugeHeader* g, PixelSize s) {
        record("InstallMouseList", {p(m), p(g), n(s.width), n(s.height)});
    }
    static void GAUGE_CALL register_mouse(MouseRect* m, GaugeHeader* g) { record("RegisterMouseList", {p(m), p(g)}); }
    static void GAUGE_CALL unregister_mouse(MouseRect* m, GaugeHeader* g) { record("UnregisterMouseList", {p(m), p(g)}); }
    static int32_t GAUGE_CALL switch_window(int32_t id) { record("SwitchPanelWindow", {n(id)}); return 1; }
    static void GAUGE_CALL register_named(void* a, int32_t t, const char*) { record("RegisterNamedVariable", {p(a), n(t)}); }
    static void GAUGE_CALL init_variable(ModuleVariable* v) { record("InitializeModuleVariable", {p(v)}); }
    static void GAUGE_CALL refresh_variable(ModuleVariable* v) { record("RefreshModuleVariable", {p(v)}); }
    static void GAUGE_CALL unregister_named(const char*) { record("UnregisterNamedVariable", {}); }

    static PanelServices table() {
        PanelServices t{};
        t.QueryElements = &query;
        t.InstallElements = &install;
        t.InitializeElements = &initialize;
        t.UpdateElements = &update;
        t.GenerateElements = &generate;
        t.DrawElements = &draw;
        t.KillElements = &kill;
        t.InstallMouseList = &install_mouse;
        t.RegisterMouseList = &register_mouse;
        t.UnregisterMouseList = &unregister_mouse;
        t.SwitchPanelWindow = &switch_window;
        t.RegisterNamedVariable = &register_named;
        t.InitializeModuleVariable = &init_variable;
        t.RefreshModuleVariable = &refresh_variable;
        t.UnregisterNamedVariable = &unregister_named;
        return t;
    }
};

PanelServices table_a = Recorder<1>::table();
PanelServices table_b = Recorder<2>::table();

std::vector<std::string> standard_modules() {
    std::vector<std::string> out;
    std::stringstream list(STANDARD_MODULES);
    for (std::string name; std::getline(list, name, ',');) out.push_back(name);
    return out;
}

class StandardRoutines : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        std::string error;
        module_ = ModuleFile::open(std::string(MODULE_DIR) + "/" + GetParam() + ".so", &error);
        ASSERT_NE(module_, nullptr) << error;
        for (ImportEntry* e = module_->import_table(); e->id != 0; ++e)
            if (e->id == kPanelServicesImportId) services_entry = e;
        ASSERT_NE(services_entry, nullptr);
        services_entry->pointer = &table_a;
        gauge_ = module_->linkage()->gauges[0];
        root_ = *gauge_->root;
        calls.clear();
        swap_to = nullptr;
    }
    void TearDown() override {
        if (services_entry != nullptr) services_entry->pointer = nullptr;
        services_entry = nullptr;
        module_.reset();
    }
    std::unique_ptr<ModuleFile> module_;
    GaugeHeader* gauge_ = nullptr;
    ElementHeader* root_ = nullptr;
};

TEST_P(StandardRoutines, EachRoutineCallsItsServicesInOrder) {
    void* handle = module_->resource_handle();
    gauge_->query();
    gauge_->install(handle);
    // The mouse list is the module's; take its address from the install call.
    ASSERT_GE(calls.size(), 3u);
    uint64_t mouse = calls[2].args.at(0);
    gauge_->initialize();
    gauge_->update();
    gauge_->generate(-7);
    gauge_->draw();
    gauge_->query();
    gauge_->kill();

    const uint64_t root = p(root_), gauge = p(gauge_);
    std::vector<Call> expected = {
        {1, "QueryElements", {root}},
        {1, "InstallElements", {root, p(handle)}},
        {1, "InstallMouseList", {mouse, gauge, 123, 45}},  // the size InstallElements wrote
        {1, "RegisterMouseList", {mouse, gauge}},
        {1, "InitializeElements", {root}},
        {1, "UpdateElements", {root}},
        {1, "GenerateElements", {root, n(-7)}},
        {1, "DrawElements", {root}},
        {1, "QueryElements", {root}},  // the same root before and after install
        {1, "UnregisterMouseList", {mouse, gauge}},
        {1, "KillElements", {root}},
    };
    EXPECT_EQ(calls, expected);
}

TEST_P(StandardRoutines, EveryCallReadsTheServicesAddressAnew) {
    swap_to = &table_b;
    gauge_->install(module_->resource_handle());
    gauge_->update();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].table, 1);
    EXPECT_EQ(calls[0].service, "InstallElements");
    EXPECT_EQ(calls[1].table, 2);
    EXPECT_EQ(calls[1].service, "InstallMouseList");
    EXPECT_EQ(calls[2].table, 2);
    EXPECT_EQ(calls[3], (Call{2, "UpdateElements", {p(root_)}}));
}

TEST_P(StandardRoutines, LoadingAndUnloadingWithoutTheGaugeCallsNoService) {
    module_->linkage()->module_init();
    module_->linkage()->module_deinit();
    services_entry = nullptr;  // gone with the library
    module_.reset();
    std::string error;
    module_ = ModuleFile::open(std::string(MODULE_DIR) + "/" + GetParam() + ".so", &error);
    ASSERT_NE(module_, nullptr) << error;
    module_.reset();
    EXPECT_TRUE(calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Modules, StandardRoutines, ::testing::ValuesIn(standard_modules()),
                         [](const auto& info) { return info.param; });

}  // namespace
