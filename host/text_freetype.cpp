// String elements drawn with FreeType: the native host's stand-in for Windows text drawing.
//
// Text bytes are the Windows Western code page (byte 0xB0 is the degree sign). The box is first
// filled with the background colour (a pure black background is see-through, as pure black is
// in bitmaps: the box then keeps what lies beneath), then the text is drawn in the foreground colour,
// clipped to the box and the frame. Format flags honoured: 0x1 centred across, 0x2 right,
// 0x4 centred up and down and 0x8 bottom (both with 0x20 only), 0x20 one line; otherwise text
// starts at the top left and breaks at line feeds.
//
// Sizes. The box height alone picks the size: the largest size at which the digits stand at
// most one pixel less tall than the box (an 8-pixel box gets 7-pixel digits in the outline face,
// the 5x7 cell font's 6-pixel digits in the pixel face). Vertical placement works on the band
// the digits fill, from the baseline up to their top, so figures sit in the middle of small
// boxes; descenders may be cut at the box's bottom edge. Outline faces are drawn without
// anti-aliasing below 13 pixels, where smoothing would turn one-pixel stems into pairs of grey
// columns, and anti-aliased from there up.
#include "host/raster.h"
#include "host/raster_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

namespace {

// Code points of the bytes 0x80 to 0x9F in the Windows Western code page; 0 where the code
// page leaves the byte undefined.
const uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t code_point(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        const uint16_t c = kCp1252High[byte - 0x80];
        return c ? c : 0xFFFD;
    }
    return byte;  // ASCII and Latin-1 agree with the code page elsewhere
}

std::vector<std::string> built_in_files(FontRole role) {
    switch (role) {
        case FontRole::pixel:
            return {"/usr/share/fonts/X11/misc/5x7.pcf.gz", "/usr/share/fonts/X11/misc/5x8.pcf.gz"};
        case FontRole::sans:
            return {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
                    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
        case FontRole::sans_bold:
            return {"/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
                    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
                    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
    }
    return {};
}

const char* role_name(FontRole role) {
    switch (role) {
        case FontRole::pixel: return "the pixel face";
        case FontRole::sans: return "the sans-serif face";
        case FontRole::sans_bold: return "the bold sans-serif face";
    }
    return "";
}

// Roles tried for a face, best first.
std::vector<FontRole> fallback_chain(FontRole role) {
    switch (role) {
        case FontRole::pixel: return {FontRole::pixel, FontRole::sans};
        case FontRole::sans: return {FontRole::sans, FontRole::pixel};
        case FontRole::sans_bold: return {FontRole::sans_bold, FontRole::sans, FontRole::pixel};
    }
    return {};
}

FontRole role_for(const std::string& face_name, int weight) {
    std::string key;
    for (char c : face_name) key += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (key == "small fonts") return FontRole::pixel;
    return weight >= 600 ? FontRole::sans_bold : FontRole::sans;
}

// How a face is set for one box height, and where its digits stand about the baseline.
struct SizeChoice {
    int size = 0;          // pixel size (outline faces) or strike index (bitmap faces)
    bool mono = true;      // drawn without anti-aliasing
    int digit_top = 0;     // rows of digit ink above the baseline
    int digit_bottom = 0;  // rows of digit ink below the baseline (usually 0)
    int line_height = 0;   // baseline to baseline
};

struct Face {
    FT_Face face = nullptr;
    std::string file;
    std::map<int, SizeChoice> sizes;  // by box height
};

constexpr int kSmoothFromPixels = 13;

FT_Int32 load_flags(bool mono) {
    return mono ? FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME
                : FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL;
}

bool set_size(Face& f, int size) {
    if (FT_IS_SCALABLE(f.face)) return FT_Set_Pixel_Sizes(f.face, 0, FT_UInt(size)) == 0;
    return FT_Select_Size(f.face, size) == 0;
}

// Coverage 0..255 of pixel (x, y) of a rendered glyph bitmap.
int coverage(const FT_Bitmap& b, int x, int y) {
    const unsigned char* row = b.buffer + ptrdiff_t(y) * b.pitch;
    if (b.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
    if (b.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const int levels = b.num_grays > 1 ? b.num_grays - 1 : 255;
        return row[x] * 255 / levels;
    }
    return 0;
}

// Digit ink of the face at its current size; false when the face has no '0' or it is blank.
bool measure_digits(Face& f, SizeChoice* c) {
    const FT_UInt glyph = FT_Get_Char_Index(f.face, '0');
    if (!glyph || FT_Load_Glyph(f.face, glyph, load_flags(c->mono)) != 0) return false;
    const FT_Bitmap& b = f.face->glyph->bitmap;
    int first = -1, last = -1;
    for (int y = 0; y < int(b.rows); ++y) {
        for (int x = 0; x < int(b.width); ++x) {
            if (coverage(b, x, y)) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    if (first < 0) return false;
    c->digit_top = f.face->glyph->bitmap_top - first;
    c->digit_bottom = last + 1 - f.face->glyph->bitmap_top;
    return true;
}

const SizeChoice& size_for(Face& f, int box_height) {
    box_height = std::clamp(box_height, 1, 512);
    auto found = f.sizes.find(box_height);
    if (found != f.sizes.end()) return found->second;
    const int target = std::max(1, box_height - 1);
    SizeChoice best, smallest;
    bool have_best = false, have_smallest = false;
    const int count = FT_IS_SCALABLE(f.face) ? 2 * box_height + 4 : f.face->num_fixed_sizes;
    for (int i = 0; i < count; ++i) {
        const int size = FT_IS_SCALABLE(f.face) ? i + 1 : i;
        SizeChoice c;
        c.size = size;
        c.mono = !FT_IS_SCALABLE(f.face) || size < kSmoothFromPixels;
        if (!set_size(f, size)) continue;
        c.line_height = int((f.face->size->metrics.height + 32) >> 6);
        if (!measure_digits(f, &c)) {
            c.digit_top = int((f.face->size->metrics.ascender + 32) >> 6);
            c.digit_bottom = 0;
        }
        const int ink = c.digit_top + c.digit_bottom;
        if (!have_smallest || ink < smallest.digit_top + smallest.digit_bottom) {
            smallest = c;
            have_smallest = true;
        }
        if (ink <= target && (!have_best || ink >= best.digit_top + best.digit_bottom)) {
            best = c;
            have_best = true;
        }
    }
    return f.sizes[box_height] = have_best ? best : smallest;
}

class TextDrawer {
public:
    ~TextDrawer() {
        forget_faces();
        if (library_) FT_Done_FreeType(library_);
    }

    std::mutex lock;

    void set_files(FontRole role, std::vector<std::string> files) {
        forget_faces();
        if (files.empty())
            custom_files_.erase(role);
        else
            custom_files_[role] = std::move(files);
        warned_.clear();
    }

    // The face to draw `role` with, following the fall-backs; null when no font opens at all.
    Face* face(FontRole role) {
        for (FontRole candidate : fallback_chain(role)) {
            Face* f = own_face(candidate);
            if (!f) continue;
            if (candidate != role) warn_once(role, "using " + f->file + " instead");
            return f;
        }
        warn_once(role, "no other font opened either; strings show their background only");
        return nullptr;
    }

private:
    std::vector<std::string> files(FontRole role) const {
        auto custom = custom_files_.find(role);
        return custom != custom_files_.end() ? custom->second : built_in_files(role);
    }

    Face* own_face(FontRole role) {
        auto known = faces_.find(role);
        if (known != faces_.end()) return known->second.get();
        std::unique_ptr<Face> loaded;
        if (!library_ && !library_failed_) library_failed_ = FT_Init_FreeType(&library_) != 0;
        if (library_) {
            for (const std::string& file : files(role)) {
                FT_Face face = nullptr;
                if (FT_New_Face(library_, file.c_str(), 0, &face) != 0) continue;
                if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes <= 0) {
                    FT_Done_Face(face);
                    continue;
                }
                FT_Select_Charmap(face, FT_ENCODING_UNICODE);  // bitmap faces may lack one: harmless
                loaded = std::make_unique<Face>();
                loaded->face = face;
                loaded->file = file;
                break;
            }
        }
        Face* result = loaded.get();
        faces_[role] = std::move(loaded);
        return result;
    }

    void warn_once(FontRole role, const std::string& what) {
        if (!warned_.emplace(role, true).second) return;
        std::string tried;
        for (const std::string& file : files(role)) tried += (tried.empty() ? "" : ", ") + file;
        std::fprintf(stderr, "panelhost: text: no font file for %s could be opened (tried %s); %s\n",
                     role_name(role), tried.c_str(), what.c_str());
    }

    void forget_faces() {
        for (auto& entry : faces_)
            if (entry.second) FT_Done_Face(entry.second->face);
        faces_.clear();
    }

    FT_Library library_ = nullptr;
    bool library_failed_ = false;
    std::map<FontRole, std::unique_ptr<Face>> faces_;  // null entry: no file of the role opens
    std::map<FontRole, std::vector<std::string>> custom_files_;
    std::map<FontRole, bool> warned_;
};

TextDrawer& drawer() {
    static TextDrawer instance;
    return instance;
}

Rgba colour(uint32_t bbggrr) {
    return {uint8_t(bbggrr), uint8_t(bbggrr >> 8), uint8_t(bbggrr >> 16), 255};
}

int floor_half(int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

struct Clip {
    int x0, y0, x1, y1;  // frame pixels
};

// One line of glyph indices with its advance width in pixels.
struct Line {
    std::vector<FT_UInt> glyphs;
    int width = 0;
};

void draw_line(Face& f, bool mono, const Line& line, int pen_x, int baseline, const Rgba& fg,
               Frame& frame, const Clip& clip) {
    for (FT_UInt glyph : line.glyphs) {
        if (FT_Load_Glyph(f.face, glyph, load_flags(mono)) != 0) continue;
        const FT_GlyphSlot slot = f.face->glyph;
        const FT_Bitmap& b = slot->bitmap;
        const int left = pen_x + slot->bitmap_left, top = baseline - slot->bitmap_top;
        for (int y = std::max(0, clip.y0 - top); y < int(b.rows) && top + y < clip.y1; ++y) {
            for (int x = std::max(0, clip.x0 - left); x < int(b.width) && left + x < clip.x1; ++x) {
                const int c = coverage(b, x, y);
                if (!c) continue;
                Rgba& p = frame.image.at(left + x, top + y);
                p.r = uint8_t((p.r * (255 - c) + fg.r * c + 127) / 255);
                p.g = uint8_t((p.g * (255 - c) + fg.g * c + 127) / 255);
                p.b = uint8_t((p.b * (255 - c) + fg.b * c + 127) / 255);
                p.a = 255;
            }
        }
        pen_x += int((slot->advance.x + 32) >> 6);
    }
}

}  // namespace

void set_font_files(FontRole role, std::vector<std::string> files) {
    std::lock_guard<std::mutex> hold(drawer().lock);
    drawer().set_files(role, std::move(files));
}

std::string font_file_for(const std::string& face_name, int weight) {
    std::lock_guard<std::mutex> hold(drawer().lock);
    Face* f = drawer().face(role_for(face_name, weight));
    return f ? f->file : std::string();
}

void draw_text(Frame& frame, const TextStyle& style, int x, int y, int width, int height,
               const char* text) {
    const Image& image = frame.image;
    if (width <= 0 || height <= 0 || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        return;
    // The box in frame pixels, computed wide: positions and origins may be anything.
    const int64_t bx = int64_t(x) - frame.origin_x, by = int64_t(y) - frame.origin_y;
    auto clamp = [](int64_t v, int hi) { return int(std::clamp<int64_t>(v, 0, hi)); };
    const Clip clip{clamp(bx, image.width), clamp(by, image.height),
                    clamp(bx + width, image.width), clamp(by + height, image.height)};
    if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1) return;

    const Rgba background = colour(style.background);
    if (!text_background_is_see_through(style))
        for (int py = clip.y0; py < clip.y1; ++py)
        std::fill(&frame.image.at(clip.x0, py), &frame.image.at(clip.x0, py) + (clip.x1 - clip.x0),
                  background);
    if (!text || !*text) return;
    // Text placement is worked out in box coordinates relative to (bx, by); a box that lies
    // far outside the frame has been cut away above, so these fit in int.
    if (bx < INT32_MIN / 4 || bx > INT32_MAX / 4 || by < INT32_MIN / 4 || by > INT32_MAX / 4) return;

    std::lock_guard<std::mutex> hold(drawer().lock);
    Face* f = drawer().face(role_for(style.font_face, style.weight));
    if (!f) return;
    const SizeChoice& size = size_for(*f, height);
    if (!set_size(*f, size.size)) return;

    const bool single_line = style.format & 0x20;
    std::vector<Line> lines(1);
    for (const char* p = text; *p; ++p) {
        const uint8_t byte = uint8_t(*p);
        if (byte == '\n' && !single_line) {
            lines.emplace_back();
            continue;
        }
        if (byte < 0x20) continue;  // other control bytes draw nothing
        const FT_UInt glyph = FT_Get_Char_Index(f->face, code_point(byte));
        if (FT_Load_Glyph(f->face, glyph, load_flags(size.mono) & ~FT_LOAD_RENDER) != 0) continue;
        lines.back().glyphs.push_back(glyph);
        lines.back().width += int((f->face->glyph->advance.x + 32) >> 6);
    }

    const int band = size.digit_top + size.digit_bottom;
    int band_top = 0;  // relative to the box top
    if (single_line && (style.format & 0x4))
        band_top = floor_half(height - band);
    else if (single_line && (style.format & 0x8))
        band_top = height - band;
    const Rgba fg = colour(style.foreground);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        int left = 0;
        if (style.format & 0x1)
            left = floor_half(width - line.width);
        else if (style.format & 0x2)
            left = width - line.width;
        const int baseline = int(by) + band_top + size.digit_top + int(i) * size.line_height;
        if (baseline - size.line_height > clip.y1) break;
        draw_line(*f, size.mono, line, int(bx) + left, baseline, fg, frame, clip);
    }
}
