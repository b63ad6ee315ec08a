#include "mapscope/text_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace mapscope {

namespace {

// mingw's own printf rounds exactly like glibc's (exact decimal value, ties to even); the
// Microsoft run time's does not, so the Win32 form asks for mingw's by name.
#if defined(__MINGW32__)
#define READOUT_SNPRINTF __mingw_snprintf
#else
#define READOUT_SNPRINTF std::snprintf
#endif

// Appends to a bounded output, dropping what does not fit.
struct Output {
    char* buffer;
    int32_t length;
    int32_t used = 0;

    void put(char c) {
        if (used < length) buffer[used++] = c;
    }
    void put(const char* text) {
        while (*text != '\0' && used < length) buffer[used++] = *text++;
    }
    void pad(int width, int text_length, char fill) {
        for (int i = text_length; i < width; ++i) put(fill);
    }
};

// One conversion, the largest a double can print: 309 integer digits, sign, point and the
// precision, which the readouts keep to one digit.
constexpr int kPieceSize = 400;
constexpr int kMaxPrecision = 20;
constexpr int kMaxWidth = 40;

void put_number(Output& out, double value, bool zero_pad, int width, int precision) {
    if (!std::isfinite(value)) {
        const char* text = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
        out.pad(width, int(std::strlen(text)), ' ');
        out.put(text);
        return;
    }
    char piece[kPieceSize];
    if (zero_pad)
        READOUT_SNPRINTF(piece, sizeof piece, "%0*.*f", width, precision, value);
    else
        READOUT_SNPRINTF(piece, sizeof piece, "%*.*f", width, precision, value);
    out.put(piece);
}

void put_integer(Output& out, int32_t value, bool zero_pad, int width) {
    char piece[32];
    if (zero_pad)
        READOUT_SNPRINTF(piece, sizeof piece, "%0*d", width, int(value));
    else
        READOUT_SNPRINTF(piece, sizeof piece, "%*d", width, int(value));
    out.put(piece);
}

}  // namespace

int32_t truncate_to_int32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

void format_text(char* buffer, int32_t length, const char* format, ...) {
    if (buffer == nullptr || length < 0) return;
    Output out{buffer, length};
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            out.put(*p);
            continue;
        }
        ++p;
        bool zero_pad = false;
        if (*p == '0') {
            zero_pad = true;
            ++p;
        }
        int width = 0;
        while (*p >= '0' && *p <= '9') width = width * 10 + (*p++ - '0');
        int precision = 6;
        if (*p == '.') {
            ++p;
            precision = 0;
            while (*p >= '0' && *p <= '9') precision = precision * 10 + (*p++ - '0');
        }
        if (width > kMaxWidth) width = kMaxWidth;
        if (precision > kMaxPrecision) precision = kMaxPrecision;
        switch (*p) {
            case 'f':
                put_number(out, va_arg(args, double), zero_pad, width, precision);
                break;
            case 'd':
                put_integer(out, va_arg(args, int32_t), zero_pad, width);
                break;
            case 's': {
                const char* text = va_arg(args, const char*);
                if (text == nullptr) text = "";
                out.pad(width, int(strnlen(text, size_t(width) + 1)), ' ');
                out.put(text);
                break;
            }
            case '%':
                out.put('%');
                break;
            case '\0':
                --p;  // a lone '%' at the end prints nothing
                break;
            default:
                out.put(*p);  // unknown conversion: its letter stands as written
                break;
        }
    }
    va_end(args);
    buffer[out.used] = '\0';
}

}  // namespace mapscope
