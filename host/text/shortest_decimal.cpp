#include "text/shortest_decimal.h"

#include <charconv>

namespace host {

// to_chars gives the fewest digits that read back as the float (the nearest such decimal
// when several have that many), free of the locale and of printf; the digits are then read
// as a double. Scientific form, so that a large whole float is shortened too (67108872.0f
// as 6.710887e+07, not as its every digit). Infinities and NaN pass through.
double shortest_decimal(float f) {
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, f, std::chars_format::scientific).ptr;
    double value = 0;
    std::from_chars(text, end, value);
    return value;
}

std::array<double, 3> shortest_decimals(vec3 const& p) {
    return {shortest_decimal(p.x), shortest_decimal(p.y), shortest_decimal(p.z)};
}

std::array<double, 16> shortest_decimals(mat4 const& m) {
    std::array<double, 16> values;
    for (int i = 0; i < 16; ++i) values[static_cast<std::size_t>(i)] = shortest_decimal(m.m[i / 4][i % 4]);
    return values;
}

}  // namespace host
