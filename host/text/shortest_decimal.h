// Floats in the host's JSON output.
#pragma once

#include <array>

#include "math_values.h"

namespace host {

// The shortest decimal that reads back as the same float, so 0.1f prints as 0.1 and not as
// the float's exact binary value.
double shortest_decimal(float f);

// A point's or a matrix's floats as the host's JSON holds them: each its shortest decimal,
// a matrix row after row.
std::array<double, 3> shortest_decimals(vec3 const& p);
std::array<double, 16> shortest_decimals(mat4 const& m);

}  // namespace host
