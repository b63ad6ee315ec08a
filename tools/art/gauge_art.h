// The artwork library for build-time generators: everything in one include.
//   color.h      Color (0..255 doubles), Rgb (8-bit), mixing and shading
//   geometry.h   Point, Affine, Path and the shape builders (rects, discs, rings, arcs, dashes,
//                strokes, polygons)
//   mask.h       anti-aliased coverage of paths, and mask arithmetic
//   canvas.h     the canvas, gradients, the see-through rule of finished pictures
//   text.h       Liberation Sans text through FreeType
//   palette.h    IndexedImage and the 256-colour quantiser
//   bmp.h        8-bit Windows bitmap files
//   resources.h  a module's artwork folder and its resources.list
//   files.h      whole-file reading and writing
#pragma once

#include "tools/art/bmp.h"
#include "tools/art/canvas.h"
#include "tools/art/color.h"
#include "tools/art/files.h"
#include "tools/art/geometry.h"
#include "tools/art/mask.h"
#include "tools/art/palette.h"
#include "tools/art/resources.h"
#include "tools/art/text.h"
