#include "text/shortest_decimal.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace host {

// The float printed as "%.Ng" with the fewest digits N that read back as it, then read as a
// double. The shortest round-trip form gives that N at once (no fewer digits can read back
// as the float), so mostly one rounding is tried; to_chars and from_chars keep it free of
// the locale and of printf.
double shortest_decimal(float f) {
    char text[64];
    if (!std::isfinite(f)) {
        std::snprintf(text, sizeof text, "%g", static_cast<double>(f));
        return std::strtod(text, nullptr);
    }
    // Scenes repeat few numbers (0 and 1 of every matrix): each is worked out once.
    static thread_local std::pair<float, double> recent[512];
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    auto& slot = recent[(bits ^ (bits >> 15)) % 512];
    if (std::memcmp(&slot.first, &f, sizeof f) == 0) return slot.second;
    auto shortest = std::to_chars(text, text + sizeof text, f, std::chars_format::scientific);
    int digits = 0;
    for (char const* c = text; c < shortest.ptr && *c != 'e'; ++c) digits += *c >= '0' && *c <= '9';
    double value = 0;
    for (int n = digits < 1 ? 1 : digits; n <= 9; ++n) {
        auto rounded = std::to_chars(text, text + sizeof text, static_cast<double>(f),
                                     std::chars_format::general, n);
        float back = 0;
        std::from_chars(text, rounded.ptr, back);
        std::from_chars(text, rounded.ptr, value);
        if (back == f) break;
    }
    slot = {f, value};
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
