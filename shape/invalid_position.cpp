// The invalid position: the one value a failed read returns.
#include <cstdint>
#include <cstring>

#include "shape_class.h"

namespace {

std::uint32_t const invalid_bits = 0x7FA00000u;

float invalid_component() {
    float f;
    std::memcpy(&f, &invalid_bits, sizeof f);
    return f;
}

bool has_invalid_bits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits == invalid_bits;
}

}  // namespace

vec3 invalid_position() {
    float f = invalid_component();
    return vec3{f, f, f};
}

bool is_invalid_position(vec3 const& p) {
    return has_invalid_bits(p.x) && has_invalid_bits(p.y) && has_invalid_bits(p.z);
}
