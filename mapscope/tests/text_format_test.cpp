#include "mapscope/text_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace mapscope {
namespace {

// A text buffer of `length` + 1 bytes with guard bytes on both sides.
struct GuardedBuffer {
    static constexpr char kGuard = '#';
    explicit GuardedBuffer(int length) : length(length), bytes(size_t(length) + 17, kGuard) {}
    char* text() { return bytes.data() + 8; }
    bool guards_intact() const {
        for (int i = 0; i < 8; ++i)
            if (bytes[size_t(i)] != kGuard || bytes[bytes.size() - 1 - size_t(i)] != kGuard)
                return false;
        return true;
    }
    int length;
    std::string bytes;
};

struct FloatCase {
    const char* format;
    double value;
    const char* expected;
};

// Rounding of halves follows the exact binary value, ties to even, as glibc does.
TEST(FormatText, FloatsRoundAndPadLikePrintf) {
    const FloatCase cases[] = {
        {"%3.0f", 0.5, "  0"},     {"%3.0f", 1.5, "  2"},     {"%3.0f", 2.5, "  2"},
        {"%3.0f", 359.5, "360"},   {"%3.0f", -0.4, " -0"},    {"%3.0f", 25.0, " 25"},
        {"%03.0f", 5.4, "005"},    {"%03.0f", 359.6, "360"},  {"%03.0f", -5.0, "-05"},
        {"%02.0f", 7.0, "07"},     {"%02.0f", 0.0, "00"},     {"%3.1f", 12.25, "12.2"},
        {"%3.1f", 12.35, "12.3"},  {"%3.1f", 0.0, "0.0"},     {"%3.1f", 0.05, "0.1"},
    };
    for (const FloatCase& c : cases) {
        char text[32];
        format_text(text, 31, c.format, c.value);
        EXPECT_STREQ(text, c.expected) << c.format << " of " << c.value;
    }
}

TEST(FormatText, NonFiniteValuesPrintTheSameOnEveryPlatform) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FloatCase cases[] = {
        {"%3.0f", nan, "nan"},  {"%3.0f", -nan, "nan"},   {"%5.0f", std::copysign(nan, -1.0), "  nan"},
        {"%03.0f", inf, "inf"}, {"%05.0f", -inf, " -inf"}, {"%3.1f", inf, "inf"},
    };
    for (const FloatCase& c : cases) {
        char text[32];
        format_text(text, 31, c.format, c.value);
        EXPECT_STREQ(text, c.expected) << c.format;
    }
}

TEST(FormatText, ReadoutFormats) {
    char text[16];
    format_text(text, 15, "GS%3d", 5);
    EXPECT_STREQ(text, "GS  5");
    format_text(text, 15, "%3.0f/%3.0f", 350.0, 0.4);
    EXPECT_STREQ(text, "350/  0");
    format_text(text, 15, "%4s", "ABC");
    EXPECT_STREQ(text, " ABC");
    format_text(text, 15, "%4s", static_cast<const char*>(nullptr));
    EXPECT_STREQ(text, "    ");
    format_text(text, 15, "%03.0f\xB0", 5.4);
    EXPECT_STREQ(text, "005\xB0");
    format_text(text, 15, "%3.1f NM", 12.3);
    EXPECT_STREQ(text, "12.3 NM");
    format_text(text, 15, "NM");
    EXPECT_STREQ(text, "NM");
    format_text(text, 15, "%02.0f:%02.0f", 7.0, 5.0);
    EXPECT_STREQ(text, "07:05");
}

struct CutCase {
    int length;
    const char* expected;
};

// Long texts are cut to the string's length; nothing is written past length + 1 bytes.
TEST(FormatText, LongTextsAreCutInsideTheBuffer) {
    const CutCase cases[] = {{8, "1000.0 N"}, {4, "1000"}, {1, "1"}, {0, ""}};
    for (const CutCase& c : cases) {
        GuardedBuffer buffer(c.length);
        format_text(buffer.text(), c.length, "%3.1f NM", 1000.0);
        EXPECT_STREQ(buffer.text(), c.expected);
        EXPECT_TRUE(buffer.guards_intact()) << "length " << c.length;
    }
    GuardedBuffer huge(5);
    format_text(huge.text(), 5, "%3.1f", 1e300);
    EXPECT_STREQ(huge.text(), "10000");
    EXPECT_TRUE(huge.guards_intact());
    GuardedBuffer ident(4);
    format_text(ident.text(), 4, "%4s", "LONGNAME");
    EXPECT_STREQ(ident.text(), "LONG");
    EXPECT_TRUE(ident.guards_intact());
}

TEST(FormatText, NullBufferWritesNothing) {
    format_text(nullptr, 5, "GS%3d", 100);  // must not crash
    char text[4] = "abc";
    format_text(text, -1, "GS%3d", 100);
    EXPECT_STREQ(text, "abc");
}

TEST(TruncateToInt32, TowardZeroAndDefinedOutsideTheRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int32_t expected;
    } cases[] = {
        {999.9, 999},          {5.7, 5},       {-5.7, -5},          {-0.9, 0},
        {2147483647.9, INT32_MAX}, {3e9, INT32_MAX}, {inf, INT32_MAX},
        {-2147483648.5, INT32_MIN}, {-inf, INT32_MIN}, {nan, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(truncate_to_int32(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace mapscope
