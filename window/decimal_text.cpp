// Reading a typed number the way the plug-in's own text fields do (like atof).
#include "decimal_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Whether a number text that overflowed or underflowed a double was too large (rather than
// too small): the decimal exponent of its first significant digit is positive.
bool too_large(char const* p, char const* end) {
    long long lead = 0;  // position of the first significant digit relative to the point
    bool seen_significant = false;
    bool after_point = false;
    long long zeros_after_point = 0;
    long long int_digits = 0;
    for (; p < end; ++p) {
        if (*p == '.') {
            after_point = true;
        } else if (std::isdigit(static_cast<unsigned char>(*p))) {
            if (!after_point) {
                if (seen_significant || *p != '0') {
                    seen_significant = true;
                    ++int_digits;
                }
            } else if (!seen_significant) {
                if (*p == '0')
                    ++zeros_after_point;
                else
                    seen_significant = true;
            }
        } else {
            break;  // the exponent
        }
    }
    lead = int_digits > 0 ? int_digits - 1 : -(zeros_after_point + 1);
    long long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
        for (; p < end && std::isdigit(static_cast<unsigned char>(*p)); ++p)
            if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
        if (negative) exponent = -exponent;
    }
    return lead + exponent > 0;
}

// Rounds a double to single precision; beyond the largest float it becomes infinite as
// the hardware conversion would, without relying on an out-of-range conversion.
float to_single(double d) {
    double const overflow = 0x1.ffffffp127;  // halfway between FLT_MAX and 2^128
    if (std::isnan(d)) return std::numeric_limits<float>::quiet_NaN();
    if (d >= overflow) return std::numeric_limits<float>::infinity();
    if (d <= -overflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
}

}  // namespace

// Reads a decimal number as atof does: blanks, one optional sign, digits with a point and
// an exponent, or "inf"/"nan"; reading stops at the first character that does not fit and
// never goes past the text's end. The decimal point is always '.', whatever the locale.
// False when the text holds no number (its value then reads as 0).
bool read_decimal(char const* text, float& number) {
    number = 0.0f;
    if (text == nullptr) return false;
    char const* p = text;
    while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // from_chars takes a minus of its own: a second sign ("--5", "+-1") is no number.
    if (*p == '+' || *p == '-') return false;
    char const* end = p + std::strlen(p);
    double value = 0.0;
    std::from_chars_result read = std::from_chars(p, end, value, std::chars_format::general);
    if (read.ec == std::errc::invalid_argument) return false;
    if (read.ec == std::errc::result_out_of_range)
        value = too_large(p, read.ptr) ? std::numeric_limits<double>::infinity() : 0.0;
    number = to_single(negative ? -value : value);
    return true;
}
