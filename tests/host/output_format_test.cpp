// Number, text and colour formatting of the JSON reports, and the strict number parsing of
// scripts: the same bytes on every platform, whatever the locale.
#include "host/json_format.h"
#include "host/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(JsonNumber, IntegersPlainOthersShortestToFifteenDigits) {
    struct Case {
        double value;
        const char* text;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0, "0"}, {-0.0, "0"}, {699, "699"}, {-1, "-1"}, {1e14, "100000000000000"},
        {999999999999999, "999999999999999"}, {1e15, "1e+15"}, {1e20, "1e+20"}, {-2.5e300, "-2.5e+300"},
        {0.1, "0.1"}, {-0.25, "-0.25"}, {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
        {123.456, "123.456"}, {0.0001, "0.0001"}, {0.00001, "1e-05"}, {1.5e-7, "1.5e-07"},
        {-65.0 / 254, "-0.255905511811024"}, {359.99999999999994, "360"},
        {5e-324, "4.94065645841247e-324"},
        {nan, "\"nan\""}, {inf, "\"inf\""}, {-inf, "\"-inf\""},
    };
    for (const Case& c : cases) EXPECT_EQ(json_number(c.value), c.text) << c.text;
}

TEST(JsonText, WindowsWesternBytesBecomeUtf8WithEscapes) {
    EXPECT_EQ(json_text_cp1252("12\xB0", 8), "\"12\xC2\xB0\"");             // degree sign
    EXPECT_EQ(json_text_cp1252("\x80\x93\x81", 8), "\"\xE2\x82\xAC\xE2\x80\x9C\\u0081\"");
    EXPECT_EQ(json_text_cp1252("a\"b\\c\n\x01", 16), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(json_text_cp1252("ABCDEF", 3), "\"ABC\"");  // no further than the buffer
    EXPECT_EQ(json_text_cp1252(nullptr, 3), "\"\"");
}

TEST(JsonColour, SixUppercaseDigitsBlueFirst) {
    EXPECT_EQ(json_colour(0x00FF00), "\"0x00FF00\"");
    EXPECT_EQ(json_colour(0x0a0b0c), "\"0x0A0B0C\"");
}

TEST(NumberParse, WholeWordsOnly) {
    uint32_t token;
    EXPECT_TRUE(parse_token("0x51", &token));
    EXPECT_EQ(token, 0x51u);
    EXPECT_TRUE(parse_token("346", &token));
    EXPECT_EQ(token, 346u);
    EXPECT_TRUE(parse_token("0xFFFFFFFF", &token));
    for (const char* bad : {"", "12abc", "0x", "0x1G", "-1", "0x100000000", " 1", "1 ", "+-1", "--1"})
        EXPECT_FALSE(parse_token(bad, &token)) << "'" << bad << "'";

    uint32_t word;
    EXPECT_TRUE(parse_int32_value("-1", &word));
    EXPECT_EQ(word, 0xFFFFFFFFu);
    EXPECT_TRUE(parse_int32_value("0x80000000", &word));
    EXPECT_EQ(word, 0x80000000u);
    EXPECT_FALSE(parse_int32_value("-2147483649", &word));
    EXPECT_FALSE(parse_int32_value("4294967296", &word));

    double v;
    EXPECT_TRUE(parse_double("-12.5e2", &v));
    EXPECT_EQ(v, -1250);
    EXPECT_TRUE(parse_double("+3", &v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(parse_double("nan", &v));
    EXPECT_TRUE(std::isnan(v));
    EXPECT_TRUE(parse_double("-inf", &v));
    for (const char* bad : {"", "12abc", "1e999", "0x10", "1,5", "++1", ".", "e5"})
        EXPECT_FALSE(parse_double(bad, &v)) << "'" << bad << "'";
}

}  // namespace
