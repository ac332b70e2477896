// Single-precision math values exchanged with the host. Points are row vectors
// multiplied on the left of a matrix.
#pragma once

struct vec2 {
    float x, y;
};

struct vec3 {
    float x, y, z;

    static vec3 const black, dark_gray, gray, light_gray, white, red, green, blue, yellow,
        magenta, cyan;
};

struct vec4 {
    float x, y, z, w;  // an RGBA colour: alpha last

    static vec4 const black, dark_gray, gray, light_gray, white, red, green, blue, yellow,
        magenta, cyan;
};

struct quaternion_class {
    float s, x, y, z;  // scalar part first

    static quaternion_class const identity, zero;
};

// Four rows of four floats, row after row: element (r, c) is m[r][c], index 4r + c.
// Row 3, columns 0-2 hold the translation; m[3][3] acts as a homogeneous scale.
struct mat4 {
    float m[4][4];

    mat4() = default;
    // The 16 elements in storage order: row 0 first.
    mat4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
         float m13, float m20, float m21, float m22, float m23, float m30, float m31,
         float m32, float m33);

    static mat4 const identity, zero;
};

static_assert(sizeof(vec3) == 12 && sizeof(vec4) == 16 && sizeof(mat4) == 64,
              "math values cross the host boundary in these sizes");

// p times M; column 3 of rows 0-2 takes no part; divides by m[3][3] unless it is exactly 1.
vec3 operator*(vec3 const& p, mat4 const& m);

// Inverse of the affine map in the upper 3x3 block and row 3; identity when the
// determinant is exactly zero.
mat4 reverse_matrix(mat4 m);
