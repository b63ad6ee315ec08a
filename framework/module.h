// What every gauge module is made of: the two exported records, access to the host's services
// through the import table, and the standard forms of the seven gauge routines.
#pragma once

#include "gauge_records.h"

#if defined(_WIN32)
#define GAUGE_EXPORT  // exports come from the module's .def file
#else
#define GAUGE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" GAUGE_EXPORT ImportEntry ImportTable[2];

// The services table as the import table holds it right now. Read afresh on every call: the host
// may write the entry at any time, and a module keeps no copy.
inline PanelServices* panel_services() {
    return static_cast<PanelServices*>(*static_cast<void* volatile*>(&ImportTable[0].pointer));
}

void GAUGE_CALL gauge_module_init();
void GAUGE_CALL gauge_module_deinit();

// Defines the exported "Linkage" record listing the module's one gauge.
#define GAUGE_MODULE_LINKAGE(gauge_header)                                                   \
    extern "C" {                                                                             \
    GAUGE_EXPORT ModuleLinkage Linkage = {kModuleIdentifier, &gauge_module_init,             \
                                          &gauge_module_deinit, {0, 0, 0},                   \
                                          {&(gauge_header), nullptr}};                       \
    }                                                                                        \
    static_assert(true, "")

// ---------------------------------------------------------------------------------------------
// Building blocks of the gauge routines. Gauges with their own install, update or kill routines
// put these together in the same order as the standard forms and add their own work between.

inline ElementHeader* gauge_root(const GaugeHeader& gauge) { return *gauge.root; }

inline void gauge_install_elements(const GaugeHeader& gauge, void* resources) {
    panel_services()->InstallElements(gauge_root(gauge), resources);
}

// Installs the mouse list at the size of the root's installed image, then registers it. Only
// valid once the elements are installed: the host writes the size during InstallElements.
inline void gauge_install_mouse(GaugeHeader& gauge, MouseRect* mouse) {
    panel_services()->InstallMouseList(mouse, &gauge, gauge_root(gauge)->installed_size);
    panel_services()->RegisterMouseList(mouse, &gauge);
}

inline void gauge_unregister_mouse(GaugeHeader& gauge, MouseRect* mouse) {
    panel_services()->UnregisterMouseList(mouse, &gauge);
}

inline void gauge_kill_elements(const GaugeHeader& gauge) {
    panel_services()->KillElements(gauge_root(gauge));
}

inline void gauge_update_elements(const GaugeHeader& gauge) {
    panel_services()->UpdateElements(gauge_root(gauge));
}

// The standard forms of the seven routines for one gauge and its mouse list (null for none).
template <GaugeHeader* Gauge, MouseRect* Mouse>
struct StandardRoutines {
    static void GAUGE_CALL query() { panel_services()->QueryElements(gauge_root(*Gauge)); }
    static void GAUGE_CALL install(void* resources) {
        gauge_install_elements(*Gauge, resources);
        gauge_install_mouse(*Gauge, Mouse);
    }
    static void GAUGE_CALL initialize() { panel_services()->InitializeElements(gauge_root(*Gauge)); }
    static void GAUGE_CALL update() { gauge_update_elements(*Gauge); }
    static void GAUGE_CALL generate(int32_t phase) {
        panel_services()->GenerateElements(gauge_root(*Gauge), phase);
    }
    static void GAUGE_CALL draw() { panel_services()->DrawElements(gauge_root(*Gauge)); }
    static void GAUGE_CALL kill() {
        gauge_unregister_mouse(*Gauge, Mouse);
        gauge_kill_elements(*Gauge);
    }
};

// The header of a gauge with its own install, update and kill routines and the standard forms
// of the other four.
template <GaugeHeader* Gauge, MouseRect* Mouse>
constexpr GaugeHeader gauge_header(const char* name, ElementHeader** root_slot,
                                   int32_t default_size_mm,
                                   void(GAUGE_CALL* install)(void* resources),
                                   void(GAUGE_CALL* update)(), void(GAUGE_CALL* kill)()) {
    using Standard = StandardRoutines<Gauge, Mouse>;
    return GaugeHeader{kGaugeHeaderVersion, name, root_slot,
                       &Standard::query, install, &Standard::initialize,
                       update, &Standard::generate, &Standard::draw, kill,
                       0, default_size_mm, {}};
}

// The header of a gauge whose seven routines are all the standard forms.
template <GaugeHeader* Gauge, MouseRect* Mouse>
constexpr GaugeHeader standard_gauge_header(const char* name, ElementHeader** root_slot,
                                            int32_t default_size_mm) {
    using Standard = StandardRoutines<Gauge, Mouse>;
    return gauge_header<Gauge, Mouse>(name, root_slot, default_size_mm, &Standard::install,
                                      &Standard::update, &Standard::kill);
}
