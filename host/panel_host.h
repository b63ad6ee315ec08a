// The panel host: one loaded gauge module, its one gauge, and every service of the services
// table the module calls back through. It plays the part of the simulator's panel system:
// installs, updates and draws the element tree, dispatches clicks to the mouse list, keeps the
// panel windows, the token values and the named variables.
//
// The services are plain functions in a table, so they reach the host through one pointer: the
// host that has a module loaded is the active one, and only one host may have a module loaded
// at a time. Problems found while serving the module (a missing bitmap, a tree that is not a
// tree) do not stop the call: the service finishes safely, and the problem is kept as an error
// message for the caller (take_errors).
#pragma once

#include "framework/gauge_records.h"
#include "host/element_tree.h"
#include "host/module_file.h"
#include "host/raster.h"
#include "host/token_store.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// One service call as the call log keeps it: the service's name, its arguments in call order
// (pointers as numbers; a size as width, height), and the text of a name argument.
struct ServiceCall {
    std::string service;
    std::vector<uint64_t> args;
    std::string text;
    bool operator==(const ServiceCall&) const = default;
};

// What an element's update routine last returned. Until its routine has run an element shows
// these defaults: angle 0, icon state 0, change key 0, channels 0.
struct ElementResult {
    bool ran = false;
    double value = 0;                // needle angle, icon state or string change key
    double channels[3] = {0, 0, 0};  // sprite channels, unscaled
};

struct NamedVariable {
    std::string name;
    int32_t type_code;
    const void* address;  // a 32-bit word of the module
};

class PanelHost {
public:
    PanelHost();
    ~PanelHost();  // unloads the module, killing the gauge first if it is installed
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    // Loads a module file, checks that it is a gauge module, writes the services address into
    // its import table and calls the module initialisation routine. False with *error set when
    // the file cannot be loaded or is not a gauge module, or another host has a module loaded.
    bool load(const std::string& path, std::string* error);
    // Kills the gauge if installed, calls the module de-initialisation routine, unloads.
    void unload();

    bool loaded() const { return module_ != nullptr; }
    const ModuleFile* module() const { return module_.get(); }
    const std::string& module_name() const { return module_name_; }  // the file's name
    GaugeHeader* gauge() const { return gauge_; }
    ElementHeader* root() const { return gauge_ != nullptr ? *gauge_->root : nullptr; }

    // The gauge's routines. install and kill return false (with *error set) when the gauge is
    // already installed, or not installed; the others do nothing unless it is installed.
    bool install(std::string* error);
    bool kill(std::string* error);
    bool installed() const { return installed_; }
    void query();
    void initialize();
    void update();
    void generate(int32_t phase);
    void draw();

    // A click at a panel point (root-image pixels, anywhere): calls the routine of the first
    // child entry of a registered mouse list whose box holds the point and which reacts to
    // clicks. A mouse routine gets the arguments (0, 0): no gauge reads them. Returns whether a
    // routine ran, and its result in *result.
    bool click(int x, int y, int32_t* result = nullptr);

    TokenStore& tokens() { return tokens_; }
    const TokenStore& tokens() const { return tokens_; }
    // The last frame drawn; null before the first draw.
    const Frame* frame() const { return has_frame_ ? &frame_ : nullptr; }
    // Every panel window switched so far, by id, and whether it is shown now.
    const std::map<int32_t, bool>& windows() const { return windows_; }
    const std::vector<NamedVariable>& named_variables() const { return named_; }
    // The result of an element's routine; defaults for an element not installed.
    ElementResult result(const ElementHeader* element) const;
    // The text buffer the host made for a string element; null when none.
    const char* text_buffer(const ElementHeader* element, size_t* size) const;

    // Problems found since the last call, each a message that starts with the module's name.
    std::vector<std::string> take_errors();
    bool has_errors() const { return !errors_.empty(); }

    // Records every service call into *log from now on (null: stop recording).
    void set_call_log(std::vector<ServiceCall>* log) { call_log_ = log; }
    // The table whose address the module's import table receives.
    PanelServices* services() { return &services_; }

private:
    friend struct PanelServiceCalls;

    struct InstalledElement {
        std::vector<Image> images;    // static, needle: 1; icon: one per state; sprite: texture, window
        std::vector<bool> present;    // whether images[i] was found
        std::unique_ptr<char[]> text; // string: length + 1 bytes
        size_t text_size = 0;
        ElementResult result;
    };
    struct InstalledMouseList {
        MouseRect* list = nullptr;
        std::vector<MouseRect*> entries;
        bool registered = false;
    };

    static PanelHost* active_;
    static void fill_services(PanelServices* table);
    static std::string module_error(const std::string& module, const std::string& message);
    bool check_module(std::string* error);

    void log(const char* service, std::vector<uint64_t> args, std::string text = {});
    void error(const std::string& message);

    // Services (element_install.cpp, element_update.cpp, element_draw.cpp, panel_host.cpp).
    void install_elements(ElementHeader* root);
    void kill_elements(ElementHeader* root);
    void update_elements(ElementHeader* root);
    void draw_elements(ElementHeader* root);
    void install_mouse_list(MouseRect* list);
    void set_mouse_list_registered(MouseRect* list, bool registered);
    int32_t switch_panel_window(int32_t id);
    void register_named_variable(void* address, int32_t type_code, const char* name);
    void unregister_named_variable(const char* name);
    void refresh_module_variable(ModuleVariable* variable);

    bool load_bitmap(uint32_t id, const std::string& what, bool required, Image* out);
    void refresh(ModuleVariable& variable);
    void draw_element(const ElementHeader& element, const InstalledElement& installed);
    void frame_bounds(const ElementTree& tree, int* left, int* top, int* right, int* bottom) const;

    PanelServices services_{};
    std::unique_ptr<ModuleFile> module_;
    std::string module_name_;
    GaugeHeader* gauge_ = nullptr;
    bool installed_ = false;

    std::unordered_map<const ElementHeader*, InstalledElement> elements_;
    bool elements_installed_ = false;
    std::vector<InstalledMouseList> mouse_lists_;
    TokenStore tokens_;
    Frame frame_;
    bool has_frame_ = false;
    std::map<int32_t, bool> windows_;
    std::vector<NamedVariable> named_;
    std::vector<std::string> errors_;
    std::vector<ServiceCall>* call_log_ = nullptr;
};
