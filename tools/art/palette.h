// 8-bit pictures with a palette, and the quantiser that makes them.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/art/color.h"

namespace art {

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<Rgb> palette;      // at most 256 colours
    std::vector<uint8_t> indices;  // one per pixel, rows top to bottom

    Rgb at(int x, int y) const { return palette[indices[size_t(y) * width + x]]; }
    std::vector<Rgb> to_rgb() const;
};

// A palette of at most 256 colours for one or more pictures (rows top to bottom; sizes may
// differ). Pictures that share a palette show the same colour the same way, so two states of a
// picture that agree outside some area still agree there after quantising.
//
// When the pictures hold 256 colours or fewer together, the palette holds exactly those. Beyond
// that the colours are reduced by a median cut (the box with the largest squared error is split
// at its weighted median along its widest channel) and a few rounds of nearest-colour refinement;
// the result depends only on the pixels. Pure black (0,0,0), the screen colour (8,8,8) and every
// colour in `pinned` are kept exactly when they occur.
//
// The palette starts with pure black when any picture has it, then the pinned colours found;
// the rest follow in ascending order. Raises std::invalid_argument when more than 256 pinned
// colours occur.
std::vector<Rgb> build_palette(const std::vector<const std::vector<Rgb>*>& pictures,
                               const std::vector<Rgb>& pinned = {});

// The picture in the palette: a colour found in the palette exactly, any other the nearest entry
// that is not pure black, so see-through pixels stay exactly where they were. Raises
// std::invalid_argument when the pixel count does not match the size, the palette is empty or
// over 256 colours, or the picture has pure black that the palette lacks.
IndexedImage apply_palette(int width, int height, const std::vector<Rgb>& pixels,
                           const std::vector<Rgb>& palette);

// build_palette and apply_palette for a single picture.
IndexedImage quantize(int width, int height, const std::vector<Rgb>& pixels,
                      const std::vector<Rgb>& pinned = {});

}  // namespace art
