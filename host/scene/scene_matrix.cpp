#include "scene/scene_matrix.h"

#include <cmath>
#include <utility>

namespace host {

dmat4 to_double(mat4 const& m) {
    dmat4 d;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) d.m[r][c] = m.m[r][c];
    return d;
}

mat4 to_float(dmat4 const& d) {
    mat4 m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m.m[r][c] = static_cast<float>(d.m[r][c]);
    return m;
}

dmat4 identity_dmat4() { return to_double(mat4::identity); }

dmat4 operator*(dmat4 const& a, dmat4 const& b) {
    dmat4 p;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.m[r][k] * b.m[k][c];
            p.m[r][c] = sum;
        }
    return p;
}

// Gauss-Jordan elimination with partial pivoting.
bool invert(dmat4 const& m, dmat4& out) {
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m.m[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (a[pivot][col] == 0.0 || !std::isfinite(a[pivot][col])) return false;
        if (pivot != col) std::swap(a[pivot], a[col]);
        double scale = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c) a[col][c] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0) continue;
            double f = a[r][col];
            for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out.m[r][c] = a[r][c + 4];
    return true;
}

bool is_finite(mat4 const& m) {
    for (auto const& row : m.m)
        for (float v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

// p * m in double precision, with the homogeneous division the plug-in's product makes.
vec3 transform(vec3 const& p, dmat4 const& m) {
    double v[3];
    for (int c = 0; c < 3; ++c)
        v[c] = p.x * m.m[0][c] + p.y * m.m[1][c] + p.z * m.m[2][c] + m.m[3][c];
    double w = m.m[3][3] == 1.0 ? 1.0 : m.m[3][3];
    return {static_cast<float>(v[0] / w), static_cast<float>(v[1] / w),
            static_cast<float>(v[2] / w)};
}

}  // namespace host
