// Loading and lifecycle of the one gauge, the service table's trampolines, and the services that
// keep host-side registers: mouse lists and clicks, panel windows, named and module variables.
#include "host/panel_host.h"

#include "host/mouse_list.h"
#include "host/text_arena.h"

#include <algorithm>
#include <cstring>

PanelHost* PanelHost::active_ = nullptr;

namespace {

uint64_t ptr(const void* p) { return uint64_t(reinterpret_cast<uintptr_t>(p)); }

std::string base_name(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

constexpr size_t kMaxImportEntries = 64;
constexpr size_t kMaxNameLength = 256;  // a longer name is cut

size_t bounded_length(const char* text, size_t max) {
    size_t n = 0;
    while (n < max && text[n] != '\0') ++n;
    return n;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The services table: each entry forwards to the active host, and does nothing without one.

// The trampolines are static members of a friend, so each carries the calling convention of the
// table's entries on every platform.
struct PanelServiceCalls {
    static PanelHost* host() { return PanelHost::active_; }

    static void GAUGE_CALL query_elements(ElementHeader* root) {
        if (host() != nullptr) host()->log("QueryElements", {ptr(root)});
    }
    static void GAUGE_CALL install_elements(ElementHeader* root, void* resources) {
        if (host() == nullptr) return;
        host()->log("InstallElements", {ptr(root), ptr(resources)});
        host()->install_elements(root);
    }
    static void GAUGE_CALL initialize_elements(ElementHeader* root) {
        if (host() != nullptr) host()->log("InitializeElements", {ptr(root)});
    }
    static void GAUGE_CALL update_elements(ElementHeader* root) {
        if (host() == nullptr) return;
        host()->log("UpdateElements", {ptr(root)});
        host()->update_elements(root);
    }
    static void GAUGE_CALL generate_elements(ElementHeader* root, int32_t phase) {
        if (host() != nullptr) host()->log("GenerateElements", {ptr(root), number(phase)});
    }
    static void GAUGE_CALL draw_elements(ElementHeader* root) {
        if (host() == nullptr) return;
        host()->log("DrawElements", {ptr(root)});
        host()->draw_elements(root);
    }
    static void GAUGE_CALL kill_elements(ElementHeader* root) {
        if (host() == nullptr) return;
        host()->log("KillElements", {ptr(root)});
        host()->kill_elements(root);
    }
    static void GAUGE_CALL install_mouse_list(MouseRect* list, GaugeHeader* gauge, PixelSize size) {
        if (host() == nullptr) return;
        host()->log("InstallMouseList",
                    {ptr(list), ptr(gauge), number(size.width), number(size.height)});
        host()->install_mouse_list(list);
    }
    static void GAUGE_CALL register_mouse_list(MouseRect* list, GaugeHeader* gauge) {
        if (host() == nullptr) return;
        host()->log("RegisterMouseList", {ptr(list), ptr(gauge)});
        host()->set_mouse_list_registered(list, true);
    }
    static void GAUGE_CALL unregister_mouse_list(MouseRect* list, GaugeHeader* gauge) {
        if (host() == nullptr) return;
        host()->log("UnregisterMouseList", {ptr(list), ptr(gauge)});
        host()->set_mouse_list_registered(list, false);
    }
    static int32_t GAUGE_CALL switch_panel_window(int32_t id) {
        if (host() == nullptr) return 0;
        host()->log("SwitchPanelWindow", {number(id)});
        return host()->switch_panel_window(id);
    }
    static void GAUGE_CALL register_named_variable(void* address, int32_t type, const char* name) {
        if (host() == nullptr) return;
        host()->log("RegisterNamedVariable", {ptr(address), number(type)}, bounded(name));
        host()->register_named_variable(address, type, name);
    }
    static void GAUGE_CALL initialize_module_variable(ModuleVariable* v) {
        if (host() == nullptr) return;
        host()->log("InitializeModuleVariable", {ptr(v), v != nullptr ? uint64_t(uint32_t(v->token)) : 0});
        host()->refresh_module_variable(v);
    }
    static void GAUGE_CALL refresh_module_variable(ModuleVariable* v) {
        if (host() == nullptr) return;
        host()->log("RefreshModuleVariable", {ptr(v), v != nullptr ? uint64_t(uint32_t(v->token)) : 0});
        host()->refresh_module_variable(v);
    }
    static void GAUGE_CALL unregister_named_variable(const char* name) {
        if (host() == nullptr) return;
        host()->log("UnregisterNamedVariable", {}, bounded(name));
        host()->unregister_named_variable(name);
    }

    static uint64_t number(int32_t v) { return uint64_t(int64_t(v)); }
    static std::string bounded(const char* name) {
        return name != nullptr ? std::string(name, bounded_length(name, kMaxNameLength)) : std::string();
    }
};

void PanelHost::fill_services(PanelServices* t) {
    t->QueryElements = &PanelServiceCalls::query_elements;
    t->InstallElements = &PanelServiceCalls::install_elements;
    t->InitializeElements = &PanelServiceCalls::initialize_elements;
    t->UpdateElements = &PanelServiceCalls::update_elements;
    t->GenerateElements = &PanelServiceCalls::generate_elements;
    t->DrawElements = &PanelServiceCalls::draw_elements;
    t->KillElements = &PanelServiceCalls::kill_elements;
    t->InstallMouseList = &PanelServiceCalls::install_mouse_list;
    t->RegisterMouseList = &PanelServiceCalls::register_mouse_list;
    t->UnregisterMouseList = &PanelServiceCalls::unregister_mouse_list;
    t->SwitchPanelWindow = &PanelServiceCalls::switch_panel_window;
    t->RegisterNamedVariable = &PanelServiceCalls::register_named_variable;
    t->InitializeModuleVariable = &PanelServiceCalls::initialize_module_variable;
    t->RefreshModuleVariable = &PanelServiceCalls::refresh_module_variable;
    t->UnregisterNamedVariable = &PanelServiceCalls::unregister_named_variable;
}

PanelHost::PanelHost() { fill_services(&services_); }

PanelHost::~PanelHost() { unload(); }

void PanelHost::log(const char* service, std::vector<uint64_t> args, std::string text) {
    if (call_log_ != nullptr) call_log_->push_back({service, std::move(args), std::move(text)});
}

void PanelHost::error(const std::string& message) { errors_.push_back(module_name_ + ": " + message); }

std::vector<std::string> PanelHost::take_errors() {
    std::vector<std::string> taken;
    taken.swap(errors_);
    return taken;
}

// ---------------------------------------------------------------------------------------------
// Loading

std::string PanelHost::module_error(const std::string& module, const std::string& message) {
    return module + ": not a gauge module: " + message;
}

bool PanelHost::check_module(std::string* error) {
    const ModuleLinkage* linkage = module_->linkage();
    if (linkage->module_id != kModuleIdentifier) {
        *error = module_error(module_name_, "module identifier " + hex_id(uint32_t(linkage->module_id)) +
                                                ", expected 0x13");
        return false;
    }
    GaugeHeader* gauge = linkage->gauges[0];
    if (gauge == nullptr) {
        *error = module_error(module_name_, "the linkage lists no gauge header");
        return false;
    }
    ImportEntry* services_entry = nullptr;
    ImportEntry* imports = module_->import_table();
    for (size_t i = 0; i < kMaxImportEntries && imports[i].id != 0; ++i)
        if (imports[i].id == kPanelServicesImportId) services_entry = &imports[i];
    if (services_entry == nullptr) {
        *error = module_error(module_name_, "the import table has no entry 0x0000000F");
        return false;
    }
    if (gauge->root == nullptr || *gauge->root == nullptr) {
        *error = module_error(module_name_, "the gauge header names no root element");
        return false;
    }
    if ((*gauge->root)->kind != kElementStatic) {
        *error = module_error(module_name_, "the root element is a " + kind_name((*gauge->root)->kind) +
                                                ", not a static image");
        return false;
    }
    const std::pair<const char*, bool> routines[] = {
        {"query", gauge->query != nullptr},       {"install", gauge->install != nullptr},
        {"initialize", gauge->initialize != nullptr}, {"update", gauge->update != nullptr},
        {"generate", gauge->generate != nullptr}, {"draw", gauge->draw != nullptr},
        {"kill", gauge->kill != nullptr},
    };
    for (const auto& [name, present] : routines) {
        if (!present) {
            *error = module_error(module_name_, std::string("the gauge header has no ") + name + " routine");
            return false;
        }
    }
    gauge_ = gauge;
    services_entry->pointer = &services_;
    return true;
}

bool PanelHost::load(const std::string& path, std::string* error) {
    if (loaded()) {
        *error = "a module is loaded already: " + module_name_;
        return false;
    }
    if (active_ != nullptr) {
        *error = "another panel host has a module loaded";
        return false;
    }
    // Text tokens want their fixed addresses before any module takes them.
    text_arena(nullptr);
    module_name_ = base_name(path);
    module_ = ModuleFile::open(path, error);
    if (module_ == nullptr) return false;
    if (!check_module(error)) {
        module_.reset();
        return false;
    }
    active_ = this;
    if (module_->linkage()->module_init != nullptr) module_->linkage()->module_init();
    return true;
}

void PanelHost::unload() {
    if (!loaded()) return;
    if (installed_) {
        std::string ignored;
        kill(&ignored);
    }
    if (module_->linkage()->module_deinit != nullptr) module_->linkage()->module_deinit();
    if (active_ == this) active_ = nullptr;
    elements_.clear();
    elements_installed_ = false;
    mouse_lists_.clear();
    named_.clear();  // the addresses point into the module
    gauge_ = nullptr;
    module_.reset();
}

// ---------------------------------------------------------------------------------------------
// The gauge's routines

bool PanelHost::install(std::string* error) {
    if (!loaded() || installed_) {
        *error = loaded() ? "the gauge is installed already" : "no module loaded";
        return false;
    }
    installed_ = true;
    gauge_->install(module_->resource_handle());
    return true;
}

bool PanelHost::kill(std::string* error) {
    if (!installed_) {
        *error = "the gauge is not installed";
        return false;
    }
    gauge_->kill();
    installed_ = false;
    return true;
}

void PanelHost::query() {
    if (loaded()) gauge_->query();  // hands over the root only: valid without install
}
void PanelHost::initialize() {
    if (installed_) gauge_->initialize();
}
void PanelHost::update() {
    if (installed_) gauge_->update();
}
void PanelHost::generate(int32_t phase) {
    if (installed_) gauge_->generate(phase);
}
void PanelHost::draw() {
    if (installed_) gauge_->draw();
}

// ---------------------------------------------------------------------------------------------
// Mouse lists and clicks

void PanelHost::install_mouse_list(MouseRect* list) {
    MouseListScan scan = scan_mouse_list(list);
    for (const std::string& problem : scan.problems) error(problem);
    auto it = std::find_if(mouse_lists_.begin(), mouse_lists_.end(),
                           [&](const InstalledMouseList& m) { return m.list == list; });
    if (it == mouse_lists_.end()) it = mouse_lists_.insert(mouse_lists_.end(), InstalledMouseList{});
    it->list = list;
    it->entries = list != nullptr ? scan.entries : std::vector<MouseRect*>{};
    it->registered = false;
}

void PanelHost::set_mouse_list_registered(MouseRect* list, bool registered) {
    auto it = std::find_if(mouse_lists_.begin(), mouse_lists_.end(),
                           [&](const InstalledMouseList& m) { return m.list == list; });
    if (it == mouse_lists_.end()) {
        if (!registered) return;
        error("RegisterMouseList with a mouse list that was never installed");
        install_mouse_list(list);
        it = mouse_lists_.end() - 1;
    }
    it->registered = registered;
}

bool PanelHost::click(int x, int y, int32_t* result) {
    for (const InstalledMouseList& m : mouse_lists_) {
        if (!m.registered) continue;
        for (MouseRect* e : m.entries) {
            if (e->kind != kMouseChild || e->routine == nullptr || (e->event_flags & kMouseClick) == 0)
                continue;
            if (!mouse_box_contains(*e, x, y)) continue;
            int32_t r = e->routine(0, 0);
            if (result != nullptr) *result = r;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Panel windows, named variables, module variables

int32_t PanelHost::switch_panel_window(int32_t id) {
    bool& shown = windows_[id];  // every window starts hidden
    shown = !shown;
    return 1;
}

void PanelHost::register_named_variable(void* address, int32_t type_code, const char* name) {
    if (name == nullptr || address == nullptr) {
        error("RegisterNamedVariable without a name or an address");
        return;
    }
    std::string key(name, bounded_length(name, kMaxNameLength));
    for (NamedVariable& v : named_) {
        if (v.name == key) {
            v.type_code = type_code;
            v.address = address;
            return;
        }
    }
    named_.push_back({key, type_code, address});
}

void PanelHost::unregister_named_variable(const char* name) {
    if (name == nullptr) return;
    std::string key(name, bounded_length(name, kMaxNameLength));
    std::erase_if(named_, [&](const NamedVariable& v) { return v.name == key; });
}

void PanelHost::refresh(ModuleVariable& variable) {
    if (variable.token == 0) return;
    TokenStore::Value value = tokens_.read(uint32_t(variable.token));
    std::memcpy(variable.value.bytes, value.data(), 8);
}

void PanelHost::refresh_module_variable(ModuleVariable* variable) {
    if (variable == nullptr) {
        error("a module variable service called without a record");
        return;
    }
    refresh(*variable);
}
