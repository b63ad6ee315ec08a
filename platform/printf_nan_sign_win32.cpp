// Win32 form only: the mingw-w64 printf family writes every NaN as "nan", dropping its sign,
// where glibc writes "-nan" for a NaN whose sign bit is set. Arithmetic on x86 makes exactly such
// NaNs (0/0, inf - inf give the negative "default NaN"), so without this the two forms of a gauge
// would put different texts into the same string for the same inputs.
//
// The linker sends the formatting entry points through the __wrap_ functions below
// (-Wl,--wrap=..., set by gauge_win32_runtime in cmake/GaugeModule.cmake). A format whose
// arguments hold no negative NaN goes straight to the run time's own routine. Otherwise the text
// is made conversion by conversion; a negative NaN is formatted with a '+' flag added (the run
// time pads "+nan" exactly as glibc pads "-nan") and that '+' becomes '-'.
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
int __real___mingw_vsnprintf(char* buffer, size_t size, const char* format, va_list args);
int __real___mingw_vsprintf(char* buffer, const char* format, va_list args);
int __real___mingw_vfprintf(FILE* stream, const char* format, va_list args);
int __real___mingw_vprintf(const char* format, va_list args);
int __wrap___mingw_vsnprintf(char* buffer, size_t size, const char* format, va_list args);
int __wrap___mingw_vsprintf(char* buffer, const char* format, va_list args);
int __wrap___mingw_vfprintf(FILE* stream, const char* format, va_list args);
int __wrap___mingw_vprintf(const char* format, va_list args);
}

namespace {

constexpr ptrdiff_t kLongestConversion = 40;

enum class ArgType { kNone, kInt, kLongLong, kPointer, kDouble, kLongDouble };

// One conversion of a format: "%", flags, width, precision, length, conversion character.
struct Conversion {
    const char* flags_begin;
    const char* flags_end;
    bool width_star = false;
    const char* width_begin = nullptr;  // digits, when not '*'
    const char* width_end = nullptr;
    bool has_precision = false;
    bool precision_star = false;
    const char* precision_begin = nullptr;
    const char* precision_end = nullptr;
    const char* length_begin = nullptr;
    const char* length_end = nullptr;
    char conversion = 0;
    ArgType type = ArgType::kNone;
    const char* end = nullptr;  // just past the conversion character
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Parses the conversion that starts at `p` (the '%'). False for what this code does not handle
// (argument positions, unknown conversions): such formats are left to the run time unchanged.
bool parse_conversion(const char* p, Conversion* c) {
    const char* start = p;
    ++p;
    c->flags_begin = p;
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0' || *p == '\'') ++p;
    c->flags_end = p;
    if (*p == '*') {
        c->width_star = true;
        ++p;
    } else {
        c->width_begin = p;
        while (is_digit(*p)) ++p;
        c->width_end = p;
        if (*p == '$') return false;
    }
    if (*p == '.') {
        c->has_precision = true;
        ++p;
        if (*p == '*') {
            c->precision_star = true;
            ++p;
        } else {
            c->precision_begin = p;
            while (is_digit(*p)) ++p;
            c->precision_end = p;
        }
    }
    c->length_begin = p;
    bool wide_integer = false;  // 64-bit on i686
    if (p[0] == 'h' && p[1] == 'h') {
        p += 2;
    } else if (p[0] == 'l' && p[1] == 'l') {
        p += 2;
        wide_integer = true;
    } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
        p += 3;
        wide_integer = true;
    } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
        p += 3;
    } else if (*p == 'j' || *p == 'q') {
        ++p;
        wide_integer = true;
    } else if (*p == 'h' || *p == 'l' || *p == 'L' || *p == 'z' || *p == 't' || *p == 'I') {
        ++p;
    }
    c->length_end = p;
    bool long_double = c->length_end - c->length_begin == 1 && *c->length_begin == 'L';
    c->conversion = *p;
    switch (*p) {
        case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
            c->type = wide_integer ? ArgType::kLongLong : ArgType::kInt;
            break;
        case 'c': case 'C':
            c->type = ArgType::kInt;
            break;
        case 's': case 'S': case 'p': case 'n':
            c->type = ArgType::kPointer;
            break;
        case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
            c->type = long_double ? ArgType::kLongDouble : ArgType::kDouble;
            break;
        case '%':
            c->type = ArgType::kNone;
            break;
        default:
            return false;
    }
    c->end = p + 1;
    // Room for the rebuilt conversion in format_by_pieces; nobody writes longer ones.
    return c->end - start <= kLongestConversion;
}

// True when the format's arguments hold a negative NaN; false as well when the format has
// anything parse_conversion leaves to the run time.
bool has_negative_nan(const char* format, va_list args) {
    va_list walk;
    va_copy(walk, args);
    bool found = false;
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            ++p;
            continue;
        }
        Conversion c;
        if (!parse_conversion(p, &c)) {
            found = false;
            break;
        }
        if (c.width_star) (void)va_arg(walk, int);
        if (c.precision_star) (void)va_arg(walk, int);
        switch (c.type) {
            case ArgType::kNone: break;
            case ArgType::kInt: (void)va_arg(walk, int); break;
            case ArgType::kLongLong: (void)va_arg(walk, long long); break;
            case ArgType::kPointer: (void)va_arg(walk, void*); break;
            case ArgType::kDouble: {
                double v = va_arg(walk, double);
                if (std::isnan(v) && std::signbit(v)) found = true;
                break;
            }
            case ArgType::kLongDouble: {
                long double v = va_arg(walk, long double);
                if (std::isnan(v) && std::signbit(v)) found = true;
                break;
            }
        }
        p = c.end;
    }
    va_end(walk);
    return found;
}

// Collects output into a caller's buffer of `size` bytes, counting what did not fit.
struct Output {
    char* buffer;
    size_t size;
    size_t length = 0;  // characters produced so far, written or not

    char* here() { return length < size ? buffer + length : nullptr; }
    size_t room() const { return length < size ? size - length : 0; }

    void put(const char* text, size_t count) {
        for (size_t i = 0; i < count; ++i, ++length)
            if (length + 1 < size) buffer[length] = text[i];
    }
};

int format_piece(char* out, size_t room, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = __real___mingw_vsnprintf(out, room, format, args);
    va_end(args);
    return n;
}

// One floating-point conversion. A negative NaN is formatted as a positive one with a '+' flag
// put in at `sign_flag` (a point inside the NUL-terminated `spec`); *negative_nan tells the
// caller to turn that '+' of the output into '-'.
template <typename Float>
int format_float(char* out, size_t room, char* spec, char* sign_flag, Float v,
                 bool* negative_nan) {
    if (std::isnan(v) && std::signbit(v)) {
        *negative_nan = true;
        std::memmove(sign_flag + 1, sign_flag, std::strlen(sign_flag) + 1);
        *sign_flag = '+';
        v = std::fabs(v);
    }
    return format_piece(out, room, spec, v);
}

void append_number(char*& p, unsigned value) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) *p++ = digits[--n];
}

void append(char*& p, const char* begin, const char* end) {
    std::memcpy(p, begin, size_t(end - begin));
    p += end - begin;
}

// The whole text, conversion by conversion (only reached when a negative NaN is present).
int format_by_pieces(char* buffer, size_t size, const char* format, va_list args) {
    Output out{buffer, size};
    const char* p = format;
    while (*p != '\0') {
        if (*p != '%') {
            const char* run = p;
            while (*p != '\0' && *p != '%') ++p;
            out.put(run, size_t(p - run));
            continue;
        }
        Conversion c;
        parse_conversion(p, &c);  // has_negative_nan has accepted every conversion
        p = c.end;
        if (c.conversion == '%') {
            out.put("%", 1);
            continue;
        }
        int width = 0, precision = -1;
        if (c.width_star) width = va_arg(args, int);
        if (c.precision_star) precision = va_arg(args, int);

        // The conversion again, with '*' replaced by its numbers.
        char spec[kLongestConversion + 32];  // plus '-', '+' and two numbers for '*'
        char* s = spec;
        *s++ = '%';
        append(s, c.flags_begin, c.flags_end);
        if (c.width_star && width < 0) *s++ = '-';
        char* sign_flag = s;  // where a '+' goes for a negative NaN
        if (c.width_star)
            append_number(s, width < 0 ? 0u - unsigned(width) : unsigned(width));
        else
            append(s, c.width_begin, c.width_end);
        if (c.has_precision) {
            if (!c.precision_star) {
                *s++ = '.';
                append(s, c.precision_begin, c.precision_end);
            } else if (precision >= 0) {
                *s++ = '.';
                append_number(s, unsigned(precision));
            }
        }
        append(s, c.length_begin, c.length_end);
        *s++ = c.conversion;
        *s = '\0';

        char* at = out.here();
        size_t room = out.room();
        int n = 0;
        bool negative_nan = false;
        switch (c.type) {
            case ArgType::kNone:
                break;
            case ArgType::kInt:
                n = format_piece(at, room, spec, va_arg(args, int));
                break;
            case ArgType::kLongLong:
                n = format_piece(at, room, spec, va_arg(args, long long));
                break;
            case ArgType::kPointer:
                if (c.conversion == 'n') {
                    void* target = va_arg(args, void*);
                    size_t count = out.length;
                    size_t len = size_t(c.length_end - c.length_begin);
                    if (len == 2 && c.length_begin[0] == 'h')
                        *static_cast<signed char*>(target) = static_cast<signed char>(count);
                    else if (len == 1 && c.length_begin[0] == 'h')
                        *static_cast<short*>(target) = static_cast<short>(count);
                    else if (len == 2 && c.length_begin[0] == 'l')
                        *static_cast<long long*>(target) = static_cast<long long>(count);
                    else
                        *static_cast<int*>(target) = static_cast<int>(count);
                    continue;
                }
                n = format_piece(at, room, spec, va_arg(args, void*));
                break;
            case ArgType::kDouble:
                n = format_float(at, room, spec, sign_flag, va_arg(args, double), &negative_nan);
                break;
            case ArgType::kLongDouble:
                n = format_float(at, room, spec, sign_flag, va_arg(args, long double),
                                 &negative_nan);
                break;
        }
        if (n < 0) return n;
        if (negative_nan && at != nullptr) {
            size_t written = size_t(n) < room ? size_t(n) : room - 1;
            for (size_t i = 0; i < written; ++i)
                if (at[i] == '+') {
                    at[i] = '-';
                    break;
                }
        }
        out.length += size_t(n);
    }
    if (size > 0) buffer[out.length < size ? out.length : size - 1] = '\0';
    return out.length > size_t(INT_MAX) ? -1 : int(out.length);
}

}  // namespace

extern "C" int __wrap___mingw_vsnprintf(char* buffer, size_t size, const char* format,
                                        va_list args) {
    if (!has_negative_nan(format, args)) return __real___mingw_vsnprintf(buffer, size, format, args);
    return format_by_pieces(buffer, size, format, args);
}

extern "C" int __wrap___mingw_vsprintf(char* buffer, const char* format, va_list args) {
    if (!has_negative_nan(format, args)) return __real___mingw_vsprintf(buffer, format, args);
    return format_by_pieces(buffer, size_t(INT_MAX), format, args);
}

namespace {

int print_by_pieces(FILE* stream, const char* format, va_list args) {
    va_list count_args;
    va_copy(count_args, args);
    int length = format_by_pieces(nullptr, 0, format, count_args);
    va_end(count_args);
    if (length < 0) return length;
    char* text = static_cast<char*>(std::malloc(size_t(length) + 1));
    if (text == nullptr) return -1;
    format_by_pieces(text, size_t(length) + 1, format, args);
    size_t written = std::fwrite(text, 1, size_t(length), stream);
    std::free(text);
    return written == size_t(length) ? length : -1;
}

}  // namespace

extern "C" int __wrap___mingw_vfprintf(FILE* stream, const char* format, va_list args) {
    if (!has_negative_nan(format, args)) return __real___mingw_vfprintf(stream, format, args);
    return print_by_pieces(stream, format, args);
}

extern "C" int __wrap___mingw_vprintf(const char* format, va_list args) {
    if (!has_negative_nan(format, args)) return __real___mingw_vprintf(format, args);
    return print_by_pieces(stdout, format, args);
}
