// "Tavrel Gear Horn": a plate with a three-position, spring-return TEST/CANCEL lever.
//
// The horn loops while the warning condition holds (0x3c exactly 0, 0x80 below 3, 0x14c not 0,
// and no cancel latched). A click on the upper half throws the lever up and plays the horn once;
// 36 ticks of variable 0x1 later the lever springs back with a click. A click on the lower half
// throws it down and silences the horn; it springs back after 5 ticks, and the cancel holds until
// an update sees 0x14c at 0. The sounds are the module's own recordings "HORN" and "CLICK".
// Nothing from outside asks for the horn: only the warning test starts its loop.
#include "framework/element_helpers.h"
#include "framework/module.h"
#include "hornmod/gsound/gsound.h"

#include <cmath>
#include <cstdint>

extern GaugeHeader horn_gauge;

namespace {

constexpr int32_t kTestWait = 36;    // ticks the lever stays up after a test click
constexpr int32_t kCancelWait = 5;   // ticks it stays down after a cancel click
constexpr int32_t kNoDeadline = -1;
constexpr int32_t kNamedVariableType = 0x13;
constexpr const char* kNamedVariableName = "gtest_bcast";

enum TestState : int32_t {
    kTestIdle = 0,
    kTestRequested = 1,  // a test click came; the next update starts the horn
    kTestPlaying = 2,    // the test horn was started; the lever waits for its deadline
};

// Gauge state: module-global, set when the module loads, never reset by install or kill.
int32_t test_state = kTestIdle;
int32_t tick_now = 0;                 // last truncated value of variable 0x1
int32_t lever_deadline = kNoDeadline; // tick at which the lever springs back
int32_t lever_wait = 0;               // ticks the pending deadline was set for; 0 = none pending
int32_t horn_looping = 0;             // 1 from starting the looping horn until stopping it
int32_t horn_cancelled = 0;           // the cancel latch
int32_t horn_condition = 0;           // the warning test of the latest update
int32_t gtest_bcast = 0;              // published to the host; the gauge never changes it

// Module variables, refreshed before each read.
ModuleVariable horn_variables[] = {
    module_variable(0x14c),  // must be non-zero for the warning; 0 releases the cancel latch
    module_variable(0x1),    // the time base, in ticks
    module_variable(0x80),   // must be below 3 for the warning
    module_variable(0x3c),   // must be exactly 0 for the warning
};
ModuleVariable& gear_variable = horn_variables[0];
ModuleVariable& time_variable = horn_variables[1];
ModuleVariable& below_three_variable = horn_variables[2];
ModuleVariable& zero_variable = horn_variables[3];

SoundDescriptor click_sound = {"CLICK", nullptr};
SoundDescriptor horn_sound = {"HORN", nullptr};
SoundDescriptor* horn_sounds[] = {&click_sound, &horn_sound, nullptr};

const FailureRecord lever_failures[] = {{1, 0}, {0, 0}};

double refreshed(ModuleVariable& variable) {
    panel_services()->RefreshModuleVariable(&variable);
    return variable.value.number;
}

// Truncated toward zero to a 32-bit signed integer; values beyond its range are held at its
// ends, and a value that is not a number counts as 0.
int32_t truncate_ticks(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return int32_t(value);
}

void read_time() { tick_now = truncate_ticks(refreshed(time_variable)); }

void set_deadline(int32_t wait) {
    lever_deadline = int32_t(uint32_t(tick_now) + uint32_t(wait));  // wraps like the ticks do
    lever_wait = wait;
}

void clear_deadline() {
    lever_deadline = kNoDeadline;
    lever_wait = 0;
}

// Whether the pending deadline has come. The time base may move on by more than one tick
// between updates, so a deadline passed over counts as reached; so does one the time base has
// gone back behind (the wait would otherwise outlast the remaining ticks by far). Only a tick
// within the wait that was set, counted with wrap-round, leaves the lever thrown.
bool deadline_reached() {
    if (lever_wait == 0) return false;
    const int32_t remaining = int32_t(uint32_t(lever_deadline) - uint32_t(tick_now));
    return remaining <= 0 || remaining > lever_wait;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Elements and mouse areas: a chain, root -> lever down -> lever centred -> lever up. Only the
// hidden flags decide which lever shows; at load only the centred one does.

IconElement lever_up = {
    element_header(kElementIcon, 0x2000, {10, 11}, {0, 0}, &horn_gauge, nullptr, lever_failures,
                   0x3 | kImageHidden),
    module_variable(0), nullptr, 2, {0, 0}};
ElementHeader* lever_centred_children[] = {&lever_up.header, nullptr};

IconElement lever_centred = {
    element_header(kElementIcon, 0x2003, {13, 28}, {0, 0}, &horn_gauge, lever_centred_children,
                   lever_failures, 0x3),
    module_variable(0), nullptr, 2, {0, 0}};
ElementHeader* lever_down_children[] = {&lever_centred.header, nullptr};

IconElement lever_down = {
    element_header(kElementIcon, 0x2006, {9, 9}, {0, 0}, &horn_gauge, lever_down_children,
                   lever_failures, 0x3 | kImageHidden),
    module_variable(0), nullptr, 2, {0, 0}};
ElementHeader* plate_children[] = {&lever_down.header, nullptr};

ElementHeader plate = element_header(kElementStatic, 0x1000, {0, 0}, {0, 0}, &horn_gauge,
                                     plate_children, nullptr, kImageTransparent);
ElementHeader* plate_slot = &plate;

int32_t GAUGE_CALL horn_test_click(int32_t, int32_t);
int32_t GAUGE_CALL horn_cancel_click(int32_t, int32_t);

// The two halves meet at y = 35.
MouseRect horn_mouse[] = {
    mouse_parent(),
    mouse_child(1, 9, 36, 26, &horn_test_click),
    mouse_child(1, 35, 36, 26, &horn_cancel_click),
    mouse_end_parent(),
    mouse_end(),
};

// ---------------------------------------------------------------------------------------------
// Routines

namespace {

void spring_back() {
    gsound_play(&click_sound, kGsoundPlayOnce);
    set_hidden(lever_down.header, true);
    set_hidden(lever_up.header, true);
    set_hidden(lever_centred.header, false);
    clear_deadline();
    test_state = kTestIdle;
}

void GAUGE_CALL horn_install(void* resources) {
    gauge_install_elements(horn_gauge, resources);
    gauge_install_mouse(horn_gauge, horn_mouse);
    gsound_start(horn_sounds, resources);
    panel_services()->RegisterNamedVariable(&gtest_bcast, kNamedVariableType, kNamedVariableName);
}

void GAUGE_CALL horn_kill() {
    gauge_unregister_mouse(horn_gauge, horn_mouse);
    gsound_shutdown(horn_sounds);
    gauge_kill_elements(horn_gauge);
    panel_services()->UnregisterNamedVariable(kNamedVariableName);
}

void GAUGE_CALL horn_update() {
    read_time();
    const double below_three = refreshed(below_three_variable);
    const double zero = refreshed(zero_variable);
    const double gear = refreshed(gear_variable);

    if (deadline_reached()) spring_back();

    horn_condition = zero == 0 && below_three < 3 && gear != 0 && horn_cancelled == 0 ? 1 : 0;

    if (test_state == kTestRequested) {
        gsound_play(&horn_sound, kGsoundPlayOnce);
        test_state = kTestPlaying;
    } else if (horn_condition == 1 && horn_looping == 0 && test_state == kTestIdle) {
        horn_looping = 1;
        gsound_play(&horn_sound, kGsoundPlayLooping);
    } else if (horn_condition == 0 && test_state == kTestIdle) {
        horn_looping = 0;
        gsound_stop(&horn_sound);  // on every such update, also when nothing plays
    }

    if (gear == 0) horn_cancelled = 0;  // counts from the next update's warning test on

    gauge_update_elements(horn_gauge);
}

}  // namespace

int32_t GAUGE_CALL horn_test_click(int32_t, int32_t) {
    read_time();
    set_deadline(kTestWait);
    test_state = kTestRequested;
    set_hidden(lever_centred.header, true);
    set_hidden(lever_up.header, false);
    return 0;
}

int32_t GAUGE_CALL horn_cancel_click(int32_t, int32_t) {
    read_time();
    if (test_state == kTestRequested) {
        // The test horn has not started yet: call the test off, without a click.
        gsound_stop(&horn_sound);
        test_state = kTestIdle;
        set_hidden(lever_centred.header, false);
        set_hidden(lever_up.header, true);
        clear_deadline();
    } else if (test_state == kTestIdle) {
        set_hidden(lever_centred.header, true);
        set_hidden(lever_down.header, false);
        horn_condition = 0;
        horn_cancelled = 1;
        gsound_stop(&horn_sound);
        set_deadline(kCancelWait);
    }
    // While the test horn plays the click changes nothing beyond the time read.
    return 0;
}

GaugeHeader horn_gauge = gauge_header<&horn_gauge, horn_mouse>(
    "Tavrel Gear Horn", &plate_slot, 38, &horn_install, &horn_update, &horn_kill);

GAUGE_MODULE_LINKAGE(horn_gauge);
