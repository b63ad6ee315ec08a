// switches_art OUTDIR lampkey|clickpad
//
// Draws the bitmaps of a switch gauge into OUTDIR, with its resources.list.
//
// lampkey, 112 x 128 each: 0x2000 lamp dark and button raised (0x1000 is the same picture),
// 0x2003 lamp lit and button pressed in. The two states differ only on the lamp (pixels 43..71 x
// 11..39) and on the push button (26..90 x 56..117): the lit state is the dark picture with those
// two areas taken from a lit drawing, so nothing else can differ. The plate is opaque throughout.
//
// clickpad, 125 x 112: see-through except the OV button on pixels 1..33 x 1..20.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/art/gauge_art.h"

namespace {

using namespace art;

// ---- lamp button -------------------------------------------------------------------------

constexpr int kLampWidth = 112, kLampHeight = 128;

// The two areas that change with the state, in inclusive pixel ranges.
struct PixelArea {
    int x_first, y_first, x_last, y_last;
};
constexpr PixelArea kLampArea{43, 11, 71, 39};
constexpr PixelArea kButtonArea{26, 56, 90, 117};

// The lamp's centre and radius: the whole lamp (bezel included) stays inside its area.
constexpr Point kLampCentre{(kLampArea.x_first + kLampArea.x_last + 1) / 2.0,
                            (kLampArea.y_first + kLampArea.y_last + 1) / 2.0};
constexpr double kBezelRadius = 13.6;
constexpr double kLensRadius = 10.2;

constexpr Color kPlate = rgb(64, 66, 70);
constexpr Color kPlateTop = rgb(70, 72, 76);
constexpr Color kPlateBottom = rgb(54, 56, 60);
constexpr Color kCaption = rgb(238, 238, 230);

void draw_screw(Canvas& c, Point at) {
    c.fill(disc(at, 3.6), rgb(30, 31, 34));
    c.fill(disc(at, 3.0), radial_gradient(at + Point{-1.0, -1.0}, 4.0, rgb(150, 152, 156),
                                          rgb(72, 74, 78)));
    c.fill(line(at + Point{-2.2, 1.2}, at + Point{2.2, -1.2}, 0.9), rgb(36, 37, 40));
}

void draw_plate(Canvas& c) {
    const double w = kLampWidth, h = kLampHeight;
    c.fill(rect(0, 0, w, h), linear_gradient({0, 0}, kPlateTop, {0, h}, kPlateBottom));
    // Outer bevel: light along the top and left, dark along the bottom and right.
    BevelBands edge = bevel_bands(0, 0, w, h, 1);
    c.fill(edge.light, rgb(104, 106, 110));
    c.fill(edge.dark, rgb(30, 31, 34));
    for (Point p : {Point{7.5, 7.5}, Point{104.5, 7.5}, Point{7.5, 120.5}, Point{104.5, 120.5}})
        draw_screw(c, p);
    // A fine engraved line framing the button, outside its area.
    c.fill(rect_outline(kButtonArea.x_first - 4, kButtonArea.y_first - 4,
                        kButtonArea.x_last + 5, kButtonArea.y_last + 5, 1),
           rgb(40, 41, 44));
    c.fill(rect_outline(kButtonArea.x_first - 3, kButtonArea.y_first - 3,
                        kButtonArea.x_last + 6, kButtonArea.y_last + 6, 1),
           rgb(88, 90, 94), 0.6);
}

void draw_lamp(Canvas& c, bool lit) {
    Point o = kLampCentre;
    // Bezel: a turned metal ring, lit from the upper left.
    c.fill(disc(o, kBezelRadius), rgb(26, 27, 30));
    c.fill(ring(o, kLensRadius + 0.6, kBezelRadius - 0.8),
           linear_gradient(o + Point{-9, -9}, rgb(170, 172, 176), o + Point{9, 9}, rgb(54, 56, 60)));
    c.fill(ring(o, kLensRadius, kLensRadius + 0.9), rgb(20, 20, 22));
    if (!lit) {
        // Dark red glass, deeper toward the rim.
        c.fill(disc(o, kLensRadius), radial_gradient(o + Point{-2.5, -3}, kLensRadius + 3,
                                                     {{0, rgb(112, 26, 22)},
                                                      {0.6, rgb(70, 12, 10)},
                                                      {1, rgb(38, 5, 5)}}));
    } else {
        // Glowing: a white-hot core fading to a strong red at the rim, and the glow spilling
        // onto the bezel.
        c.fill(disc(o, kLensRadius), radial_gradient(o + Point{-0.8, -1}, kLensRadius + 1,
                                                     {{0, rgb(255, 236, 214)},
                                                      {0.25, rgb(255, 120, 90)},
                                                      {0.65, rgb(246, 40, 28)},
                                                      {1, rgb(196, 14, 10)}}));
        c.fill(ring(o, kLensRadius, kBezelRadius - 0.8),
               radial_gradient(o, kBezelRadius, {{0.7, rgb(255, 60, 40)}, {1, rgb(120, 20, 16)}}),
               0.35);
    }
    // The glass's highlight.
    c.fill(ellipse(o + Point{-4, -4.6}, 3.2, 2.0).rotated(-40, o + Point{-4, -4.6}),
           grey(255), lit ? 0.55 : 0.28);
}

void draw_caption(Canvas& c, Point centre, double shade_amount) {
    TextStyle style{17, FontWeight::Bold};
    Mask letters = text_mask(c.width(), c.height(), "HSI", centre, style);
    // Printed slightly into the face: a dark edge below and to the right of the letters.
    c.fill(letters.shifted(1, 1), rgb(28, 29, 32), 0.7);
    c.fill(letters, shade(kCaption, shade_amount));
}

void draw_button(Canvas& c, bool pressed) {
    const PixelArea& a = kButtonArea;
    double x0 = a.x_first, y0 = a.y_first, x1 = a.x_last + 1.0, y1 = a.y_last + 1.0;
    // The well the button sits in: dark, its lower and right lip catching the light.
    c.fill(rect(x0, y0, x1, y1), rgb(22, 23, 25));
    c.fill(bevel_bands(x0, y0, x1, y1, 1).dark, rgb(92, 94, 98));

    // The cap: 57 x 57 pixels, one pixel further right and down when pressed.
    double shift = pressed ? 1 : 0;
    double cx0 = 30 + shift, cy0 = 59 + shift, cx1 = 87 + shift, cy1 = 116 + shift;
    if (!pressed)
        c.fill(rect(cx0 + 2, cy0 + 2, cx1 + 2, cy1 + 1), rgb(10, 10, 11), 0.8);  // its shadow
    double bevel = pressed ? 2 : 3;
    Color light = pressed ? rgb(46, 47, 50) : rgb(150, 152, 158);
    Color dark = pressed ? rgb(108, 110, 114) : rgb(40, 41, 44);
    Color top_left_edge = pressed ? rgb(30, 31, 33) : rgb(178, 180, 186);
    c.fill(rect(cx0, cy0, cx1, cy1), dark);
    c.fill(bevel_bands(cx0, cy0, cx1, cy1, bevel).light, light);
    c.fill(polyline({{cx0 + 0.5, cy1 - 0.5}, {cx0 + 0.5, cy0 + 0.5}, {cx1 - 0.5, cy0 + 0.5}}, 1),
           top_left_edge);
    // The face.
    double fx0 = cx0 + bevel, fy0 = cy0 + bevel, fx1 = cx1 - bevel, fy1 = cy1 - bevel;
    Color face_top = pressed ? rgb(78, 80, 84) : rgb(104, 106, 111);
    Color face_bottom = pressed ? rgb(70, 72, 76) : rgb(84, 86, 91);
    c.fill(rect(fx0, fy0, fx1, fy1), linear_gradient({0, fy0}, face_top, {0, fy1}, face_bottom));
    // An inner line, the edge of the legend plate.
    c.fill(rect_outline(fx0 + 3, fy0 + 3, fx1 - 3, fy1 - 3, 1), shade(face_bottom, -0.35), 0.6);
    draw_caption(c, {(fx0 + fx1) / 2, (fy0 + fy1) / 2}, pressed ? -0.1 : 0.0);
}

Canvas draw_lamp_button(bool lit) {
    Canvas c(kLampWidth, kLampHeight, kPlate);
    draw_plate(c);
    draw_lamp(c, lit);
    draw_button(c, lit);
    return c;
}

void copy_area(Canvas& to, const Canvas& from, const PixelArea& a) {
    int w = a.x_last - a.x_first + 1, h = a.y_last - a.y_first + 1;
    to.copy_from(from, a.x_first, a.y_first, w, h, a.x_first, a.y_first);
}

void write_lampkey(ResourceWriter& out) {
    Canvas dark = draw_lamp_button(false);
    Canvas lit = dark;
    Canvas lit_drawing = draw_lamp_button(true);
    copy_area(lit, lit_drawing, kLampArea);
    copy_area(lit, lit_drawing, kButtonArea);
    // One palette for both, so that the pixels the states share stay equal.
    std::vector<IndexedImage> pictures = finish_together({&dark, &lit});
    out.add_bitmap(0x1000, pictures[0]);
    out.add_bitmap(0x2000, pictures[0]);
    out.add_bitmap(0x2003, pictures[1]);
}

// ---- click pad ---------------------------------------------------------------------------

constexpr int kPadWidth = 125, kPadHeight = 112;

void write_clickpad(ResourceWriter& out) {
    Canvas c(kPadWidth, kPadHeight);  // see-through
    // The button covers pixels 1..33 x 1..20 exactly: edges on whole pixels, so no partly
    // covered pixel borders the see-through plate.
    const double x0 = 1, y0 = 1, x1 = 34, y1 = 21;
    c.fill(rect(x0, y0, x1, y1), rgb(70, 72, 76));  // outer rim
    c.fill(rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1), rgb(136, 138, 142));
    // The frame's bevel: lighter along the top and left, darker along the bottom and right.
    c.fill(bevel_bands(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2).light, rgb(186, 188, 192));
    c.fill(rect_outline(x0 + 3, y0 + 3, x1 - 3, y1 - 3, 1), rgb(58, 60, 64));
    c.fill(rect(x0 + 4, y0 + 4, x1 - 4, y1 - 4),
           linear_gradient({0, y0 + 4}, rgb(108, 110, 115), {0, y1 - 4}, rgb(92, 94, 99)));
    Mask letters = text_mask(kPadWidth, kPadHeight, "OV", {(x0 + x1) / 2, (y0 + y1) / 2},
                             {12, FontWeight::Bold});
    c.fill(letters, grey(255));
    out.add_bitmap(0x1000, c);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: switches_art OUTDIR lampkey|clickpad\n");
        return 2;
    }
    std::string which = argv[2];
    try {
        ResourceWriter out(argv[1], which);
        if (which == "lampkey") {
            write_lampkey(out);
        } else if (which == "clickpad") {
            write_clickpad(out);
        } else {
            std::fprintf(stderr, "switches_art: unknown gauge \"%s\" (lampkey or clickpad)\n",
                         which.c_str());
            return 2;
        }
        out.write_list();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "switches_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
