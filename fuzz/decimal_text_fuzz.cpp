// The text field's number reading against the C library: strtod of the same text, rounded
// to single precision. The field reads like atof but for one thing strtod does that it
// does not: hexadecimal numbers ("0x1p3" reads as the 0 before the x).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "decimal_text.h"

namespace {

float to_float(double d) {
    if (std::isnan(d)) return std::numeric_limits<float>::quiet_NaN();
    double const overflow = 0x1.ffffffp127;  // halfway between FLT_MAX and 2^128
    if (d >= overflow) return std::numeric_limits<float>::infinity();
    if (d <= -overflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
}

bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What the field should read: strtod's value, and whether it found a number.
float expected(char const* text, bool& found) {
    char const* p = text;
    while (is_blank(*p)) ++p;
    if (*p == '+' || *p == '-') ++p;
    std::string copy(text);
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
        copy.resize(static_cast<std::size_t>(p - text) + 1);  // the 0 alone
    char* end = nullptr;
    double value = std::strtod(copy.c_str(), &end);
    found = end != copy.c_str();
    return found ? to_float(value) : 0.0f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string text(reinterpret_cast<char const*>(data), size);
    char const* c = text.c_str();  // up to the first NUL, as the field's text would be
    float got = -1.0f;
    bool read = read_decimal(c, got);
    bool found = false;
    float want = expected(c, found);
    if (read != found) std::abort();
    if (std::isnan(want) ? !std::isnan(got) : std::memcmp(&got, &want, sizeof got) != 0)
        std::abort();
    return 0;
}
