#include "recordings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace horn_art {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A small deterministic noise source (same numbers on every machine).
class Noise {
public:
    double next() {  // -1..1
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return double(int32_t(uint32_t(state_ >> 32))) / 2147483648.0;
    }

private:
    uint64_t state_ = 0x5EED;
};

// Raised-cosine fade: 0 at t = 0, 1 from t = length on.
double fade(double t, double length) {
    if (t >= length) return 1.0;
    if (t <= 0) return 0.0;
    return 0.5 - 0.5 * std::cos(kPi * t / length);
}

void normalise(std::vector<double>& samples, double peak) {
    double largest = 0;
    for (double s : samples) largest = std::max(largest, std::fabs(s));
    if (largest > 0)
        for (double& s : samples) s *= peak / largest;
}

// A band-limited square wave of `cycles` whole cycles over `length` samples at sample `n`:
// its odd harmonics below `top_hz`.
double square(double cycles, double n, double length, double top_hz) {
    const double fundamental = cycles * kRecordingRate / length;
    double sum = 0;
    for (int k = 1; k * fundamental < top_hz; k += 2)
        sum += std::sin(2 * kPi * k * cycles * n / length) / k;
    return sum * 4 / kPi;
}

}  // namespace

std::vector<double> click_recording() {
    // Ringing parts of the mechanism: frequency (Hz), decay time (s), level, phase.
    struct Mode {
        double hz, decay, level, phase;
    };
    const Mode modes[] = {
        {2350, 0.0060, 0.55, 0.3},
        {3900, 0.0035, 0.40, 1.1},
        {1240, 0.0090, 0.35, 2.0},
        {5600, 0.0020, 0.25, 0.7},
    };
    const double settle_at = 0.0105;  // the smaller second knock, seconds after the first
    Noise noise;
    std::vector<double> out(kClickSamples);
    for (unsigned n = 0; n < kClickSamples; ++n) {
        const double t = double(n) / kRecordingRate;
        double s = 0;
        for (double knock_at : {0.0, settle_at}) {
            const double u = t - knock_at;
            if (u < 0) continue;
            const double strength = knock_at == 0 ? 1.0 : 0.38;
            s += strength * noise.next() * std::exp(-u / 0.0006);  // the knock itself
            for (const Mode& m : modes)
                s += strength * m.level * std::exp(-u / m.decay) *
                     std::sin(2 * kPi * m.hz * u + m.phase);
        }
        out[n] = s;
    }
    normalise(out, 0.9);
    // The last 10 ms taper to silence.
    const double taper = 0.010 * kRecordingRate;
    for (unsigned n = 0; n < kClickSamples; ++n)
        out[n] *= fade(double(kClickSamples - 1 - n), taper);
    return out;
}

std::vector<double> horn_recording() {
    const double length = kHornSamples;
    // Whole cycles over the recording: 621 -> 449.7 Hz, 828 -> 599.7 Hz, 83 -> 60.1 Hz.
    const double low_cycles = 621, high_cycles = 828, buzz_cycles = 83;
    std::vector<double> out(kHornSamples);
    for (unsigned n = 0; n < kHornSamples; ++n) {
        const double tones = 0.55 * square(low_cycles, n, length, 6000) +
                             0.45 * square(high_cycles, n, length, 6000);
        const double buzz = 1.0 - 0.3 * (0.5 + 0.5 * std::sin(2 * kPi * buzz_cycles * n / length));
        out[n] = std::tanh(1.6 * tones * buzz);  // soft clipping: the rasp of the diaphragm
    }
    normalise(out, 0.85);
    const double ramp = 0.006 * kRecordingRate;  // 6 ms in and out
    for (unsigned n = 0; n < kHornSamples; ++n)
        out[n] *= fade(double(n), ramp) * fade(double(kHornSamples - 1 - n), ramp);
    return out;
}

}  // namespace horn_art
