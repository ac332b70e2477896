// Component-wise arithmetic on points, single precision, and the finiteness test every
// write passes before a coordinate reaches the host.
#pragma once

#include <cmath>

#include "math_values.h"

inline vec3 add(vec3 const& a, vec3 const& b) { return vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }

inline vec3 subtract(vec3 const& a, vec3 const& b) {
    return vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

inline bool is_finite(vec3 const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
