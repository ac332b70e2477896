// Double-precision 4x4 matrices for the scene's frame chain. The scene stores float
// matrices (what crosses to the plug-in) but multiplies and inverts in double so that a
// world-to-local matrix is a good inverse of its world matrix.
#pragma once

#include "math_values.h"
#include "point_arithmetic.h"

namespace host {

struct dmat4 {
    double m[4][4];
};

dmat4 to_double(mat4 const& m);
mat4 to_float(dmat4 const& m);
dmat4 identity_dmat4();
// Row-vector product: applying a then b is a * b.
dmat4 operator*(dmat4 const& a, dmat4 const& b);
// The inverse of m; false (out untouched) when m is singular.
bool invert(dmat4 const& m, dmat4& out);
// p * m in double precision, rounded to single; divides by w unless it is exactly 1.
vec3 transform(vec3 const& p, dmat4 const& m);
// Whether all 16 elements are finite (a point's test is point_arithmetic.h's).
bool is_finite(mat4 const& m);

}  // namespace host
