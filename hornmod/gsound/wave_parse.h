// The walk over the chunks of a RIFF WAVE image: finds its first "fmt " record and its first
// "data" chunk, skipping every other chunk. Pure: no platform, no allocation.
#pragma once

#include "platform/sound_platform.h"

#include <cstdint>

// Each output is optional (null = not wanted) and set to empty (null or 0) first. Returns 1 once
// every wanted output is found, else 0; outputs found on the way stay set.
//
// The walk follows the RIFF length of the image, but it never reads outside the `image_size`
// bytes it was given, whatever the RIFF and chunk lengths claim:
//   - a chunk header that does not fit in the image ends the walk;
//   - a "fmt " chunk shorter than 14 bytes fails the walk, and so does one that runs past the
//     end of the image (the format record is read in place by the platform);
//   - a "data" chunk that runs past the end of the image is cut to the bytes present;
//   - positions are counted in 64 bits, so lengths near 2^32 cannot wrap round.
int wave_parse(const uint8_t* image, uint32_t image_size, const SoundWaveFormat** format,
               const uint8_t** data, uint32_t* size);
