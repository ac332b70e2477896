#include "math_values.h"

vec3 const vec3::black = {0, 0, 0};
vec3 const vec3::dark_gray = {0.25f, 0.25f, 0.25f};
vec3 const vec3::gray = {0.5f, 0.5f, 0.5f};
vec3 const vec3::light_gray = {0.85f, 0.85f, 0.85f};
vec3 const vec3::white = {1, 1, 1};
vec3 const vec3::red = {1, 0, 0};
vec3 const vec3::green = {0, 1, 0};
vec3 const vec3::blue = {0, 0, 1};
vec3 const vec3::yellow = {1, 1, 0};
vec3 const vec3::magenta = {1, 0, 1};
vec3 const vec3::cyan = {0, 1, 1};

vec4 const vec4::black = {0, 0, 0, 1};
vec4 const vec4::dark_gray = {0.25f, 0.25f, 0.25f, 1};
vec4 const vec4::gray = {0.5f, 0.5f, 0.5f, 1};
vec4 const vec4::light_gray = {0.85f, 0.85f, 0.85f, 1};
vec4 const vec4::white = {1, 1, 1, 1};
vec4 const vec4::red = {1, 0, 0, 1};
vec4 const vec4::green = {0, 1, 0, 1};
vec4 const vec4::blue = {0, 0, 1, 1};
vec4 const vec4::yellow = {1, 1, 0, 1};
vec4 const vec4::magenta = {1, 0, 1, 1};
vec4 const vec4::cyan = {0, 1, 1, 1};

quaternion_class const quaternion_class::identity = {1, 0, 0, 0};
quaternion_class const quaternion_class::zero = {0, 0, 0, 0};

mat4::mat4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
           float m13, float m20, float m21, float m22, float m23, float m30, float m31,
           float m32, float m33)
    : m{{m00, m01, m02, m03}, {m10, m11, m12, m13}, {m20, m21, m22, m23}, {m30, m31, m32, m33}} {}

mat4 const mat4::identity(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
mat4 const mat4::zero(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

vec3 operator*(vec3 const& p, mat4 const& matrix) {
    auto const& m = matrix.m;
    float x = p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0];
    float y = p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1];
    float z = p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2];
    float w = m[3][3];
    if (w == 1.0f) return vec3{x, y, z};
    float s = 1.0f / w;
    return vec3{x * s, y * s, z * s};
}

mat4 reverse_matrix(mat4 input) {
    auto const& m = input.m;
    float det_f = m[0][0] * m[1][1] * m[2][2] + m[0][1] * m[1][2] * m[2][0] +
                  m[0][2] * m[1][0] * m[2][1] - m[0][0] * m[1][2] * m[2][1] -
                  m[0][1] * m[1][0] * m[2][2] - m[1][1] * m[0][2] * m[2][0];
    double det = det_f;
    // No tolerance: only an exact zero counts as singular.
    if (det == 0.0) return mat4::identity;
    double r = 1.0 / det;
    auto entry = [r](float cofactor) { return static_cast<float>(static_cast<double>(cofactor) * r); };

    mat4 out = mat4::identity;
    float(&b)[4][4] = out.m;
    b[0][0] = entry(m[1][1] * m[2][2] - m[1][2] * m[2][1]);
    b[0][1] = entry(m[0][2] * m[2][1] - m[0][1] * m[2][2]);
    b[0][2] = entry(m[0][1] * m[1][2] - m[0][2] * m[1][1]);
    b[1][0] = entry(m[1][2] * m[2][0] - m[1][0] * m[2][2]);
    b[1][1] = entry(m[0][0] * m[2][2] - m[2][0] * m[0][2]);
    b[1][2] = entry(m[0][2] * m[1][0] - m[0][0] * m[1][2]);
    b[2][0] = entry(m[1][0] * m[2][1] - m[2][0] * m[1][1]);
    b[2][1] = entry(m[0][1] * m[2][0] - m[0][0] * m[2][1]);
    b[2][2] = entry(m[0][0] * m[1][1] - m[0][1] * m[1][0]);
    for (int c = 0; c < 3; ++c)
        b[3][c] = -b[0][c] * m[3][0] - b[1][c] * m[3][1] - b[2][c] * m[3][2];
    return out;
}
