#include "mapscope/portable_math.h"

#include <cmath>

namespace mapscope {

namespace {

// pi/2 in three parts; the first two have 33 significant bits, so that n times either is exact
// for |n| < 2^20.
constexpr double kHalfPi1 = 0x1.921fb54400000p+0;
constexpr double kHalfPi2 = 0x1.0b4611a600000p-34;
constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kTwoPi = 0x1.921fb54442d18p+2;
constexpr double kDirectReductionLimit = 1.0e6;  // well below 2^19 x pi/2

// ln 2 in two parts, the first with 32 significant bits.
constexpr double kLn2Hi = 0x1.62e42ff000000p-1;
constexpr double kLn2Lo = -0x1.718432a1b0e26p-35;
constexpr double kOneOverLn2 = 0x1.71547652b82fep+0;
constexpr double kExpOverflow = 709.79;     // exp beyond this is above the largest double
constexpr double kExpUnderflow = -745.2;    // and below this under the smallest

// An argument reduced to r = hi + lo with |r| <= about pi/4, and its quadrant.
struct Reduced {
    double hi;
    double lo;
    int quadrant;  // 0..3
};

// The rounded sum a + b and its exact error (Knuth's two-sum).
inline void two_sum(double a, double b, double* sum, double* error) {
    double s = a + b;
    double bv = s - a;
    *error = (a - (s - bv)) + (b - bv);
    *sum = s;
}

Reduced reduce_half_pi(double x) {
    if (std::fabs(x) > kDirectReductionLimit) x = std::fmod(x, kTwoPi);
    double n = std::floor(x * kTwoOverPi + 0.5);
    double a = x - n * kHalfPi1;  // exact: both close, n x kHalfPi1 exact
    double t, error;
    two_sum(a, -(n * kHalfPi2), &t, &error);
    double tail = error - n * kHalfPi3;
    Reduced r;
    r.hi = t + tail;
    r.lo = (t - r.hi) + tail;
    int q = static_cast<int>(std::fmod(n, 4.0));
    r.quadrant = q < 0 ? q + 4 : q;
    return r;
}

// Taylor coefficients; the constant divisions are rounded once by the compiler.
constexpr double kS3 = -1.0 / 6.0;
constexpr double kS5 = 1.0 / 120.0;
constexpr double kS7 = -1.0 / 5040.0;
constexpr double kS9 = 1.0 / 362880.0;
constexpr double kS11 = -1.0 / 39916800.0;
constexpr double kS13 = 1.0 / 6227020800.0;
constexpr double kS15 = -1.0 / 1307674368000.0;
constexpr double kS17 = 1.0 / 355687428096000.0;
constexpr double kS19 = -1.0 / 121645100408832000.0;

constexpr double kC4 = 1.0 / 24.0;
constexpr double kC6 = -1.0 / 720.0;
constexpr double kC8 = 1.0 / 40320.0;
constexpr double kC10 = -1.0 / 3628800.0;
constexpr double kC12 = 1.0 / 479001600.0;
constexpr double kC14 = -1.0 / 87178291200.0;
constexpr double kC16 = 1.0 / 20922789888000.0;
constexpr double kC18 = -1.0 / 6402373705728000.0;
constexpr double kC20 = 1.0 / 2432902008176640000.0;

// sin(hi + lo) for |hi| <= pi/4, lo a small correction.
double sin_kernel(double hi, double lo) {
    double z = hi * hi;
    double p = kS3 + z * (kS5 + z * (kS7 + z * (kS9 + z * (kS11 + z * (kS13 + z * (kS15 +
               z * (kS17 + z * kS19)))))));
    return hi + (hi * z * p + lo * (1.0 - 0.5 * z));
}

// cos(hi + lo) for |hi| <= pi/4; 1 - z/2 is kept exact in two parts.
double cos_kernel(double hi, double lo) {
    double z = hi * hi;
    double q = z * z * (kC4 + z * (kC6 + z * (kC8 + z * (kC10 + z * (kC12 + z * (kC14 +
               z * (kC16 + z * (kC18 + z * kC20))))))));
    double half_z = 0.5 * z;
    double w = 1.0 - half_z;
    return w + (((1.0 - w) - half_z) + (q - hi * lo));
}

// (exp(r) - 1 - r) / r^2 for |r| <= ln 2 / 2: 1/2 + r/6 + r^2/24 + ... up to r^12 / 14!.
double exp_rest_kernel(double r) {
    constexpr double kInverseFactorials[] = {
        1.0 / 2.0,           1.0 / 6.0,           1.0 / 24.0,          1.0 / 120.0,
        1.0 / 720.0,         1.0 / 5040.0,        1.0 / 40320.0,       1.0 / 362880.0,
        1.0 / 3628800.0,     1.0 / 39916800.0,    1.0 / 479001600.0,   1.0 / 6227020800.0,
        1.0 / 87178291200.0,
    };
    constexpr int kTerms = int(sizeof kInverseFactorials / sizeof kInverseFactorials[0]);
    double h = 0.0;
    for (int i = kTerms - 1; i >= 0; --i) h = kInverseFactorials[i] + r * h;
    return h;
}

// Dekker's exact product a x b = product + error, without a fused multiply-add.
inline void two_product(double a, double b, double* product, double* error) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    double p = a * b;
    double ca = kSplitter * a, cb = kSplitter * b;
    double a_hi = ca - (ca - a), a_lo = a - a_hi;
    double b_hi = cb - (cb - b), b_lo = b - b_hi;
    *error = ((a_hi * b_hi - p) + a_hi * b_lo + a_lo * b_hi) + a_lo * b_lo;
    *product = p;
}

}  // namespace

double portable_sin(double x) {
    if (!std::isfinite(x)) return x - x;
    Reduced r = reduce_half_pi(x);
    switch (r.quadrant) {
        case 0: return sin_kernel(r.hi, r.lo);
        case 1: return cos_kernel(r.hi, r.lo);
        case 2: return -sin_kernel(r.hi, r.lo);
        default: return -cos_kernel(r.hi, r.lo);
    }
}

double portable_cos(double x) {
    if (!std::isfinite(x)) return x - x;
    Reduced r = reduce_half_pi(x);
    switch (r.quadrant) {
        case 0: return cos_kernel(r.hi, r.lo);
        case 1: return -sin_kernel(r.hi, r.lo);
        case 2: return -cos_kernel(r.hi, r.lo);
        default: return sin_kernel(r.hi, r.lo);
    }
}

double portable_pow(SplitLog log_base, double exponent) {
    double z_hi = exponent * log_base.hi;
    if (std::isnan(z_hi)) return z_hi;
    if (z_hi > kExpOverflow) return HUGE_VAL;
    if (z_hi < kExpUnderflow) return 0.0;
    double z_error;
    two_product(exponent, log_base.hi, &z_hi, &z_error);
    double z_lo = z_error + exponent * log_base.lo;

    // exp(z) = 2^k exp(r), |r| <= ln 2 / 2; r = r_hi + correction.
    double k = std::floor(z_hi * kOneOverLn2 + 0.5);
    double r_hi = z_hi - k * kLn2Hi;  // exact: k x kLn2Hi is exact and close to z_hi
    double correction = z_lo - k * kLn2Lo;
    // exp(r_hi + c) = 1 + r_hi + r_hi^2 p + c (1 + ...), with 1 + r_hi kept exact in two parts.
    double rest = r_hi * r_hi * exp_rest_kernel(r_hi);
    double one_plus_r, one_plus_r_error;
    two_sum(1.0, r_hi, &one_plus_r, &one_plus_r_error);
    double scaled = one_plus_r + (one_plus_r_error + rest + correction * (1.0 + r_hi + rest));
    return std::ldexp(scaled, static_cast<int>(k));
}

}  // namespace mapscope
