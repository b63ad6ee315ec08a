// The bearing pointers: the six arc-mode needles at the rim of the arc and the two rose-mode
// needles across the rose.
//
// Each pointer is drawn in its own frame: the axis down the pivot column (x = 5.5), the outer
// end at y = 0 and the inner end at y = length. An arc-mode needle is one such piece, 33 pixels
// from radius 130 in to radius 97; a rose-mode needle has its head at the top and its tail, the
// same kind of piece turned end for end, at the bottom, with the middle left open.
//
// The looks, which the pointer symbols of the bottom corners repeat:
//   VOR 1  single white line, an open triangle at the rim (pointing out at the head, in at the
//          tail);
//   VOR 2  double white line, single at the rim: an outlined arrowhead at the head, a cross-bar
//          at the tail;
//   ADF    green; in the arc a single line at the rim opening into an arrowhead whose sides run
//          on as two legs (head), or two legs closing on the line in a V-shaped notch (tail); in
//          the rose a single line with a chevron at either end, pointing out at the head and
//          in at the tail.
#include <cmath>

#include "mapscope/art/pointers_parts.h"

namespace mapscope_art {

namespace {

using art::Canvas;
using art::Path;
using art::Point;

constexpr double kAxis = 5.5;     // pivot column 5
constexpr double kLineWidth = 1;  // every stroke: crisp along a pixel column or row
constexpr int kVorWidth = 9, kAdfWidth = 11;
constexpr int kArcLength = 33;    // radius 130 to 97
constexpr int kRoseLength = 125;
constexpr double kRosePieceLength = 30;  // each end of a rose pointer, from the ring inward

// Arrowheads: outlined triangles, the tip on the axis and the base `kHeadBase` rows from the
// rim, 7 pixels wide (columns 2..8).
constexpr double kHeadTip = 2;
constexpr double kHeadBase = 12;
constexpr double kHeadHalfWidth = 3.5;
constexpr double kVor2HalfGap = 2;   // the double line on columns 3 and 7
constexpr double kAdfHalfGap = 4;    // the ADF legs on columns 1 and 9

Path stem(double y0, double y1) { return art::line({kAxis, y0}, {kAxis, y1}, kLineWidth); }

Path double_line(double half_gap, double y0, double y1) {
    return art::line({kAxis - half_gap, y0}, {kAxis - half_gap, y1}, kLineWidth) +
           art::line({kAxis + half_gap, y0}, {kAxis + half_gap, y1}, kLineWidth);
}

// The outline of the triangle with its tip at `tip` and its base along y = base_y, drawn inside
// its edges with the stroke width, so that nothing reaches past the base's ends.
Path open_triangle(Point tip, double base_y) {
    const Point a = tip, b{kAxis + kHeadHalfWidth, base_y}, c{kAxis - kHeadHalfWidth, base_y};
    // The hole is the triangle shrunk about its incentre by the stroke width.
    const double la = std::hypot(b.x - c.x, b.y - c.y), lb = std::hypot(a.x - c.x, a.y - c.y),
                 lc = std::hypot(a.x - b.x, a.y - b.y);
    const double perimeter = la + lb + lc;
    const Point incentre = (a * la + b * lb + c * lc) * (1 / perimeter);
    const double inradius = std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) /
                            perimeter;
    const double k = (inradius - kLineWidth) / inradius;
    auto shrunk = [&](Point p) { return incentre + (p - incentre) * k; };
    return art::polygon({a, b, c}) + art::polygon({shrunk(a), shrunk(b), shrunk(c)}).reversed();
}

// The pieces, in the pointer frame described above.

Path vor1_head_piece(double length) {
    return stem(0, kHeadTip) + open_triangle({kAxis, kHeadTip}, kHeadBase) +
           stem(kHeadBase, length);
}

// The triangle points inward: its base toward the rim.
Path vor1_tail_piece(double length) {
    const double base = 2, tip = base + (kHeadBase - kHeadTip);
    return stem(0, base) + open_triangle({kAxis, tip}, base) + stem(tip - 1, length);
}

Path vor2_head_piece(double length) {
    return stem(0, kHeadTip) + open_triangle({kAxis, kHeadTip}, kHeadBase) +
           double_line(kVor2HalfGap, kHeadBase, length);
}

Path vor2_tail_piece(double length) {
    const double bar = 14;  // the cross-bar covers row 14, columns 3..7
    return stem(0, bar) + art::rect(kAxis - kVor2HalfGap - 0.5, bar, kAxis + kVor2HalfGap + 0.5,
                                    bar + 1) +
           double_line(kVor2HalfGap, bar, length);
}

Path adf_head_piece(double length) {
    const double legs_from = 12;
    return stem(0, kHeadTip) +
           art::polyline({{kAxis - kAdfHalfGap, length},
                          {kAxis - kAdfHalfGap, legs_from},
                          {kAxis, kHeadTip},
                          {kAxis + kAdfHalfGap, legs_from},
                          {kAxis + kAdfHalfGap, length}},
                         kLineWidth);
}

// The legs start at `legs_from` and meet the line at the notch, further in.
Path adf_tail_piece(double length) {
    const double legs_from = 16, notch = 23;
    return stem(0, notch) + art::polyline({{kAxis - kAdfHalfGap, length},
                                           {kAxis - kAdfHalfGap, legs_from},
                                           {kAxis, notch},
                                           {kAxis + kAdfHalfGap, legs_from},
                                           {kAxis + kAdfHalfGap, length}},
                                          kLineWidth);
}

// A single line with a chevron near its outer end: pointing out at the head, in at the tail.
Path rose_adf_piece(double length, bool head) {
    const double near_rim = 1.5, further_in = 9.5;
    const double tip = head ? near_rim : further_in, barbs = head ? further_in : near_rim;
    return stem(0, length) + art::polyline({{kAxis - kAdfHalfGap, barbs},
                                            {kAxis, tip},
                                            {kAxis + kAdfHalfGap, barbs}},
                                           kLineWidth);
}

// A piece of the pointer frame turned end for end, so that its outer end lies on the bottom
// edge of a needle `height` tall.
Path at_bottom(const Path& piece, double height) {
    return piece.transformed(art::Affine{1, 0, 0, -1, 0, height});
}

Canvas drawn(int width, int height, const Path& path, art::Color color) {
    Canvas c(width, height);
    c.fill(path, color);
    return c;
}

}  // namespace

Canvas arc_vor1_head() { return drawn(kVorWidth, kArcLength, vor1_head_piece(kArcLength), kWhite); }
Canvas arc_vor1_tail() { return drawn(kVorWidth, kArcLength, vor1_tail_piece(kArcLength), kWhite); }
Canvas arc_vor2_head() { return drawn(kVorWidth, kArcLength, vor2_head_piece(kArcLength), kWhite); }
Canvas arc_vor2_tail() { return drawn(kVorWidth, kArcLength, vor2_tail_piece(kArcLength), kWhite); }
Canvas arc_adf_head() { return drawn(kAdfWidth, kArcLength, adf_head_piece(kArcLength), kGreen); }
Canvas arc_adf_tail() { return drawn(kAdfWidth, kArcLength, adf_tail_piece(kArcLength), kGreen); }

Canvas rose_vor2_pointer() {
    return drawn(kVorWidth, kRoseLength,
                 vor2_head_piece(kRosePieceLength) +
                     at_bottom(vor2_tail_piece(kRosePieceLength), kRoseLength),
                 kWhite);
}

Canvas rose_adf_pointer() {
    return drawn(kAdfWidth, kRoseLength,
                 rose_adf_piece(kRosePieceLength, true) +
                     at_bottom(rose_adf_piece(kRosePieceLength, false), kRoseLength),
                 kGreen);
}

}  // namespace mapscope_art
