// Whether values may be written into a shape: a NaN or infinite coordinate never is.
#pragma once

#include <cmath>

#include "math_values.h"
#include "shape/surface_point.h"

inline bool is_finite(vec3 const& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

inline bool is_finite(Surface_point const& p) {
    return is_finite(p.anchor) && is_finite(p.in_handle) && is_finite(p.out_handle) &&
           is_finite(p.l_in_handle) && is_finite(p.l_out_handle);
}
