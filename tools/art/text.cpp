#include "tools/art/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace art {

namespace {

const char* const kFontDir = "/usr/share/fonts/truetype/liberation2/";

// One FreeType library and one face per weight for the life of the program.
class Fonts {
public:
    ~Fonts() {
        for (auto& [weight, face] : faces_) FT_Done_Face(face);
        if (library_) FT_Done_FreeType(library_);
    }

    FT_Face face(FontWeight weight, double size) {
        if (!library_ && FT_Init_FreeType(&library_) != 0)
            throw std::runtime_error("cannot start FreeType");
        auto it = faces_.find(weight);
        if (it == faces_.end()) {
            std::string file = font_file(weight);
            FT_Face f = nullptr;
            if (FT_New_Face(library_, file.c_str(), 0, &f) != 0)
                throw std::runtime_error("cannot open font " + file +
                                         " (package fonts-liberation2)");
            it = faces_.emplace(weight, f).first;
        }
        if (!(size > 0) || size > 1000)
            throw std::invalid_argument("text size must be between 0 and 1000 pixels");
        FT_F26Dot6 size26 = FT_F26Dot6(std::lround(size * 64));
        if (FT_Set_Char_Size(it->second, 0, size26, 72, 72) != 0)
            throw std::runtime_error("cannot set text size");
        return it->second;
    }

private:
    FT_Library library_ = nullptr;
    std::map<FontWeight, FT_Face> faces_;
};

Fonts& fonts() {
    static Fonts instance;
    return instance;
}

// Code points of UTF-8 text; a byte that does not start a valid sequence stands for itself
// (so Latin-1 text works too).
std::vector<char32_t> code_points(std::string_view s) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = (c >= 0xC2 && c <= 0xDF) ? 1 : (c >= 0xE0 && c <= 0xEF) ? 2
                    : (c >= 0xF0 && c <= 0xF4) ? 3 : 0;
        char32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool valid = extra > 0 && i + extra < s.size();
        for (int k = 1; valid && k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            valid = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (valid) {
            out.push_back(cp);
            i += size_t(extra) + 1;
        } else {
            out.push_back(c);
            i += 1;
        }
    }
    return out;
}

FT_Int32 load_flags(const TextStyle& style, bool outline) {
    if (outline) return FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
    return style.antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
}

// Calls `glyph_fn(slot, pen_x)` for each character, pen_x in 26.6 units from the origin;
// returns the total advance in 26.6 units.
template <typename Fn>
long layout(std::string_view text, const TextStyle& style, bool outline, Fn glyph_fn) {
    FT_Face face = fonts().face(style.weight, style.size);
    long pen = 0;
    FT_UInt previous = 0;
    long spacing = std::lround(style.letter_spacing * 64);
    if (!outline) spacing = (spacing + 32) & ~63L;  // whole pixels for masks
    for (char32_t cp : code_points(text)) {
        FT_UInt index = FT_Get_Char_Index(face, cp);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector k;
            if (FT_Get_Kerning(face, previous, index,
                               outline ? FT_KERNING_UNSCALED : FT_KERNING_DEFAULT, &k) == 0)
                pen += outline ? FT_MulFix(k.x, face->size->metrics.x_scale) : k.x;
        }
        if (FT_Load_Glyph(face, index, load_flags(style, outline)) != 0)
            throw std::runtime_error("cannot load a glyph");
        glyph_fn(face->glyph, pen);
        pen += outline ? face->glyph->advance.x : face->glyph->metrics.horiAdvance;
        if (!outline) pen = (pen + 32) & ~63L;
        pen += spacing;
        previous = index;
    }
    return pen;
}

struct GlyphImage {
    int left, top;  // pixel position of the bitmap's top-left relative to the pen origin
    int width, height;
    std::vector<float> coverage;
};

std::vector<GlyphImage> render(std::string_view text, const TextStyle& style, long* advance) {
    std::vector<GlyphImage> glyphs;
    *advance = layout(text, style, false, [&](FT_GlyphSlot slot, long pen) {
        FT_Render_Mode mode = style.antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
        if (FT_Render_Glyph(slot, mode) != 0) throw std::runtime_error("cannot render a glyph");
        const FT_Bitmap& bm = slot->bitmap;
        GlyphImage g{int(pen >> 6) + slot->bitmap_left, -slot->bitmap_top, int(bm.width),
                     int(bm.rows), {}};
        g.coverage.resize(size_t(g.width) * g.height);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = bm.buffer + ptrdiff_t(y) * bm.pitch;
            for (int x = 0; x < g.width; ++x) {
                float v;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (row[x >> 3] & (0x80 >> (x & 7))) ? 1.0f : 0.0f;
                else
                    v = row[x] / 255.0f;
                g.coverage[size_t(y) * g.width + x] = v;
            }
        }
        glyphs.push_back(std::move(g));
    });
    return glyphs;
}

TextExtent extent_of(const std::vector<GlyphImage>& glyphs, long advance) {
    TextExtent e;
    bool any = false;
    for (const GlyphImage& g : glyphs) {
        // Only rows and columns with ink count.
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                if (g.coverage[size_t(y) * g.width + x] <= 0) continue;
                int px = g.left + x, py = g.top + y;
                if (!any) {
                    e.left = px, e.right = px + 1, e.top = py, e.bottom = py + 1;
                    any = true;
                }
                e.left = std::min(e.left, px);
                e.right = std::max(e.right, px + 1);
                e.top = std::min(e.top, py);
                e.bottom = std::max(e.bottom, py + 1);
            }
        }
    }
    e.advance = int(advance >> 6);
    return e;
}

// Pen origin for the anchor, from the ink box or advance (in pixels).
Point origin_for(Point at, TextAnchor anchor, double left, double top, double right,
                 double bottom, double advance) {
    switch (anchor) {
        case TextAnchor::Centre:
            return {at.x - (left + right) / 2, at.y - (top + bottom) / 2};
        case TextAnchor::BaselineCentre:
            return {at.x - advance / 2, at.y};
        case TextAnchor::BaselineLeft:
            break;
    }
    return at;
}

struct OutlineSink {
    Path* path;
    Contour current;
    double ox, oy;
    Point last;
    Point map(const FT_Vector* v) const { return {ox + v->x / 64.0, oy - v->y / 64.0}; }
    void flush() {
        if (current.size() >= 3) path->add(std::move(current));
        current.clear();
    }
};

int move_to(const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    s->flush();
    s->last = s->map(to);
    s->current.push_back(s->last);
    return 0;
}

int line_to(const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    s->last = s->map(to);
    s->current.push_back(s->last);
    return 0;
}

int conic_to(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    Point p0 = s->last, p1 = s->map(control), p2 = s->map(to);
    for (int i = 1; i <= 8; ++i) {
        double t = i / 8.0, u = 1 - t;
        s->current.push_back({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
                              u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    s->last = p2;
    return 0;
}

int cubic_to(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    Point p0 = s->last, p1 = s->map(c1), p2 = s->map(c2), p3 = s->map(to);
    for (int i = 1; i <= 12; ++i) {
        double t = i / 12.0, u = 1 - t;
        double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        s->current.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                              a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    s->last = p3;
    return 0;
}

}  // namespace

std::string font_file(FontWeight weight) {
    return std::string(kFontDir) +
           (weight == FontWeight::Bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf");
}

TextExtent measure_text(std::string_view text, const TextStyle& style) {
    long advance = 0;
    std::vector<GlyphImage> glyphs = render(text, style, &advance);
    return extent_of(glyphs, advance);
}

Mask text_mask(int width, int height, std::string_view text, Point at, const TextStyle& style,
               TextAnchor anchor) {
    Mask mask(width, height);
    long advance = 0;
    std::vector<GlyphImage> glyphs = render(text, style, &advance);
    TextExtent e = extent_of(glyphs, advance);
    Point o = origin_for(at, anchor, e.left, e.top, e.right, e.bottom, e.advance);
    // Whole pixels keep the hinted glyphs sharp; halves round the same way every time.
    int ox = int(std::floor(o.x + 0.5)), oy = int(std::floor(o.y + 0.5));
    for (const GlyphImage& g : glyphs) {
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                int px = ox + g.left + x, py = oy + g.top + y;
                if (px < 0 || py < 0 || px >= width || py >= height) continue;
                float v = g.coverage[size_t(y) * g.width + x];
                mask.at(px, py) = std::max(mask.at(px, py), v);
            }
        }
    }
    return mask;
}

Path text_path(std::string_view text, Point at, const TextStyle& style, TextAnchor anchor) {
    // Lay out once at the origin to find the box, then place.
    Path raw;
    long advance = layout(text, style, true, [&](FT_GlyphSlot slot, long pen) {
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
        Path glyph;
        OutlineSink sink{&glyph, {}, pen / 64.0, 0.0, {}};
        FT_Outline_Funcs funcs{&move_to, &line_to, &conic_to, &cubic_to, 0, 0};
        FT_Outline_Decompose(&slot->outline, &funcs, &sink);
        sink.flush();
        // Font outlines may wind either way; wind them like every other filled path so that
        // text added to other shapes unites with them instead of cutting holes.
        double area = 0;
        for (const Contour& c : glyph.contours) area += signed_area(c);
        raw.add(area < 0 ? glyph.reversed() : glyph);
    });
    double left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    for (const Contour& c : raw.contours) {
        for (Point p : c) {
            if (!any) {
                left = right = p.x, top = bottom = p.y;
                any = true;
            }
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
        }
    }
    Point o = origin_for(at, anchor, left, top, right, bottom, advance / 64.0);
    return raw.translated(o.x, o.y);
}

}  // namespace art
