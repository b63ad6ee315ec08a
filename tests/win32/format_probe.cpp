// Prints how this build formats and parses numbers: every printf format the gauges and the host
// use, applied to a table of values that tend to come out differently between C run times
// (halves, rounding carries, NaN, infinities, negative zero, huge and tiny values), and the bits
// that strtod, sscanf and std::stod make of awkward inputs. The native and the Win32 builds must
// print the same bytes; the check that runs both compares them.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Output bytes with anything unprintable (including the degree sign 0xB0) escaped, so the line
// structure cannot be disturbed by what a format produced.
void put_escaped(const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p >= 0x20 && *p < 0x7F && *p != '\\')
            std::putchar(*p);
        else
            std::printf("\\x%02X", *p);
    }
}

uint64_t bits_of(double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

double from_bits(uint64_t b) {
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

const double kDoubles[] = {
    0.0, -0.0, 0.5, 1.5, 2.5, -0.5, -1.5, 0.05, 0.15, 0.25, 0.35, 0.45, 9.5, 9.95, 99.5, 99.95,
    999.5, 999.45, 999.95, 1000.0, -999.5, 59.5, 23.5, 0.49999999999999994, 1.0 / 3.0, 2.0 / 3.0,
    0.1 + 0.2, 359.5, 360.0, 4.35, 123.456, 1e15, 1e16, 123456789012345678.0, 1e21, 1e300,
    -1e300, 1e-5, 1e-300, DBL_MIN, DBL_MAX, 4.9406564584124654e-324, 2.2250738585072009e-308,
    from_bits(0x7FF8000000000000ull),  // quiet NaN
    from_bits(0xFFF8000000000000ull),  // NaN with the sign bit set
    HUGE_VAL, -HUGE_VAL, 65.0 / 254.0, -0.2559055118110236,
};

const char* const kDoubleFormats[] = {
    "%3.0f", "%03.0f", "%02.0f", "%3.1f", "%.15g", "%3.1f NM", "%03.0f\xB0", "%g", "%f",
};

const int kIntegers[] = {0, 5, -5, 99, 999, 1000, -999, 12345, INT_MAX, INT_MIN};
const char* const kIntegerFormats[] = {"%3d", "GS%3d", "TAS%3d", "%02d", "%d"};

const char* const kStrings[] = {"", "A", "VOR", "ADF1", "LONGER", "\xB0", "a b"};
const char* const kStringFormats[] = {"%4s", "%s"};

const char* const kNumberTexts[] = {
    "0", "-0", "0.1", "2.5", "1e-320", "4.9406564584124654e-324", "2.2250738585072011e-308",
    "1.7976931348623157e308", "1e309", "-1e309", "123456789012345678901234567890", "0x1p-3",
    "nan", "inf", "-inf", "  42", "359.99999999999999", "0.30000000000000004", "1.5e",
};

int full_length_probe = 0;

}  // namespace

int main() {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // "\n", not "\r\n"
#endif
    char buffer[512];
    for (const char* format : kDoubleFormats)
        for (double v : kDoubles) {
            std::snprintf(buffer, sizeof buffer, format, v);
            std::printf("double ");
            put_escaped(format);
            std::printf(" %016llx ", static_cast<unsigned long long>(bits_of(v)));
            put_escaped(buffer);
            std::printf("\n");
        }
    for (const char* format : kIntegerFormats)
        for (int v : kIntegers) {
            std::snprintf(buffer, sizeof buffer, format, v);
            std::printf("int %s %d ", format, v);
            put_escaped(buffer);
            std::printf("\n");
        }
    for (const char* format : kStringFormats)
        for (const char* v : kStrings) {
            std::snprintf(buffer, sizeof buffer, format, v);
            std::printf("string %s ", format);
            put_escaped(v);
            std::printf(" ");
            put_escaped(buffer);
            std::printf("\n");
        }
    // Flags, '*' widths and several arguments around a NaN whose sign bit is set, the NaN that
    // x86 arithmetic makes (0/0, inf - inf).
    const double negative_nan = from_bits(0xFFF8000000000000ull);
    const double positive_nan = from_bits(0x7FF8000000000000ull);
    for (double v : {negative_nan, positive_nan, -HUGE_VAL, -2.5}) {
        const char* formats[] = {"%+f", "% f", "%05.1f", "%-6.0f|", "%8.3e", "%g%%"};
        for (const char* format : formats) {
            std::snprintf(buffer, sizeof buffer, format, v);
            std::printf("flags %s %016llx ", format, static_cast<unsigned long long>(bits_of(v)));
            put_escaped(buffer);
            std::printf("\n");
        }
        std::snprintf(buffer, sizeof buffer, "%3.0f/%3.0f %s %d %*.*f|%-*d|%c%n", v, 1.5, "kt", 7,
                      7, 2, v, -4, 3, 'x', &full_length_probe);
        std::printf("mixed %016llx ", static_cast<unsigned long long>(bits_of(v)));
        put_escaped(buffer);
        std::printf(" n=%d\n", full_length_probe);
        std::sprintf(buffer, "%02.0f:%02.0f", v, v);
        std::printf("sprintf %016llx ", static_cast<unsigned long long>(bits_of(v)));
        put_escaped(buffer);
        std::printf("\n");
        // snprintf cuts to the buffer and still reports the full length.
        for (size_t room : {0, 1, 3, 6}) {
            std::memset(buffer, '#', 16);
            int full = std::snprintf(buffer, room, "%3.1f NM", v);
            buffer[15] = '\0';
            std::printf("cut %zu %d ", room, full);
            put_escaped(buffer);
            std::printf("\n");
        }
    }
    std::printf("printf direct: %3.0f %g\n", negative_nan, negative_nan);
    for (const char* text : kNumberTexts) {
        char* end = nullptr;
        double parsed = std::strtod(text, &end);
        double scanned = 0.0;
        int fields = std::sscanf(text, "%lf", &scanned);
        std::string stod_result;
        try {
            stod_result = std::to_string(bits_of(std::stod(text)));
        } catch (const std::exception&) {
            stod_result = "error";
        }
        std::printf("parse ");
        put_escaped(text);
        std::printf(" strtod %016llx used %d sscanf %d %016llx stod %s\n",
                    static_cast<unsigned long long>(bits_of(parsed)), int(end - text), fields,
                    static_cast<unsigned long long>(fields == 1 ? bits_of(scanned) : 0),
                    stod_result.c_str());
    }
    return 0;
}
