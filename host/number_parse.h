// Strict number parsing for script lines and command-line options: the whole word must be the
// number ("12abc", "" and out-of-range values are rejected).
#pragma once

#include <cstdint>
#include <string_view>

// Decimal ("-12") or hexadecimal ("0x51", "-0x10") integer in [min, max].
bool parse_integer(std::string_view word, int64_t min, int64_t max, int64_t* out);

// A token number: 0 to 0xFFFFFFFF, decimal or hexadecimal.
bool parse_token(std::string_view word, uint32_t* out);

// A 32-bit integer value: -2147483648 to 4294967295 (hex words such as 0x80000000 allowed),
// kept as its low 32 bits.
bool parse_int32_value(std::string_view word, uint32_t* out);

// A 64-bit float: decimal or scientific notation, or "nan", "inf", "-inf".
bool parse_double(std::string_view word, double* out);
