// Component-wise arithmetic on points, single precision, and the finiteness test every
// write passes before a coordinate reaches the host.
#pragma once

#include <cmath>

#include "math_values.h"

inline vec3 add(vec3 const& a, vec3 const& b) { return vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }

inline vec3 subtract(vec3 const& a, vec3 const& b) {
    return vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

// The matrix that moves every point by d (row vectors: d goes into row 3).
inline mat4 translation(vec3 const& d) {
    mat4 t = mat4::identity;
    t.m[3][0] = d.x;
    t.m[3][1] = d.y;
    t.m[3][2] = d.z;
    return t;
}

inline bool is_finite(vec3 const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
