// Output formatting shared by every JSON line the host prints. Nothing here depends on the
// locale or the C library's printf, so the native and the Win32 host print the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A number as JSON: integral values up to 1e15 as integers ("699", "-1"); others in the
// shortest form that keeps 15 significant digits ("0.1", "1.5e-07", "1e+20"); values that are
// not finite as the strings "nan", "inf", "-inf".
std::string json_number(double value);

// Text in the Windows Western code page (byte 0xB0 is the degree sign) as a quoted JSON string
// in UTF-8, reading at most `max_bytes` bytes and stopping at the first NUL.
std::string json_text_cp1252(const char* text, size_t max_bytes);

// Plain UTF-8 text (names we made ourselves) as a quoted JSON string.
std::string json_text(const std::string& utf8);

// A colour 0x00BBGGRR as the string "0xBBGGRR".
std::string json_colour(uint32_t colour);

// The Unicode code point of a Windows Western code page byte.
uint32_t cp1252_to_unicode(uint8_t byte);
// The code page byte of a code point; false when the code page has no such character.
bool unicode_to_cp1252(uint32_t code_point, uint8_t* byte);
