#include "host/json_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Code points of bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the
// control characters of the same value, as Windows itself converts them.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void append_utf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void append_escaped(std::string& out, uint32_t cp) {
    static const char kHex[] = "0123456789abcdef";
    switch (cp) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    default: break;
    }
    if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) {
        out += "\\u00";
        out += kHex[cp >> 4];
        out += kHex[cp & 0xF];
        return;
    }
    append_utf8(out, cp);
}

}  // namespace

uint32_t cp1252_to_unicode(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

bool unicode_to_cp1252(uint32_t cp, uint8_t* byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        *byte = uint8_t(cp);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) {
            *byte = uint8_t(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string json_number(double value) {
    if (std::isnan(value)) return "\"nan\"";
    if (std::isinf(value)) return value > 0 ? "\"inf\"" : "\"-inf\"";
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    // 15 significant digits in scientific form: "d.dddddddddddddde+XX".
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    bool negative = sci[0] == '-';
    if (negative) sci.erase(0, 1);
    size_t e = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, e - 2);
    int exponent = std::atoi(sci.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exponent < 0 ? "e-" : "e+";
        int magnitude = std::abs(exponent);
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += "0." + std::string(size_t(-exponent - 1), '0') + digits;
    } else {
        size_t int_digits = size_t(exponent) + 1;
        if (digits.size() <= int_digits) {
            out += digits + std::string(int_digits - digits.size(), '0');
        } else {
            out += digits.substr(0, int_digits) + "." + digits.substr(int_digits);
        }
    }
    return out;
}

std::string json_text_cp1252(const char* text, size_t max_bytes) {
    std::string out = "\"";
    for (size_t i = 0; text != nullptr && i < max_bytes && text[i] != '\0'; ++i)
        append_escaped(out, cp1252_to_unicode(uint8_t(text[i])));
    out += '"';
    return out;
}

std::string json_text(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c >= 0x80)
            out += char(c);  // already UTF-8
        else
            append_escaped(out, c);
    }
    out += '"';
    return out;
}

std::string json_colour(uint32_t colour) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"0x";
    for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(colour >> shift) & 0xF];
    out += '"';
    return out;
}
