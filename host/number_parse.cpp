#include "host/number_parse.h"

#include <charconv>
#include <cmath>

bool parse_integer(std::string_view word, int64_t min, int64_t max, int64_t* out) {
    bool negative = false;
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) {
        negative = word[0] == '-';
        word.remove_prefix(1);
    }
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty() || word[0] == '-' || word[0] == '+') return false;
    uint64_t magnitude = 0;
    auto res = std::from_chars(word.data(), word.data() + word.size(), magnitude, base);
    if (res.ec != std::errc() || res.ptr != word.data() + word.size()) return false;
    if (magnitude > uint64_t(INT64_MAX)) return false;
    int64_t value = negative ? -int64_t(magnitude) : int64_t(magnitude);
    if (value < min || value > max) return false;
    *out = value;
    return true;
}

bool parse_token(std::string_view word, uint32_t* out) {
    int64_t v;
    if (!parse_integer(word, 0, 0xFFFFFFFFll, &v)) return false;
    *out = uint32_t(v);
    return true;
}

bool parse_int32_value(std::string_view word, uint32_t* out) {
    int64_t v;
    if (!parse_integer(word, INT32_MIN, 0xFFFFFFFFll, &v)) return false;
    *out = uint32_t(v);
    return true;
}

bool parse_double(std::string_view word, double* out) {
    if (word.empty()) return false;
    std::string_view rest = word;
    if (rest[0] == '+') rest.remove_prefix(1);  // from_chars takes no plus sign
    if (rest.empty() || rest[0] == '+') return false;
    double v = 0;
    auto res = std::from_chars(rest.data(), rest.data() + rest.size(), v);
    if (res.ec != std::errc() || res.ptr != rest.data() + rest.size()) return false;
    *out = v;
    return true;
}
