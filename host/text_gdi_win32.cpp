// String elements drawn with Windows' own text drawing, as the panel system draws them: a font
// made by CreateFont from the string's face, weight and character set, the text put into its box
// by DrawText with the string's format flags, into a DIB section that is then copied into the
// frame.
//
// As in the native host, the box is first filled with the background colour (unless it is the
// see-through pure black: then only the text's own pixels are copied) and the text drawn
// over it in the foreground colour, clipped to the box and the frame. The font's cell height is
// the box height. Text bytes are the Windows Western code page (byte 0xB0 is the degree sign)
// whatever code page the system runs with: they are converted from code page 1252 explicitly.
#include "host/raster.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

namespace {

constexpr UINT kWesternCodePage = 1252;
// Farther out than this the text cannot reach the frame; GDI coordinates stay well in range.
constexpr int64_t kFarthestOffset = int64_t(1) << 24;

struct FontKey {
    std::string face;
    int weight;
    int char_set;
    int height;
    bool operator<(const FontKey& o) const {
        return std::tie(face, weight, char_set, height) <
               std::tie(o.face, o.weight, o.char_set, o.height);
    }
};

class GdiText {
public:
    ~GdiText() {
        for (auto& entry : fonts_) DeleteObject(entry.second);
        if (dc_ != nullptr) DeleteDC(dc_);
    }

    std::mutex lock;

    HDC dc() {
        if (dc_ == nullptr) dc_ = CreateCompatibleDC(nullptr);
        return dc_;
    }

    HFONT font(const TextStyle& style, int height) {
        FontKey key{style.font_face.substr(0, LF_FACESIZE - 1), style.weight, style.char_set,
                    height};
        auto known = fonts_.find(key);
        if (known != fonts_.end()) return known->second;
        HFONT made = CreateFontA(height, 0, 0, 0, style.weight, FALSE, FALSE, FALSE,
                                 DWORD(style.char_set & 0xFF), OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 key.face.c_str());
        fonts_[key] = made;  // null is remembered too: the string then shows its background
        return made;
    }

private:
    HDC dc_ = nullptr;
    std::map<FontKey, HFONT> fonts_;
};

GdiText& gdi() {
    static GdiText instance;
    return instance;
}

// A 0x00BBGGRR colour as the bytes of a 32-bit DIB pixel (blue, green, red, unused).
uint32_t dib_pixel(uint32_t bbggrr) {
    return (bbggrr & 0xFF) << 16 | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 0xFF);
}

std::wstring western_text(const char* text) {
    int bytes = int(std::strlen(text));
    if (bytes == 0) return {};
    int count = MultiByteToWideChar(kWesternCodePage, 0, text, bytes, nullptr, 0);
    std::wstring wide(size_t(std::max(count, 0)), L'\0');
    if (count > 0) MultiByteToWideChar(kWesternCodePage, 0, text, bytes, wide.data(), count);
    return wide;
}

}  // namespace

void draw_text(Frame& frame, const TextStyle& style, int x, int y, int width, int height,
               const char* text) {
    Image& image = frame.image;
    if (width <= 0 || height <= 0 || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        return;
    // The box in frame pixels, computed wide: positions and origins may be anything.
    const int64_t bx = int64_t(x) - frame.origin_x, by = int64_t(y) - frame.origin_y;
    auto clamp = [](int64_t v, int hi) { return int(std::clamp<int64_t>(v, 0, hi)); };
    const int x0 = clamp(bx, image.width), y0 = clamp(by, image.height);
    const int x1 = clamp(bx + width, image.width), y1 = clamp(by + height, image.height);
    if (x0 >= x1 || y0 >= y1) return;
    const int w = x1 - x0, h = y1 - y0;

    const Rgba background{uint8_t(style.background), uint8_t(style.background >> 8),
                          uint8_t(style.background >> 16), 255};
    const bool see_through = text_background_is_see_through(style);
    if (!see_through)
        for (int py = y0; py < y1; ++py)
            std::fill(&image.at(x0, py), &image.at(x0, py) + w, background);
    if (text == nullptr || *text == '\0') return;
    // The box relative to the visible part, which the DIB covers.
    const int64_t left = bx - x0, top = by - y0;
    if (left < -kFarthestOffset || top < -kFarthestOffset || height > kFarthestOffset ||
        width > kFarthestOffset)
        return;

    std::lock_guard<std::mutex> hold(gdi().lock);
    HDC dc = gdi().dc();
    HFONT font = gdi().font(style, height);
    if (dc == nullptr || font == nullptr) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib == nullptr || bits == nullptr) {
        if (dib != nullptr) DeleteObject(dib);
        return;
    }
    uint32_t* pixels = static_cast<uint32_t*>(bits);
    std::fill(pixels, pixels + size_t(w) * size_t(h), dib_pixel(style.background));

    HGDIOBJ old_bitmap = SelectObject(dc, dib);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(style.foreground & 0xFFFFFF));
    std::wstring wide = western_text(text);
    RECT box{LONG(left), LONG(top), LONG(left + width), LONG(top + height)};
    DrawTextW(dc, wide.c_str(), int(wide.size()), &box, UINT(style.format));
    GdiFlush();  // the DIB's bits are complete only once GDI has finished drawing
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);

    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            uint32_t p = pixels[size_t(py) * size_t(w) + size_t(px)];
            if (see_through && (p & 0xFFFFFF) == 0) continue;
            image.at(x0 + px, y0 + py) = Rgba{uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), 255};
        }
    DeleteObject(dib);
}
