// InstallElements and KillElements: the images and text buffers the host makes for a tree.
#include "host/dib_image.h"
#include "host/panel_host.h"

namespace {

constexpr int32_t kMaxIconStates = 64;
constexpr int32_t kMaxStringLength = 4096;

}  // namespace

bool PanelHost::load_bitmap(uint32_t id, const std::string& what, bool required, Image* out) {
    std::vector<uint8_t> dib;
    if (!module_->find_bitmap(id, &dib)) {
        if (required) error("bitmap " + hex_id(id) + " (" + what + ") not found");
        return false;
    }
    std::string reason;
    if (!decode_dib(dib.data(), dib.size(), out, &reason)) {
        error("bitmap " + hex_id(id) + " (" + what + "): " + reason);
        return false;
    }
    return true;
}

void PanelHost::install_elements(ElementHeader* root) {
    if (elements_installed_) {
        error("InstallElements called again without KillElements: the first installation is dropped");
        kill_elements(root);
    }
    ElementTree tree = walk_element_tree(root);
    for (const std::string& problem : tree.problems) error(problem);

    for (const TreeEntry& entry : tree.order) {
        ElementHeader& e = *entry.element;
        if (!is_known_kind(e.kind)) continue;
        InstalledElement& ie = elements_[&e];
        std::string what = describe_element(e);
        auto add_image = [&](uint32_t id, const std::string& name, bool required) {
            Image image;
            bool found = load_bitmap(id, name, required, &image);
            ie.images.push_back(std::move(image));
            ie.present.push_back(found);
        };
        switch (e.kind) {
        case kElementStatic:
        case kElementNeedle:
            add_image(e.bitmap_id, what, true);
            break;
        case kElementIcon: {
            int32_t count = reinterpret_cast<IconElement&>(e).state_count;
            if (count < 1 || count > kMaxIconStates) {
                error(what + ": state count " + std::to_string(count) + " out of range 1 to " +
                      std::to_string(kMaxIconStates));
                count = count < 1 ? 0 : kMaxIconStates;
            }
            for (int32_t i = 0; i < count; ++i)
                add_image(e.bitmap_id + 3u * uint32_t(i), what + ", state " + std::to_string(i),
                          icon_state_can_show(reinterpret_cast<IconElement&>(e), i));
            break;
        }
        case kElementSprite:
            add_image(e.bitmap_id, what, true);
            add_image(e.bitmap_id + 3u, what + " window", false);  // a sprite may have no window
            break;
        case kElementString: {
            StringElement& s = reinterpret_cast<StringElement&>(e);
            int32_t length = s.length;
            if (length < 0 || length > kMaxStringLength) {
                error(what + ": length " + std::to_string(length) + " out of range 0 to " +
                      std::to_string(kMaxStringLength));
                length = length < 0 ? 0 : kMaxStringLength;
            }
            ie.text_size = size_t(length) + 1;
            ie.text.reset(new char[ie.text_size]());
            s.text = ie.text.get();
            break;
        }
        }
        if (!ie.images.empty() && ie.present[0])
            e.installed_size = {ie.images[0].width, ie.images[0].height};
    }
    elements_installed_ = true;
}

void PanelHost::kill_elements(ElementHeader* /*root*/) {
    for (auto& [element, ie] : elements_) {
        ElementHeader* e = const_cast<ElementHeader*>(element);
        if (e->kind == kElementString) reinterpret_cast<StringElement*>(e)->text = nullptr;
        e->installed_size = {0, 0};
    }
    elements_.clear();
    elements_installed_ = false;
}

ElementResult PanelHost::result(const ElementHeader* element) const {
    auto it = elements_.find(element);
    return it == elements_.end() ? ElementResult{} : it->second.result;
}

const char* PanelHost::text_buffer(const ElementHeader* element, size_t* size) const {
    auto it = elements_.find(element);
    if (it == elements_.end() || !it->second.text) return nullptr;
    *size = it->second.text_size;
    return it->second.text.get();
}
