// UpdateElements: the update pass. In drawing order, every element that has a routine, hidden or
// not: its own source variables are brought up to date from the token values, then its routine
// is called and what it returns is kept for the dump and the next draw.
#include "host/panel_host.h"

void PanelHost::update_elements(ElementHeader* root) {
    if (!elements_installed_) {
        error("UpdateElements before InstallElements: nothing updated");
        return;
    }
    ElementTree tree = walk_element_tree(root);  // its problems were reported at install
    for (const TreeEntry& entry : tree.order) {
        ElementHeader& e = *entry.element;
        if (elements_.find(&e) == elements_.end()) continue;  // unknown kind, left out at install
        ElementResult r = elements_[&e].result;
        switch (e.kind) {
        case kElementNeedle: {
            NeedleElement& n = reinterpret_cast<NeedleElement&>(e);
            refresh(n.source);
            if (n.update == nullptr) continue;
            r.value = n.update(&n.source);
            break;
        }
        case kElementIcon: {
            IconElement& i = reinterpret_cast<IconElement&>(e);
            refresh(i.source);
            if (i.update == nullptr) continue;
            r.value = i.update(&i.source);
            break;
        }
        case kElementSprite: {
            SpriteElement& s = reinterpret_cast<SpriteElement&>(e);
            bool any = false;
            for (int c = 0; c < 3; ++c) {
                SpriteChannel& channel = s.channels[c];
                refresh(channel.source);
                if (channel.update == nullptr) continue;
                r.channels[c] = channel.update(&channel.source);
                any = true;
            }
            if (!any) continue;
            break;
        }
        case kElementString: {
            StringElement& s = reinterpret_cast<StringElement&>(e);
            for (ModuleVariable& source : s.sources) refresh(source);
            if (s.update == nullptr) continue;
            // The routine gets the 8 value bytes of its first source as a number, whatever the
            // token holds.
            r.value = s.update(s.sources[0].value.number);
            break;
        }
        default:
            continue;  // static images have no routine
        }
        r.ran = true;
        // A routine may call services; find the element again rather than hold on to it.
        auto it = elements_.find(&e);
        if (it != elements_.end()) it->second.result = r;
    }
}
