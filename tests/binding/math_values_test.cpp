// Points times matrices, the affine inverse and the named constants.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "math_values.h"

namespace {

mat4 translation(float x, float y, float z) { return mat4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1); }

mat4 with(mat4 m, int r, int c, float v) {
    m.m[r][c] = v;
    return m;
}

std::uint32_t bits(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, 4);
    return b;
}

void expect_matrix_eq(mat4 const& actual, mat4 const& expected) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(actual.m[r][c], expected.m[r][c]) << "element (" << r << ", " << c << ")";
}

#define EXPECT_VEC3_EQ(v, ex, ey, ez) \
    do {                              \
        vec3 const got_ = (v);        \
        EXPECT_EQ(got_.x, ex);        \
        EXPECT_EQ(got_.y, ey);        \
        EXPECT_EQ(got_.z, ez);        \
    } while (0)

}  // namespace

TEST(PointTimesMatrix, IdentityKeepsThePointBitForBit) {
    vec3 p{1.1f, -2.2e-30f, 3.3e30f};
    vec3 q = p * mat4::identity;
    EXPECT_EQ(bits(q.x), bits(p.x));
    EXPECT_EQ(bits(q.y), bits(p.y));
    EXPECT_EQ(bits(q.z), bits(p.z));
}

TEST(PointTimesMatrix, RowsAreTheImagesOfTheAxesAndRowThreeTranslates) {
    mat4 m(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 2, 0, 10, 20, 30, 1);
    EXPECT_VEC3_EQ((vec3{1, 2, 3} * m), 8.0f, 21.0f, 36.0f);
}

TEST(PointTimesMatrix, ElementThreeThreeScalesTheResult) {
    EXPECT_VEC3_EQ((vec3{2, 4, 6} * with(mat4::identity, 3, 3, 2)), 1.0f, 2.0f, 3.0f);
}

TEST(PointTimesMatrix, ZeroWGivesInfinitiesAndNaNsUnguarded) {
    vec3 q = vec3{0, 2, -3} * with(mat4::identity, 3, 3, 0);
    EXPECT_TRUE(std::isnan(q.x));
    EXPECT_TRUE(std::isinf(q.y) && q.y > 0);
    EXPECT_TRUE(std::isinf(q.z) && q.z < 0);
}

TEST(PointTimesMatrix, ColumnThreeOfTheFirstRowsTakesNoPart) {
    mat4 m = translation(1, 2, 3);
    m.m[0][3] = 5;
    m.m[1][3] = -7;
    m.m[2][3] = 1e20f;
    EXPECT_VEC3_EQ((vec3{1, 1, 1} * m), 2.0f, 3.0f, 4.0f);
}

TEST(ReverseMatrix, InvertsATranslation) {
    expect_matrix_eq(reverse_matrix(translation(4, -5, 6.5f)), translation(-4, 5, -6.5f));
}

TEST(ReverseMatrix, SingularBlockGivesIdentityTranslationIncluded) {
    mat4 flat(2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 7, 8, 9, 1);  // scale 0 along y
    expect_matrix_eq(reverse_matrix(flat), mat4::identity);
    expect_matrix_eq(reverse_matrix(mat4::zero), mat4::identity);
    // Two equal rows: the determinant is exactly zero although no entry is.
    mat4 twin(1, 2, 3, 0, 1, 2, 3, 0, 4, 5, 6, 0, 1, 1, 1, 1);
    expect_matrix_eq(reverse_matrix(twin), mat4::identity);
}

TEST(ReverseMatrix, TinyScaleIsStillInverted) {
    float const s = 1e-10f;
    mat4 inverse = reverse_matrix(mat4(s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(inverse.m[i][i] * s, 1.0f, 1e-6f) << "axis " << i;
    EXPECT_EQ(inverse.m[0][1], 0.0f);
}

TEST(ReverseMatrix, NaNDeterminantIsNotTreatedAsSingular) {
    mat4 inverse = reverse_matrix(with(mat4::identity, 0, 0, std::nanf("")));
    EXPECT_TRUE(std::isnan(inverse.m[1][1]));
}

TEST(ReverseMatrix, ResultColumnThreeIsAffineWhateverTheInput) {
    mat4 m = translation(1, 2, 3);
    m.m[0][3] = 4;
    m.m[1][3] = 5;
    m.m[2][3] = 6;
    m.m[3][3] = 7;
    mat4 inverse = reverse_matrix(m);
    EXPECT_EQ(inverse.m[0][3], 0.0f);
    EXPECT_EQ(inverse.m[1][3], 0.0f);
    EXPECT_EQ(inverse.m[2][3], 0.0f);
    EXPECT_EQ(inverse.m[3][3], 1.0f);
    EXPECT_EQ(inverse.m[3][0], -1.0f);  // the translation still inverted as if column 3 were affine
}

TEST(ReverseMatrix, PointThroughMatrixAndInverseComesBack) {
    float const c = std::cos(0.7f), s = std::sin(0.7f);
    // Rotation about z, non-uniform scale, shear and translation.
    mat4 m(2 * c, 2 * s, 0, 0, -0.5f * s, 0.5f * c, 0.25f, 0, 0.1f, 0, 3, 0, 12, -7, 4.5f, 1);
    for (vec3 p : {vec3{0, 0, 0}, vec3{1, 2, 3}, vec3{-40, 0.5f, 17}}) {
        vec3 back = (p * m) * reverse_matrix(m);
        EXPECT_NEAR(back.x, p.x, 1e-4f);
        EXPECT_NEAR(back.y, p.y, 1e-4f);
        EXPECT_NEAR(back.z, p.z, 1e-4f);
    }
}

TEST(NamedValues, ConstantsHoldTheirValues) {
    expect_matrix_eq(mat4::identity, translation(0, 0, 0));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(mat4::zero.m[i / 4][i % 4], 0.0f);
    // Storage order: the constructor's fifth argument is element (1, 0).
    EXPECT_EQ(mat4(0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0).m[1][0], 5.0f);
    // light_gray: the float nearest 0.85 in every colour component.
    for (float f : {vec3::light_gray.x, vec3::light_gray.y, vec3::light_gray.z, vec4::light_gray.x,
                    vec4::light_gray.y, vec4::light_gray.z})
        EXPECT_EQ(bits(f), 0x3F59999Au);
    EXPECT_EQ(vec4::light_gray.w, 1.0f);
    EXPECT_EQ(vec4::black.w, 1.0f);  // every vec4 colour is opaque, black included
    EXPECT_VEC3_EQ(vec3::dark_gray, 0.25f, 0.25f, 0.25f);
    EXPECT_VEC3_EQ(vec3::magenta, 1.0f, 0.0f, 1.0f);
    EXPECT_VEC3_EQ(vec3::cyan, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(quaternion_class::identity.s, 1.0f);
    EXPECT_EQ(quaternion_class::identity.x + quaternion_class::identity.y + quaternion_class::identity.z, 0.0f);
}
