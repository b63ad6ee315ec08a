// The host's rasteriser: draws installed element images into an RGBA frame.
//
// Coordinates are panel pixels, measured from the top-left corner of the gauge's root bitmap;
// a frame covers the panel rectangle starting at its origin and may extend to negative
// coordinates. Everything is clipped to the frame. Pure black source pixels (0,0,0) are skipped
// when `see_through` is set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;  // rows top to bottom

    Image() = default;
    Image(int w, int h, Rgba fill = {0, 0, 0, 0}) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    Rgba& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

struct Frame {
    Image image;
    int origin_x = 0;  // panel coordinates of the frame's top-left pixel
    int origin_y = 0;
};

// A bitmap placed with its top-left corner at a panel point.
void draw_image(Frame& frame, const Image& image, int x, int y, bool see_through);

// A needle: the bitmap turned about its pivot (a point of the bitmap, which may lie outside it)
// by `angle_degrees` clockwise, the pivot placed at the panel point (x, y).
void draw_needle(Frame& frame, const Image& image, double pivot_x, double pivot_y, double x,
                 double y, double angle_degrees, bool see_through);

struct SpriteGeometry {
    int position_x, position_y;      // panel point of the texture window's top-left corner
    int offset_x, offset_y;          // element offset
    int texture_x, texture_y;        // texture point the sprite turns about
    float scale_x, scale_y;
    double shift_x, shift_y;         // channel values times their factors: pixels
    double rotation_ccw_degrees;     // channel value times its factor
};

// A sprite texture shifted and turned, seen only through `window` (the bitmap at the sprite's
// id + 3; null = no window) placed at the sprite's position.
void draw_sprite(Frame& frame, const Image& texture, const Image* window,
                 const SpriteGeometry& geometry, bool see_through);

struct TextStyle {
    std::string font_face;   // "Arial", "Small Fonts", ...
    int weight = 400;
    int char_set = 1;
    uint32_t foreground = 0; // 0x00BBGGRR
    uint32_t background = 0;
    uint32_t format = 0;     // Windows text-drawing flags (0x25: one line, centred both ways)
};

// Pure black is see-through in text boxes too: a string with background 0 shows what lies beneath.
inline bool text_background_is_see_through(const TextStyle& style) {
    return (style.background & 0xFFFFFF) == 0;
}

// A string's text (bytes of the Windows Western code page) drawn in its box.
void draw_text(Frame& frame, const TextStyle& style, int x, int y, int width, int height,
               const char* text);

// Writes a frame's image as a PNG file; false (and *error set) when the file cannot be written.
bool write_png(const std::string& path, const Image& image, std::string* error);
