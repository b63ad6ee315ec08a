// The horn gauge's two recordings, synthesised: mono, 22050 samples a second, samples in -1..1.
#pragma once

#include <vector>

namespace horn_art {

constexpr unsigned kRecordingRate = 22050;
constexpr unsigned kClickSamples = 1322;   // 8-bit: 1322 data bytes, about 60 ms
constexpr unsigned kHornSamples = 30446;   // 16-bit: 60892 data bytes, about 1.38 s

// The lever springing back into its detent: a sharp knock, the ring of the metal parts dying
// away within a few milliseconds, a smaller second knock as the lever settles, then silence.
std::vector<double> click_recording();

// The warning horn: a raspy two-tone buzz, two square-ish tones a fourth apart (about 450 and
// 600 Hz) with their odd harmonics, roughened by a 60 Hz buzz and soft clipping. Every component
// makes a whole number of cycles over the recording, so it loops without a seam; it also fades
// in and out over a few milliseconds, so playing it once starts and ends without a click.
std::vector<double> horn_recording();

}  // namespace horn_art
