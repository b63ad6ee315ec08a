// Records of the panel plug-in interface: what a gauge module exports, what the host hands back,
// and the static records (header, elements, module variables, mouse lists) a gauge declares.
//
// With 32-bit pointers (the Win32 deliverable) every record has the exact byte layout the panel
// system expects; the static_asserts at the bottom pin it. With native 64-bit pointers the field
// order is the same and pointers are simply wider.
#pragma once

#include <cstddef>
#include <cstdint>

// Every routine that crosses the module boundary (gauge routines, element and mouse routines,
// host services) uses the calling convention of Win32 plug-ins.
#if defined(_WIN32) && defined(__i386__)
#define GAUGE_CALL __stdcall
#else
#define GAUGE_CALL
#endif

struct GaugeHeader;
struct ElementHeader;
struct ModuleVariable;

// ---------------------------------------------------------------------------------------------
// Module variables

// A host value named by its token. The host writes `value`; a gauge reads the token (by handing
// the record to the host) and the value.
struct ModuleVariable {
    int32_t token;          // 0 = no variable
    int32_t host_word0;     // host-owned
    union {
        double number;      // most tokens: a 64-bit float
        int32_t integer;    // integer tokens: the low word; the host keeps the high word 0
        const char* text;   // text tokens: a reference to NUL-terminated characters
        uint8_t bytes[8];
    } value;
    int32_t host_word1;     // host-owned
    int32_t host_word2;     // host-owned
};

// ---------------------------------------------------------------------------------------------
// Elements

enum ElementKind : int32_t {
    kElementStatic = 0,
    kElementNeedle = 1,
    kElementString = 2,
    kElementIcon = 4,
    kElementSprite = 6,
};

// Image flag bits. Only the hidden flag is ever changed by a routine.
constexpr uint32_t kImageTransparent = 0x1;        // pure black (0,0,0) is see-through
constexpr uint32_t kImageHidden = 0x40000000;

// A failure list entry; a list ends with key 0.
struct FailureRecord {
    int32_t key;
    int32_t action;
};

struct PixelPoint {
    int32_t x;
    int32_t y;
};

struct PixelSize {
    int32_t width;
    int32_t height;
};

// The fields every element record starts with.
struct ElementHeader {
    int32_t kind;                    // ElementKind
    uint32_t bitmap_id;              // resource id; 0xFFFFFFFF for strings
    PixelPoint position;             // from the top-left corner of the root bitmap
    PixelSize installed_size;        // host-owned: size of the installed image (0 in the module)
    PixelPoint offset;               // needle pivot in its bitmap; sprite offset; else 0
    GaugeHeader* gauge;              // the module's gauge header
    void* host_link;                 // host-owned
    ElementHeader** children;        // null, or references ended by a null reference
    const FailureRecord* failures;   // null, or pairs ended by key 0
    uint32_t image_flags;            // drawing options and the hidden flag
    int32_t host_words[3];           // host-owned
};

using NeedleUpdate = double(GAUGE_CALL*)(ModuleVariable* source);
using IconUpdate = double(GAUGE_CALL*)(ModuleVariable* source);
using SpriteChannelUpdate = double(GAUGE_CALL*)(ModuleVariable* source);
using StringUpdate = double(GAUGE_CALL*)(double first_source_value);

struct NeedleElement {
    ElementHeader header;
    ModuleVariable source;
    NeedleUpdate update;
    PixelPoint second_point;
    int32_t further_words[5];
};

struct StringElement {
    ElementHeader header;
    ModuleVariable sources[3];
    int32_t host_words[2];
    StringUpdate update;
    char* text;                      // host-owned buffer of length + 1 bytes
    PixelSize box;
    uint32_t foreground;             // 0x00BBGGRR
    uint32_t background;
    uint32_t highlight;
    char font_face[32];
    int32_t font_weight;
    int32_t char_set;
    uint32_t text_format;            // Windows text-drawing flags
    int32_t length;                  // most characters the text holds
    int32_t host_word;
};

struct IconElement {
    ElementHeader header;
    ModuleVariable source;
    IconUpdate update;               // may be null
    int32_t state_count;
    int32_t further_words[2];
};

struct SpriteChannel {
    ModuleVariable source;
    SpriteChannelUpdate update;      // null = channel not used
    int32_t reserved;
    double factor;
};

struct SpriteElement {
    ElementHeader header;
    SpriteChannel channels[3];       // horizontal shift, vertical shift, rotation
    float scale[2];
    PixelPoint texture_point;
};

enum SpriteChannelIndex { kSpriteShiftX = 0, kSpriteShiftY = 1, kSpriteRotation = 2 };

// Text-drawing flags used by the strings of these gauges.
constexpr uint32_t kTextCenter = 0x1;
constexpr uint32_t kTextVCenter = 0x4;
constexpr uint32_t kTextSingleLine = 0x20;

// ---------------------------------------------------------------------------------------------
// Mouse lists

enum MouseEntryKind : int32_t {
    kMouseEnd = 0,
    kMouseParent = 1,
    kMouseChild = 2,
    kMouseEndParent = 3,
};

constexpr int32_t kCursorNone = -1;
constexpr int32_t kCursorHand = 5;
constexpr uint32_t kMouseClick = 0x20000000;

using MouseRoutine = int32_t(GAUGE_CALL*)(int32_t a, int32_t b);

struct MouseRect {
    int32_t kind;                    // MouseEntryKind
    int32_t x, y, width, height;     // pixels of the root image
    int32_t cursor;
    int32_t help_id;                 // 0
    uint32_t event_flags;
    MouseRoutine routine;            // null for all but child entries
    int32_t reserved;                // 0
};

// ---------------------------------------------------------------------------------------------
// Gauge header, linkage and import table

struct GaugeHeader {
    int32_t version;                             // 0x262
    const char* name;
    ElementHeader** root;                        // slot that holds the root element
    void(GAUGE_CALL* query)();
    void(GAUGE_CALL* install)(void* resources);
    void(GAUGE_CALL* initialize)();
    void(GAUGE_CALL* update)();
    void(GAUGE_CALL* generate)(int32_t phase);
    void(GAUGE_CALL* draw)();
    void(GAUGE_CALL* kill)();
    int32_t reserved0;                           // 0
    int32_t default_size_mm;
    int32_t further_words[8];                    // 0
};

constexpr int32_t kGaugeHeaderVersion = 0x262;
constexpr int32_t kModuleIdentifier = 0x13;
constexpr uint32_t kPanelServicesImportId = 0x0000000F;

// Exported as "Linkage": eight 32-bit words when pointers are 32 bits wide.
struct ModuleLinkage {
    int32_t module_id;                           // 0x13
    void(GAUGE_CALL* module_init)();
    void(GAUGE_CALL* module_deinit)();
    int32_t zero[3];
    GaugeHeader* gauges[2];                      // the one gauge, then null
};

struct ImportEntry {
    uint32_t id;
    void* pointer;
};

// ---------------------------------------------------------------------------------------------
// Host services, by byte offset in the table (offsets given for 32-bit pointers)

struct PanelServices {
    void* reserved_0_92[24];
    void(GAUGE_CALL* QueryElements)(ElementHeader* root);                          // 96
    void(GAUGE_CALL* InstallElements)(ElementHeader* root, void* resources);       // 100
    void(GAUGE_CALL* InitializeElements)(ElementHeader* root);                     // 104
    void(GAUGE_CALL* UpdateElements)(ElementHeader* root);                         // 108
    void(GAUGE_CALL* GenerateElements)(ElementHeader* root, int32_t phase);        // 112
    void(GAUGE_CALL* DrawElements)(ElementHeader* root);                           // 116
    void* reserved_120;
    void(GAUGE_CALL* KillElements)(ElementHeader* root);                           // 124
    void(GAUGE_CALL* InstallMouseList)(MouseRect* list, GaugeHeader* gauge,
                                       PixelSize reference_size);                  // 128
    void(GAUGE_CALL* RegisterMouseList)(MouseRect* list, GaugeHeader* gauge);      // 132
    void(GAUGE_CALL* UnregisterMouseList)(MouseRect* list, GaugeHeader* gauge);    // 136
    int32_t(GAUGE_CALL* SwitchPanelWindow)(int32_t window_id);                     // 140
    void* reserved_144;
    void(GAUGE_CALL* RegisterNamedVariable)(void* address, int32_t type_code,
                                            const char* name);                    // 148
    void(GAUGE_CALL* InitializeModuleVariable)(ModuleVariable* variable);          // 152
    void* reserved_156;
    void(GAUGE_CALL* RefreshModuleVariable)(ModuleVariable* variable);             // 160
    void(GAUGE_CALL* UnregisterNamedVariable)(const char* name);                   // 164
    void* reserved_168_252[22];
};

// ---------------------------------------------------------------------------------------------
// Layout checks

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ModuleVariable) == 24 && offsetof(ModuleVariable, value) == 8);
static_assert(sizeof(ElementHeader) == 64);
static_assert(offsetof(ElementHeader, offset) == 24 && offsetof(ElementHeader, gauge) == 32);
static_assert(offsetof(ElementHeader, children) == 40 && offsetof(ElementHeader, image_flags) == 48);
static_assert(offsetof(NeedleElement, source) == 64 && offsetof(NeedleElement, update) == 88);
static_assert(offsetof(NeedleElement, second_point) == 92 && sizeof(NeedleElement) == 120);
static_assert(offsetof(StringElement, update) == 144 && offsetof(StringElement, text) == 148);
static_assert(offsetof(StringElement, box) == 152 && offsetof(StringElement, font_face) == 172);
static_assert(offsetof(StringElement, length) == 216 && sizeof(StringElement) == 224);
static_assert(offsetof(IconElement, update) == 88 && offsetof(IconElement, state_count) == 92);
static_assert(sizeof(SpriteChannel) == 40 && offsetof(SpriteElement, channels) == 64);
static_assert(offsetof(SpriteElement, scale) == 184 && offsetof(SpriteElement, texture_point) == 192);
static_assert(sizeof(MouseRect) == 40 && offsetof(MouseRect, routine) == 32);
static_assert(offsetof(GaugeHeader, install) == 16 && offsetof(GaugeHeader, kill) == 36);
static_assert(offsetof(GaugeHeader, default_size_mm) == 44);
static_assert(sizeof(ModuleLinkage) == 32 && offsetof(ModuleLinkage, gauges) == 24);
static_assert(sizeof(ImportEntry) == 8);
static_assert(offsetof(PanelServices, QueryElements) == 96);
static_assert(offsetof(PanelServices, InstallElements) == 100);
static_assert(offsetof(PanelServices, InitializeElements) == 104);
static_assert(offsetof(PanelServices, UpdateElements) == 108);
static_assert(offsetof(PanelServices, GenerateElements) == 112);
static_assert(offsetof(PanelServices, DrawElements) == 116);
static_assert(offsetof(PanelServices, KillElements) == 124);
static_assert(offsetof(PanelServices, InstallMouseList) == 128);
static_assert(offsetof(PanelServices, RegisterMouseList) == 132);
static_assert(offsetof(PanelServices, UnregisterMouseList) == 136);
static_assert(offsetof(PanelServices, SwitchPanelWindow) == 140);
static_assert(offsetof(PanelServices, RegisterNamedVariable) == 148);
static_assert(offsetof(PanelServices, InitializeModuleVariable) == 152);
static_assert(offsetof(PanelServices, RefreshModuleVariable) == 160);
static_assert(offsetof(PanelServices, UnregisterNamedVariable) == 164);
#else
// Native pointers: same order, each service one pointer further on.
static_assert(offsetof(PanelServices, QueryElements) == 24 * sizeof(void*));
static_assert(offsetof(PanelServices, UnregisterNamedVariable) == 41 * sizeof(void*));
#endif
static_assert(offsetof(ModuleVariable, value) % 8 == 0);
