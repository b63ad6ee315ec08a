// DrawElements: the tree rasterised into a new frame, in drawing order. A hidden element is left
// out alone (its children are drawn as usual); an icon shows the image of its current state and
// nothing for -1 or any state it does not have.
#include "host/panel_host.h"

#include <algorithm>
#include <cmath>

namespace {

// A frame larger than this on either side means the records are garbage; it is cut down.
constexpr int kMaxFrameSide = 8192;

struct Bounds {
    int64_t left, top, right, bottom;
    void add(int64_t x, int64_t y, int64_t w, int64_t h) {
        if (w <= 0 || h <= 0) return;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + w);
        bottom = std::max(bottom, y + h);
    }
};

bool is_finite(double v) { return std::isfinite(v); }

}  // namespace

void PanelHost::frame_bounds(const ElementTree& tree, int* left, int* top, int* right,
                             int* bottom) const {
    Bounds b{0, 0, 0, 0};
    for (const TreeEntry& entry : tree.order) {
        const ElementHeader& e = *entry.element;
        auto it = elements_.find(&e);
        if (it == elements_.end()) continue;
        const InstalledElement& ie = it->second;
        int64_t w = 0, h = 0;
        for (size_t i = 0; i < ie.images.size(); ++i) {
            if (!ie.present[i]) continue;
            w = std::max<int64_t>(w, ie.images[i].width);
            h = std::max<int64_t>(h, ie.images[i].height);
        }
        switch (e.kind) {
        case kElementNeedle:  // as the bitmap stands at angle 0, its pivot on the position
            b.add(int64_t(e.position.x) - e.offset.x, int64_t(e.position.y) - e.offset.y, w, h);
            break;
        case kElementSprite:  // the window, or else the texture, at the position
            if (ie.present.size() > 1 && ie.present[1])
                b.add(e.position.x, e.position.y, ie.images[1].width, ie.images[1].height);
            else if (!ie.present.empty() && ie.present[0])
                b.add(e.position.x, e.position.y, ie.images[0].width, ie.images[0].height);
            break;
        case kElementString: {
            const StringElement& s = reinterpret_cast<const StringElement&>(e);
            b.add(e.position.x, e.position.y, s.box.width, s.box.height);
            break;
        }
        default:
            b.add(e.position.x, e.position.y, w, h);
            break;
        }
    }
    for (const InstalledMouseList& m : mouse_lists_)
        for (const MouseRect* r : m.entries)
            if (r->kind == kMouseChild) b.add(r->x, r->y, r->width, r->height);
    // Keep the frame within reason around the root.
    b.left = std::max<int64_t>(b.left, -kMaxFrameSide / 2);
    b.top = std::max<int64_t>(b.top, -kMaxFrameSide / 2);
    b.right = std::min<int64_t>(b.right, b.left + kMaxFrameSide);
    b.bottom = std::min<int64_t>(b.bottom, b.top + kMaxFrameSide);
    *left = int(b.left);
    *top = int(b.top);
    *right = int(std::max(b.right, b.left + 1));
    *bottom = int(std::max(b.bottom, b.top + 1));
}

void PanelHost::draw_elements(ElementHeader* root) {
    if (!elements_installed_) {
        error("DrawElements before InstallElements: nothing drawn");
        return;
    }
    ElementTree tree = walk_element_tree(root);
    int left, top, right, bottom;
    frame_bounds(tree, &left, &top, &right, &bottom);
    frame_ = Frame{Image(right - left, bottom - top), left, top};
    has_frame_ = true;
    for (const TreeEntry& entry : tree.order) {
        const ElementHeader& e = *entry.element;
        if ((e.image_flags & kImageHidden) != 0) continue;
        auto it = elements_.find(&e);
        if (it != elements_.end()) draw_element(e, it->second);
    }
}

void PanelHost::draw_element(const ElementHeader& e, const InstalledElement& ie) {
    bool see_through = (e.image_flags & kImageTransparent) != 0;
    const ElementResult& r = ie.result;
    switch (e.kind) {
    case kElementStatic:
        if (ie.present[0]) draw_image(frame_, ie.images[0], e.position.x, e.position.y, see_through);
        break;
    case kElementNeedle:
        if (ie.present[0] && is_finite(r.value))
            draw_needle(frame_, ie.images[0], e.offset.x, e.offset.y, e.position.x, e.position.y,
                        r.value, see_through);
        break;
    case kElementIcon: {
        // The state is the routine's number, truncated; -1 (or anything outside the states)
        // shows nothing.
        if (!is_finite(r.value) || r.value < 0 || r.value >= double(ie.images.size())) break;
        size_t state = size_t(r.value);
        if (ie.present[state])
            draw_image(frame_, ie.images[state], e.position.x, e.position.y, see_through);
        break;
    }
    case kElementSprite: {
        const SpriteElement& s = reinterpret_cast<const SpriteElement&>(e);
        double shift_x = r.channels[kSpriteShiftX] * s.channels[kSpriteShiftX].factor;
        double shift_y = r.channels[kSpriteShiftY] * s.channels[kSpriteShiftY].factor;
        double turn = r.channels[kSpriteRotation] * s.channels[kSpriteRotation].factor;
        if (!ie.present[0] || !is_finite(shift_x) || !is_finite(shift_y) || !is_finite(turn)) break;
        SpriteGeometry g{e.position.x, e.position.y, e.offset.x,   e.offset.y,
                         s.texture_point.x, s.texture_point.y, s.scale[0], s.scale[1],
                         shift_x, shift_y, turn};
        draw_sprite(frame_, ie.images[0], ie.present[1] ? &ie.images[1] : nullptr, g, see_through);
        break;
    }
    case kElementString: {
        const StringElement& s = reinterpret_cast<const StringElement&>(e);
        if (!ie.text) break;
        size_t n = 0;
        while (n < ie.text_size && ie.text[n] != '\0') ++n;
        std::string text(ie.text.get(), n);
        size_t face = 0;
        while (face < sizeof s.font_face && s.font_face[face] != '\0') ++face;
        TextStyle style{std::string(s.font_face, face), s.font_weight, s.char_set,
                        s.foreground, s.background, s.text_format};
        draw_text(frame_, style, e.position.x, e.position.y, s.box.width, s.box.height, text.c_str());
        break;
    }
    default:
        break;
    }
}
