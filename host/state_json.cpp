#include "host/state_json.h"

#include "host/json_format.h"

#include <cstring>

namespace {

std::string element_json(const PanelHost& host, const ElementHeader& e, size_t index) {
    std::string out = "{\"i\":" + std::to_string(index + 1);
    out += ",\"kind\":" + json_text(is_known_kind(e.kind) ? kind_name(e.kind) : "unknown");
    if (e.kind != kElementString) out += ",\"id\":" + std::to_string(e.bitmap_id);
    out += ",\"x\":" + std::to_string(e.position.x) + ",\"y\":" + std::to_string(e.position.y);
    out += std::string(",\"hidden\":") + ((e.image_flags & kImageHidden) != 0 ? "true" : "false");
    ElementResult r = host.result(&e);
    switch (e.kind) {
    case kElementNeedle:
        out += ",\"angle\":" + json_number(r.value);
        break;
    case kElementIcon:
        out += ",\"state\":" + json_number(r.value);
        break;
    case kElementString: {
        const StringElement& s = reinterpret_cast<const StringElement&>(e);
        size_t size = 0;
        const char* text = host.text_buffer(&e, &size);
        out += ",\"text\":" + json_text_cp1252(text, text != nullptr ? size : 0);
        out += ",\"fg\":" + json_colour(s.foreground);
        out += ",\"key\":" + json_number(r.value);
        break;
    }
    case kElementSprite:
        out += ",\"channels\":[" + json_number(r.channels[0]) + "," + json_number(r.channels[1]) +
               "," + json_number(r.channels[2]) + "]";
        break;
    default:
        break;
    }
    return out + "}";
}

}  // namespace

std::string dump_json(const PanelHost& host) {
    std::string out = "{\"elements\":[";
    ElementTree tree = walk_element_tree(host.root());
    for (size_t i = 0; i < tree.order.size(); ++i) {
        if (i != 0) out += ",";
        out += element_json(host, *tree.order[i].element, i);
    }
    return out + "]}";
}

std::string windows_json(const PanelHost& host) {
    std::string out = "{\"windows\":[";
    bool first = true;
    for (const auto& [id, shown] : host.windows()) {
        if (!first) out += ",";
        first = false;
        out += "{\"id\":" + std::to_string(id) + ",\"shown\":" + (shown ? "true" : "false") + "}";
    }
    return out + "]}";
}

std::string named_json(const PanelHost& host) {
    std::string out = "{\"named\":[";
    bool first = true;
    for (const NamedVariable& v : host.named_variables()) {
        if (!first) out += ",";
        first = false;
        int32_t value;
        std::memcpy(&value, v.address, sizeof value);
        out += "{\"name\":" + json_text_cp1252(v.name.c_str(), v.name.size()) +
               ",\"type\":" + std::to_string(v.type_code) + ",\"value\":" + std::to_string(value) + "}";
    }
    return out + "]}";
}
