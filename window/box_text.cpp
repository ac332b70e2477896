// "%9f" for the rows' text fields. A refresh writes up to fifteen boxes, so the usual
// values are formatted here with integer arithmetic, exactly as printf would (the float's
// exact binary value rounded to six decimals, ties to even); very large values, infinities
// and NaNs go through Boost.Format.
#include "box_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include <boost/format.hpp>

namespace {

// |f| below 2^32: its millionths fit 64 bits with room to spare.
float const fast_limit = 4294967296.0f;

box_text through_boost(float f) {
    std::string s = (boost::format("%9f") % f).str();
    box_text out;
    std::size_t n = s.size() < sizeof out.text ? s.size() : sizeof out.text - 1;
    std::memcpy(out.text, s.data(), n);
    out.text[n] = '\0';
    return out;
}

// round(|f| * 10^6), ties to even, from f = m * 2^e with m a 24-bit integer.
std::uint64_t millionths(float f) {
    int e = 0;
    float fraction = std::frexp(std::fabs(f), &e);  // |f| = fraction * 2^e, 0.5 <= fraction < 1
    std::uint64_t m = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    e -= 24;
    std::uint64_t n = m * 1000000u;
    if (e >= 0) return n << e;
    int s = -e;
    if (s >= 64) return 0;  // under 2^-20 millionths: rounds to 0
    std::uint64_t q = n >> s;
    std::uint64_t r = n - (q << s);
    std::uint64_t half = std::uint64_t{1} << (s - 1);
    if (r > half || (r == half && (q & 1) != 0)) ++q;
    return q;
}

}  // namespace

box_text format_box_number(float f) {
    if (!(std::fabs(f) < fast_limit)) return through_boost(f);  // also NaN
    std::uint64_t q = millionths(f);
    // Digits from the right: six decimals, the point, at least one integer digit.
    char digits[32];
    int n = 0;
    for (int i = 0; i < 6; ++i, q /= 10) digits[n++] = static_cast<char>('0' + q % 10);
    digits[n++] = '.';
    do {
        digits[n++] = static_cast<char>('0' + q % 10);
        q /= 10;
    } while (q != 0);
    if (std::signbit(f)) digits[n++] = '-';  // printf keeps the sign of -0 and of tiny negatives
    box_text out;
    int at = 0;
    for (int pad = 9 - n; pad > 0; --pad) out.text[at++] = ' ';
    while (n > 0) out.text[at++] = digits[--n];
    out.text[at] = '\0';
    return out;
}
