// The canvas artwork is painted on.
//
// Each pixel holds a colour and an opacity (alpha, 0..1). A fresh Canvas(w, h) is see-through
// everywhere; Canvas(w, h, colour) is opaque. Painting lays colour over what is there in
// proportion to the shape's coverage; erasing takes opacity away.
//
// See-through rule of the finished picture (to_rgb): a pixel that no paint has reached (alpha
// below 1/512) becomes pure black (0,0,0), the host's see-through colour. Every other pixel is
// opaque, and is never pure black: should its colour round to (0,0,0) (a near-black paint, or an
// anti-aliased edge blended toward black), its strongest channel is raised to 1. So pure black
// appears exactly where the canvas was left or made see-through, and nowhere by accident.
//
// Edges of shapes painted on see-through: with EdgeMode::BlendToBlack (the default) a partly
// covered pixel shows its colour blended toward black by its coverage, as if drawn over black,
// which suits art laid over the dark screen. EdgeMode::Threshold instead makes pixels under half
// covered see-through and shows the others in their full colour: hard edges, no dark fringe.
#pragma once

#include <functional>
#include <vector>

#include "tools/art/color.h"
#include "tools/art/geometry.h"
#include "tools/art/mask.h"

namespace art {

enum class EdgeMode { BlendToBlack, Threshold };

// A colour for every point, asked at pixel centres: gradients and shading.
using Shader = std::function<Color(Point)>;

struct ColorStop {
    double at;  // 0..1 along the gradient
    Color color;
};

// From c0 at p0 to c1 at p1, constant beyond the ends.
Shader linear_gradient(Point p0, Color c0, Point p1, Color c1);
Shader linear_gradient(Point p0, Point p1, std::vector<ColorStop> stops);
// From `inner` at the centre to `outer` at `radius` and beyond.
Shader radial_gradient(Point centre, double radius, Color inner, Color outer);
Shader radial_gradient(Point centre, double radius, std::vector<ColorStop> stops);

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);               // see-through everywhere
    Canvas(int width, int height, Color fill);   // opaque everywhere

    int width() const { return width_; }
    int height() const { return height_; }

    // Paint through a mask or a path's anti-aliased coverage, times `opacity`.
    void fill(const Mask& mask, Color color, double opacity = 1.0);
    void fill(const Mask& mask, const Shader& shader, double opacity = 1.0);
    void fill(const Path& path, Color color, double opacity = 1.0);
    void fill(const Path& path, const Shader& shader, double opacity = 1.0);
    // Without anti-aliasing: pixels at least half covered get the colour, the others nothing.
    void fill_crisp(const Path& path, Color color);
    // Takes opacity away (toward see-through) in proportion to the coverage.
    void erase(const Mask& mask);
    void erase(const Path& path);
    void erase_crisp(const Path& path);  // pixels at least half covered become see-through

    // Single pixels; coordinates outside the canvas are ignored (or read as see-through).
    void set_pixel(int x, int y, Color color);  // opaque
    void clear_pixel(int x, int y);             // see-through
    bool is_see_through(int x, int y) const;
    double alpha(int x, int y) const;
    // The colour as it would show over black (premultiplied by alpha), 0..255 per channel.
    Color pixel(int x, int y) const;

    // Left to right mirror image.
    Canvas mirrored() const;
    // The w x h region at (x, y); parts outside the canvas come out see-through.
    Canvas crop(int x, int y, int w, int h) const;
    // Copies (replaces) src's region (sx, sy, w, h) to (dx, dy); clipped to both canvases.
    void copy_from(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);
    // Lays all of src over this canvas with its top-left corner at (dx, dy), as paint.
    void draw(const Canvas& src, int dx, int dy);

    // The finished 8-bit picture, rows top to bottom (see the see-through rule above).
    std::vector<Rgb> to_rgb(EdgeMode edges = EdgeMode::BlendToBlack) const;

private:
    struct Px {
        float r = 0, g = 0, b = 0;  // premultiplied by a, 0..255
        float a = 0;
    };
    void paint(int x, int y, Color c, double k);
    Px* px(int x, int y);
    const Px* px(int x, int y) const;

    int width_ = 0, height_ = 0;
    std::vector<Px> pixels_;
};

// Alpha at or below this counts as see-through in the finished picture.
constexpr double kSeeThroughAlpha = 1.0 / 512;

// The finished colour of one pixel given its premultiplied colour and alpha (see to_rgb).
Rgb finish_pixel(Color premultiplied, double alpha, EdgeMode edges);

}  // namespace art
