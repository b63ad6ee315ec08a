// Text and integer conversions of the display's readouts, made the same way in every build.
//
// The readouts use printf-style formats. The platform printf families differ in how they print
// values that are not finite (glibc writes "-nan" for a NaN with its sign bit set, others "nan"
// or "1.#QNAN"), so every readout text goes through format_text, which prints finite numbers
// with the C library's correctly rounding printf and writes non-finite numbers itself.
#pragma once

#include <cstdint>

namespace mapscope {

// Truncates toward zero to a signed 32-bit integer, as the readouts' "%d" fields need.
// Values beyond the 32-bit range saturate at INT32_MIN / INT32_MAX; NaN gives 0.
int32_t truncate_to_int32(double value);

// Formats into `buffer`, which holds `length` characters plus the terminating NUL (a string
// element's text buffer). A longer text is cut after `length` characters. A null buffer or a
// negative length writes nothing.
//
// Conversions understood: %d (int32_t), %s (const char*; null prints as empty), %f (double) with
// the flag '0', a field width and a precision, and %%. Other bytes are copied as they stand.
// NaN prints as "nan" whatever its sign bit, infinities as "inf" and "-inf"; both are padded with
// spaces to the field width (never with zeros).
void format_text(char* buffer, int32_t length, const char* format, ...);

}  // namespace mapscope
