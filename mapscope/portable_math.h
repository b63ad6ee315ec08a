// Sine, cosine and powers of a fixed base for the ground-speed computation, written out in plain
// IEEE double arithmetic so that the native and the Win32 form give the same bits: the two
// platforms' math libraries differ in the last bit for many arguments, and that would show in
// the ground speed's change key. Errors stay within about half a unit in the last place for the
// arguments the display meets (headings of a few turns, exponents up to a few hundred).
#pragma once

namespace mapscope {

// Radians. NaN and infinities give NaN. Beyond a million radians the argument is first taken
// modulo the double nearest 2 pi (an exact operation), which keeps the result defined.
double portable_sin(double x);
double portable_cos(double x);

// The natural logarithm of a base split in two doubles: hi is the correctly rounded value and
// lo the rounded rest, so that hi + lo carries about 106 bits.
struct SplitLog {
    double hi;
    double lo;
};

// base raised to `exponent`, for the base whose logarithm is `log_base`: exp(exponent x ln base).
// NaN stays NaN; results beyond the double range give infinity or 0.
double portable_pow(SplitLog log_base, double exponent);

}  // namespace mapscope
