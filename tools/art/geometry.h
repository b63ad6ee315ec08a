// Geometry of the artwork library: points, affine maps, paths and the shape builders.
//
// Coordinates are continuous canvas pixels: pixel (x, y) is the unit square from (x, y) to
// (x + 1, y + 1), so its centre is (x + 0.5, y + 0.5). A rectangle from (2, 3) to (6, 5) covers
// pixels 2..5 x 3..4 exactly; a line of width 1 along x = 10.5 fills column 10 exactly. To draw
// about "bitmap point (94, 130)" as a pixel, use its centre, pixel_centre(94, 130).
//
// Angles are degrees clockwise from straight up (12 o'clock), the way a needle turns on the
// screen: 0 is up, 90 right, 180 down, -90 (or 270) left.
//
// A Path is a set of closed contours filled with the non-zero rule (or even-odd, on request).
// Every builder below winds its filled areas the same way (positive area in canvas coordinates)
// and its holes the other way, so adding paths together gives the union of their shapes.
#pragma once

#include <vector>

namespace art {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
constexpr Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
constexpr Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }

constexpr Point pixel_centre(int x, int y) { return {x + 0.5, y + 0.5}; }

// The point at `radius` from `centre` in the direction `degrees` (clockwise from up).
Point polar(Point centre, double radius, double degrees);

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    static Affine translate(double dx, double dy);
    static Affine scale(double sx, double sy, Point about = {0, 0});
    // Turns clockwise on the screen by `degrees` about `about`.
    static Affine rotate(double degrees, Point about = {0, 0});
    // Mirrors left to right about the vertical line x = axis_x.
    static Affine mirror_x(double axis_x);

    Point apply(Point p) const;
    // This map followed by `next`.
    Affine then(const Affine& next) const;
};

using Contour = std::vector<Point>;  // closed: the last point joins the first

enum class FillRule { NonZero, EvenOdd };

struct Path {
    std::vector<Contour> contours;

    Path() = default;
    explicit Path(Contour contour) { contours.push_back(std::move(contour)); }

    Path& add(const Path& other);
    Path& add(Contour contour);
    bool empty() const { return contours.empty(); }

    Path transformed(const Affine& map) const;
    Path translated(double dx, double dy) const;
    Path rotated(double degrees, Point about) const;
    Path mirrored_x(double axis_x) const;
    // The same contours wound the other way: a hole when added to a filled path.
    Path reversed() const;
};

Path operator+(Path a, const Path& b);

enum class Cap { Butt, Square, Round };
enum class Join { Miter, Bevel, Round };

// Filled shapes.
Path rect(double x0, double y0, double x1, double y1);
// The pixels x_first..x_last, y_first..y_last (inclusive), exactly.
Path pixel_rect(int x_first, int y_first, int x_last, int y_last);
Path rounded_rect(double x0, double y0, double x1, double y1, double radius);
Path ellipse(Point centre, double rx, double ry);
Path disc(Point centre, double radius);
Path ring(Point centre, double inner_radius, double outer_radius);
// Any simple polygon, in either winding; it is wound the standard way.
Path polygon(const std::vector<Point>& points);
// The pie slice from `from_degrees` clockwise to `to_degrees`.
Path sector(Point centre, double radius, double from_degrees, double to_degrees);
// The part of a ring between two angles, ends cut along the radii.
Path annular_sector(Point centre, double inner_radius, double outer_radius, double from_degrees,
                    double to_degrees);

// Strokes: shapes of a given width along lines, centred on them.
Path line(Point a, Point b, double width, Cap cap = Cap::Butt);
Path polyline(const std::vector<Point>& points, double width, bool closed = false,
              Join join = Join::Miter, Cap cap = Cap::Butt);
// The outline of a rectangle, drawn inside its edges (a width-1 outline of rect(2,2,8,8)
// covers exactly the border pixels of 2..7 x 2..7).
Path rect_outline(double x0, double y0, double x1, double y1, double width);
Path rounded_rect_outline(double x0, double y0, double x1, double y1, double radius,
                          double width);
// A circle of `radius` drawn with a line of `width` centred on it.
Path circle_outline(Point centre, double radius, double width);
// An arc of `radius` drawn with a line of `width`, from `from_degrees` clockwise to `to_degrees`
// (to < from draws counter-clockwise). Butt ends lie along the radii; round ends add half discs.
Path arc(Point centre, double radius, double width, double from_degrees, double to_degrees,
         Cap cap = Cap::Butt);
// Dashes along an arc: `dash` pixels drawn, `gap` pixels left out, measured along the circle of
// `radius`, the first dash starting at `from_degrees`; the last one is cut at `to_degrees`.
Path dashed_arc(Point centre, double radius, double width, double from_degrees, double to_degrees,
                double dash, double gap, Cap cap = Cap::Butt);
// A dashed full circle with `count` equal dashes, the first centred on `first_dash_degrees`;
// `duty` is the fraction of each period that is drawn.
Path dashed_circle(Point centre, double radius, double width, int count, double duty,
                   double first_dash_degrees = 0);
// A tick mark along the radius at `degrees`, from inner_radius to outer_radius.
Path radial_tick(Point centre, double inner_radius, double outer_radius, double degrees,
                 double width);

// The edge of a rectangle split for a bevel: `light`, the band of `width` along the top and left
// edges, and `dark`, along the bottom and right, meeting on the diagonals at the two other
// corners. Light over dark looks raised; dark over light, pressed in.
struct BevelBands {
    Path light, dark;
};
BevelBands bevel_bands(double x0, double y0, double x1, double y1, double width);

// Signed area of a contour (positive in the standard winding).
double signed_area(const Contour& contour);

}  // namespace art
