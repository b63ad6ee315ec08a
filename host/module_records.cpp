#include "host/module_records.h"

#include "host/dib_image.h"
#include "host/element_tree.h"
#include "host/record_report.h"
#include "host/json_format.h"
#include "host/module_file.h"
#include "host/mouse_list.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>
#include <vector>

namespace {

constexpr size_t kMaxFailurePairs = 64;
constexpr size_t kMaxImportEntries = 64;
constexpr int32_t kMaxIconStates = 64;

std::string hex(uint32_t v) { return json_text(hex_id(v)); }
// An import identifier with all eight digits: "0x0000000F".
std::string hex8(uint32_t v) {
    std::string digits = hex_id(v).substr(2);
    return json_text("0x" + std::string(8 - digits.size(), '0') + digits);
}
std::string num(int64_t v) { return std::to_string(v); }
std::string flag(bool b) { return b ? "true" : "false"; }
Report point(PixelPoint p) { return Report::array().push(num(p.x)).push(num(p.y)); }

std::string bounded_text(const char* text, size_t max) {
    if (text == nullptr) return "null";
    size_t n = 0;
    while (n < max && text[n] != '\0') ++n;
    return json_text_cp1252(text, n);
}

// What the install routine hands to the host, noted by the capturing services table.
struct Capture {
    const ModuleFile* module = nullptr;
    MouseRect* mouse = nullptr;
    PixelSize reference{0, 0};
    std::vector<std::pair<std::string, int32_t>> named;
    std::vector<std::string> calls;
};
Capture* capture = nullptr;

struct CaptureCalls {
    static void GAUGE_CALL root_only(ElementHeader*) {}
    static void GAUGE_CALL install_elements(ElementHeader* root, void*) {
        capture->calls.push_back("InstallElements");
        // The reference size the install routine passes on is the root image's size.
        std::vector<uint8_t> dib;
        Image image;
        std::string ignored;
        if (root != nullptr && capture->module->find_bitmap(root->bitmap_id, &dib) &&
            decode_dib(dib.data(), dib.size(), &image, &ignored))
            root->installed_size = {image.width, image.height};
    }
    static void GAUGE_CALL kill_elements(ElementHeader* root) {
        capture->calls.push_back("KillElements");
        if (root != nullptr) root->installed_size = {0, 0};
    }
    static void GAUGE_CALL generate(ElementHeader*, int32_t) {}
    static void GAUGE_CALL install_mouse(MouseRect* list, GaugeHeader*, PixelSize size) {
        capture->calls.push_back("InstallMouseList");
        capture->mouse = list;
        capture->reference = size;
    }
    static void GAUGE_CALL register_mouse(MouseRect*, GaugeHeader*) {
        capture->calls.push_back("RegisterMouseList");
    }
    static void GAUGE_CALL unregister_mouse(MouseRect*, GaugeHeader*) {
        capture->calls.push_back("UnregisterMouseList");
    }
    static int32_t GAUGE_CALL switch_window(int32_t) { return 1; }
    static void GAUGE_CALL register_named(void*, int32_t type, const char* name) {
        capture->calls.push_back("RegisterNamedVariable");
        std::string n;
        for (size_t i = 0; name != nullptr && i < 256 && name[i] != '\0'; ++i) n += name[i];
        capture->named.push_back({n, type});
    }
    static void GAUGE_CALL variable(ModuleVariable* v) {
        if (v != nullptr) std::memset(v->value.bytes, 0, 8);
    }
    static void GAUGE_CALL unregister_named(const char*) {
        capture->calls.push_back("UnregisterNamedVariable");
    }
};

PanelServices capture_table() {
    PanelServices t{};
    t.QueryElements = &CaptureCalls::root_only;
    t.InstallElements = &CaptureCalls::install_elements;
    t.InitializeElements = &CaptureCalls::root_only;
    t.UpdateElements = &CaptureCalls::root_only;
    t.GenerateElements = &CaptureCalls::generate;
    t.DrawElements = &CaptureCalls::root_only;
    t.KillElements = &CaptureCalls::kill_elements;
    t.InstallMouseList = &CaptureCalls::install_mouse;
    t.RegisterMouseList = &CaptureCalls::register_mouse;
    t.UnregisterMouseList = &CaptureCalls::unregister_mouse;
    t.SwitchPanelWindow = &CaptureCalls::switch_window;
    t.RegisterNamedVariable = &CaptureCalls::register_named;
    t.InitializeModuleVariable = &CaptureCalls::variable;
    t.RefreshModuleVariable = &CaptureCalls::variable;
    t.UnregisterNamedVariable = &CaptureCalls::unregister_named;
    return t;
}

class Inspector {
public:
    Inspector(const ModuleFile& module, std::vector<std::string>* problems)
        : module_(module), problems_(*problems) {}

    Report linkage(GaugeHeader** gauge, ImportEntry** services_entry);
    Report header(const GaugeHeader& gauge);
    Report elements(ElementHeader* root);
    Report mouse(const Capture& c);
    Report resources();

private:
    void problem(const std::string& p) { problems_.push_back(p); }
    // Checks that a bitmap is there and decodes; returns its size for the report.
    Report bitmap(uint32_t id, const std::string& what, bool required);
    Report variable(const ModuleVariable& v) { return Report::scalar(hex(uint32_t(v.token))); }
    Report failures(const FailureRecord* list, const std::string& what);

    const ModuleFile& module_;
    std::vector<std::string>& problems_;
};

Report Inspector::linkage(GaugeHeader** gauge, ImportEntry** services_entry) {
    const ModuleLinkage& l = *module_.linkage();
    if (l.module_id != kModuleIdentifier)
        problem("Linkage: module identifier " + hex_id(uint32_t(l.module_id)) + ", expected 0x13");
    if (l.zero[0] != 0 || l.zero[1] != 0 || l.zero[2] != 0) problem("Linkage: words 4 to 6 are not 0");
    if (l.gauges[0] == nullptr) problem("Linkage: lists no gauge header");
    if (l.gauges[0] != nullptr && l.gauges[1] != nullptr)
        problem("Linkage: the gauge list has no end after its one gauge");
    *gauge = l.gauges[0];

    Report imports = Report::array();
    ImportEntry* table = module_.import_table();
    size_t i = 0;
    for (; i < kMaxImportEntries && table[i].id != 0; ++i) {
        imports.push(Report::object().add("id", hex8(table[i].id)).add("pointer", flag(table[i].pointer != nullptr)));
        if (table[i].id == kPanelServicesImportId) *services_entry = &table[i];
    }
    if (i == kMaxImportEntries) problem("ImportTable: no end within " + num(kMaxImportEntries) + " entries");
    if (*services_entry == nullptr) problem("ImportTable: no entry 0x0000000F");
    else if ((*services_entry)->pointer != nullptr) problem("ImportTable: entry 0x0000000F is not null at load");

    return Report::object()
        .add("module_id", hex(uint32_t(l.module_id)))
        .add("init", flag(l.module_init != nullptr))
        .add("deinit", flag(l.module_deinit != nullptr))
        .add("gauges", num(l.gauges[0] == nullptr ? 0 : l.gauges[1] == nullptr ? 1 : 2))
        .add("imports", imports);
}

Report Inspector::header(const GaugeHeader& g) {
    if (g.version != kGaugeHeaderVersion)
        problem("gauge header: version " + hex_id(uint32_t(g.version)) + ", expected 0x262");
    if (g.name == nullptr) problem("gauge header: no name");
    ElementHeader* root = g.root != nullptr ? *g.root : nullptr;
    if (g.root == nullptr) problem("gauge header: no root element slot");
    else if (root == nullptr) problem("gauge header: the root element slot is empty");
    else if (root->kind != kElementStatic) problem("gauge header: the root element is not a static image");
    Report routines = Report::object();
    const std::pair<const char*, bool> list[] = {
        {"query", g.query != nullptr},   {"install", g.install != nullptr},
        {"initialize", g.initialize != nullptr}, {"update", g.update != nullptr},
        {"generate", g.generate != nullptr}, {"draw", g.draw != nullptr},
        {"kill", g.kill != nullptr}};
    for (const auto& [name, present] : list) {
        routines.add(name, flag(present));
        if (!present) problem(std::string("gauge header: no ") + name + " routine");
    }
    Report r = Report::object()
                   .add("version", hex(uint32_t(g.version)))
                   .add("name", bounded_text(g.name, 256))
                   .add("default_size_mm", num(g.default_size_mm));
    if (root != nullptr) r.add("root", json_text(describe_element(*root)));
    return r.add("routines", routines);
}

Report Inspector::bitmap(uint32_t id, const std::string& what, bool required) {
    std::vector<uint8_t> dib;
    Report r = Report::object().add("id", hex(id));
    if (!module_.find_bitmap(id, &dib)) {
        if (required) problem("bitmap " + hex_id(id) + " (" + what + ") not found");
        return r.add("present", "false");
    }
    Image image;
    std::string reason;
    if (!decode_dib(dib.data(), dib.size(), &image, &reason)) {
        problem("bitmap " + hex_id(id) + " (" + what + "): " + reason);
        return r.add("present", "true").add("valid", "false");
    }
    return r.add("present", "true").add("width", num(image.width)).add("height", num(image.height));
}

Report Inspector::failures(const FailureRecord* list, const std::string& what) {
    if (list == nullptr) return Report::scalar("null");
    Report r = Report::array();
    size_t i = 0;
    for (; i < kMaxFailurePairs && list[i].key != 0; ++i)
        r.push(Report::array().push(num(list[i].key)).push(num(list[i].action)));
    if (i == kMaxFailurePairs)
        problem(what + ": failure list has no end within " + num(kMaxFailurePairs) + " pairs");
    return r;
}

Report Inspector::elements(ElementHeader* root) {
    ElementTree tree = walk_element_tree(root);
    for (const std::string& p : tree.problems) problem(p);
    Report list = Report::array();
    for (size_t i = 0; i < tree.order.size(); ++i) {
        ElementHeader& e = *tree.order[i].element;
        std::string what = describe_element(e);
        Report r = Report::object()
                       .add("i", num(int64_t(i) + 1))
                       .add("parent", num(tree.order[i].parent + 1))
                       .add("kind", json_text(kind_name(e.kind)));
        if (e.kind != kElementString) r.add("id", hex(e.bitmap_id));
        r.add("position", point(e.position)).add("offset", point(e.offset))
            .add("flags", hex(e.image_flags))
            .add("hidden", flag((e.image_flags & kImageHidden) != 0));
        if (!is_known_kind(e.kind)) {
            list.push(std::move(r));
            continue;
        }
        r.add("failures", failures(e.failures, "element " + num(int64_t(i) + 1) + " (" + what + ")"));
        size_t children = 0;
        while (e.children != nullptr && children < kMaxChildListLength && e.children[children] != nullptr)
            ++children;
        r.add("children", num(int64_t(children)));
        switch (e.kind) {
        case kElementStatic:
            r.add("bitmap", bitmap(e.bitmap_id, what, true));
            break;
        case kElementNeedle: {
            NeedleElement& n = reinterpret_cast<NeedleElement&>(e);
            r.add("source", variable(n.source)).add("routine", flag(n.update != nullptr))
                .add("second_point", point(n.second_point))
                .add("bitmap", bitmap(e.bitmap_id, what, true));
            break;
        }
        case kElementIcon: {
            IconElement& ic = reinterpret_cast<IconElement&>(e);
            r.add("source", variable(ic.source)).add("routine", flag(ic.update != nullptr))
                .add("states", num(ic.state_count));
            Report states = Report::array();
            if (ic.state_count < 1 || ic.state_count > kMaxIconStates)
                problem(what + ": state count " + num(ic.state_count) + " out of range 1 to " +
                        num(kMaxIconStates));
            else
                for (int32_t s = 0; s < ic.state_count; ++s)
                    states.push(bitmap(e.bitmap_id + 3u * uint32_t(s), what + ", state " + num(s),
                                       icon_state_can_show(ic, s)));
            r.add("bitmaps", states);
            break;
        }
        case kElementString: {
            StringElement& s = reinterpret_cast<StringElement&>(e);
            Report sources = Report::array();
            for (const ModuleVariable& v : s.sources) sources.push(variable(v));
            size_t face = 0;
            while (face < sizeof s.font_face && s.font_face[face] != '\0') ++face;
            r.add("sources", sources).add("routine", flag(s.update != nullptr))
                .add("box", Report::array().push(num(s.box.width)).push(num(s.box.height)))
                .add("fg", json_colour(s.foreground)).add("bg", json_colour(s.background))
                .add("highlight", json_colour(s.highlight))
                .add("font", json_text_cp1252(s.font_face, face))
                .add("weight", num(s.font_weight)).add("charset", num(s.char_set))
                .add("format", hex(s.text_format)).add("length", num(s.length));
            if (s.length < 0 || s.length > 4096) problem(what + ": length " + num(s.length) + " out of range");
            if (s.text != nullptr) problem(what + ": text buffer is not null in the module");
            break;
        }
        case kElementSprite: {
            SpriteElement& sp = reinterpret_cast<SpriteElement&>(e);
            Report channels = Report::array();
            for (const SpriteChannel& c : sp.channels)
                channels.push(Report::object().add("source", variable(c.source))
                                  .add("routine", flag(c.update != nullptr))
                                  .add("factor", json_number(c.factor)));
            r.add("channels", channels)
                .add("scale", Report::array().push(json_number(sp.scale[0])).push(json_number(sp.scale[1])))
                .add("texture_point", point(sp.texture_point))
                .add("bitmap", bitmap(e.bitmap_id, what, true))
                .add("window", bitmap(e.bitmap_id + 3u, what + " window", false));
            break;
        }
        }
        list.push(std::move(r));
    }
    return list;
}

Report Inspector::mouse(const Capture& c) {
    Report r = Report::object().add("reference_size", Report::array().push(num(c.reference.width))
                                                          .push(num(c.reference.height)));
    if (c.mouse == nullptr) {
        problem("mouse list: the install routine installed none");
        return r.add("entries", Report::array());
    }
    MouseListScan scan = scan_mouse_list(c.mouse);
    for (const std::string& p : scan.problems) problem(p);
    Report entries = Report::array();
    for (const MouseRect* m : scan.entries)
        entries.push(Report::object()
                         .add("kind", json_text(mouse_kind_name(m->kind)))
                         .add("box", Report::array().push(num(m->x)).push(num(m->y))
                                         .push(num(m->width)).push(num(m->height)))
                         .add("cursor", num(m->cursor))
                         .add("flags", hex(m->event_flags))
                         .add("routine", flag(m->routine != nullptr)));
    return r.add("entries", entries);
}

Report Inspector::resources() {
    Report list = Report::array();
    // In one order whatever order the file keeps them in (a Windows module sorts its resource
    // directory, a native module's pack keeps the order of its list): by type, id, name.
    std::vector<ModuleResourceInfo> resources = module_.resources();
    std::sort(resources.begin(), resources.end(),
              [](const ModuleResourceInfo& a, const ModuleResourceInfo& b) {
                  return std::tie(a.type, a.id, a.name) < std::tie(b.type, b.id, b.name);
              });
    for (const ModuleResourceInfo& info : resources) {
        Report r = Report::object().add("type", json_text(info.type == 2 ? "bitmap" : info.type == 10 ? "raw" : num(info.type)));
        if (info.name.empty()) r.add("id", hex(info.id));
        else r.add("name", json_text(info.name));
        list.push(r.add("size", num(info.size)));
    }
    return list;
}

}  // namespace

int inspect_module(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
    std::string error;
    std::unique_ptr<ModuleFile> module = ModuleFile::open(path, &error);
    if (module == nullptr) {
        err << error << "\n";
        return 1;
    }
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::vector<std::string> problems;
    Inspector inspector(*module, &problems);

    GaugeHeader* gauge = nullptr;
    ImportEntry* services_entry = nullptr;
    Report report = Report::object().add("module", json_text(name));
    report.add("linkage", inspector.linkage(&gauge, &services_entry));
    bool usable = gauge != nullptr && services_entry != nullptr &&
                  module->linkage()->module_id == kModuleIdentifier;
    if (gauge != nullptr) {
        report.add("gauge", inspector.header(*gauge));
        ElementHeader* root = gauge->root != nullptr ? *gauge->root : nullptr;
        report.add("elements", inspector.elements(root));
        usable = usable && root != nullptr && gauge->install != nullptr && gauge->kill != nullptr;
    }
    if (usable) {
        // Learn the mouse list from one install and kill against the capturing table.
        Capture c;
        c.module = module.get();
        capture = &c;
        PanelServices table = capture_table();
        services_entry->pointer = &table;
        if (module->linkage()->module_init != nullptr) module->linkage()->module_init();
        gauge->install(module->resource_handle());
        gauge->kill();
        if (module->linkage()->module_deinit != nullptr) module->linkage()->module_deinit();
        services_entry->pointer = nullptr;
        capture = nullptr;
        report.add("mouse", inspector.mouse(c));
        Report named = Report::array();
        for (const auto& [n, type] : c.named)
            named.push(Report::object().add("name", json_text_cp1252(n.c_str(), n.size())).add("type", num(type)));
        report.add("named", named);
    }
    report.add("resources", inspector.resources());
    Report checks = Report::array();
    for (const std::string& p : problems) checks.push(json_text(p));
    report.add("problems", checks);

    if (json) {
        report.write_json(out);
        out << "\n";
    } else {
        report.write_text(out);
    }
    for (const std::string& p : problems) err << name << ": " << p << "\n";
    return problems.empty() ? 0 : 1;
}
