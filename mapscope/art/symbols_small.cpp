// The small symbols, drawn pixel by pixel: the pointer symbols of the bottom corners, the wind
// arrow, the heading index at the top of the arc and the aircraft at the rose centre.
#include "mapscope/art/pointers_parts.h"

namespace mapscope_art {

// Pointer symbols, 7 x 16, pointing up like a head on the arc: they repeat the look of the
// pointer each group stands for.

art::Canvas vor1_symbol() {  // single line, open triangle
    return pixel_art({"...W...",
                      "...W...",
                      "..W.W..",
                      "..W.W..",
                      ".W...W.",
                      ".W...W.",
                      "WWWWWWW",
                      "...W...",
                      "...W...",
                      "...W...",
                      "...W...",
                      "...W...",
                      "...W...",
                      "...W...",
                      "...W...",
                      "...W..."},
                     {{'W', kWhite}});
}

art::Canvas adf_symbol() {  // split line: the arrowhead's sides run on as two legs
    return pixel_art({"...G...",
                      "...G...",
                      "..G.G..",
                      "..G.G..",
                      ".G...G.",
                      ".G...G.",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G",
                      "G.....G"},
                     {{'G', kGreen}});
}

art::Canvas vor2_symbol() {  // double line under an outlined arrowhead
    return pixel_art({"...W...",
                      "...W...",
                      "..W.W..",
                      "..W.W..",
                      ".W...W.",
                      ".W...W.",
                      "WWWWWWW",
                      ".W...W.",
                      ".W...W.",
                      ".W...W.",
                      ".W...W.",
                      ".W...W.",
                      ".W...W.",
                      ".W...W.",
                      ".W...W.",
                      ".W...W."},
                     {{'W', kWhite}});
}

// 5 x 12, pointing up; it turns about its centre pixel (2, 6).
art::Canvas wind_arrow() {
    return pixel_art({"..G..",
                      ".GGG.",
                      "GGGGG",
                      "..G..",
                      "..G..",
                      "..G..",
                      "..G..",
                      "..G..",
                      "..G..",
                      "..G..",
                      "..G..",
                      "..G.."},
                     {{'G', kWindGreen}});
}

// 3 x 11 at (93,40): a thin stem, softened by dimmer pixels beside its upper part, over a
// 3-pixel-wide block just inside the arc (the arc's top passes row 5).
art::Canvas heading_index() {
    return pixel_art({"dYd",
                      "dYd",
                      "dYd",
                      "dYd",
                      ".Y.",
                      ".Y.",
                      ".Y.",
                      "YYY",
                      "YYY",
                      "YYY",
                      "YYY"},
                     {{'Y', kIndexYellow}, {'d', kIndexYellowDim}});
}

// 20 x 20 at (84,89), nose up: the rose centre (92,99) is bitmap pixel (8,10), so the fuselage
// runs down column 8 (with 7 and 9) and the wings and tailplane are centred on it.
art::Canvas aircraft_symbol() {
    return pixel_art({"........Y...........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      "YYYYYYYYYYYYYYYYY...",
                      "YYYYYYYYYYYYYYYYY...",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      ".......YYY..........",
                      "....YYYYYYYYY.......",
                      "....YYYYYYYYY.......",
                      "........Y...........",
                      "....................",
                      "...................."},
                     {{'Y', kAircraftYellow}});
}

}  // namespace mapscope_art
