// Plain values of the shape access layer: the invalid position, surface points under a
// matrix, the owning buffer.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include <gtest/gtest.h>

#include "shape/array.h"
#include "shape/shape_class.h"
#include "shape/surface_point.h"

namespace {

std::uint32_t bits_of(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

Surface_point sample_point() {
    return Surface_point{{1, 2, 3},   {0, 2, 3},  {2, 2, 3}, {1, 1, 3},
                         {1, 3, 3},   true,       false};
}

void expect_same(vec3 const& a, vec3 const& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

}  // namespace

TEST(InvalidPosition, EveryComponentCarriesTheFailureBitPattern) {
    vec3 p = invalid_position();
    EXPECT_EQ(bits_of(p.x), 0x7FA00000u);
    EXPECT_EQ(bits_of(p.y), 0x7FA00000u);
    EXPECT_EQ(bits_of(p.z), 0x7FA00000u);
    EXPECT_TRUE(is_invalid_position(p));
}

TEST(InvalidPosition, OtherNaNsAndOrdinaryPointsAreNotTheFailureValue) {
    EXPECT_FALSE(is_invalid_position(vec3{0, 0, 0}));
    float nan = std::nanf("");
    EXPECT_FALSE(is_invalid_position(vec3{nan, nan, nan}));
    vec3 partly = invalid_position();
    partly.y = 1;
    EXPECT_FALSE(is_invalid_position(partly));
}

TEST(SurfacePointValue, IdentityLeavesTheValueEqual) {
    Surface_point p = sample_point();
    Surface_point q = p * mat4::identity;
    expect_same(q.anchor, p.anchor);
    expect_same(q.in_handle, p.in_handle);
    expect_same(q.out_handle, p.out_handle);
    expect_same(q.l_in_handle, p.l_in_handle);
    expect_same(q.l_out_handle, p.l_out_handle);
    EXPECT_EQ(q.linked, p.linked);
    EXPECT_EQ(q.l_linked, p.l_linked);
}

TEST(SurfacePointValue, TranslationMovesAllFivePositionsAndKeepsTheFlags) {
    mat4 t = mat4::identity;
    t.m[3][0] = 1;
    Surface_point p = sample_point();
    Surface_point q = p * t;
    expect_same(q.anchor, {2, 2, 3});
    expect_same(q.in_handle, {1, 2, 3});
    expect_same(q.out_handle, {3, 2, 3});
    expect_same(q.l_in_handle, {2, 1, 3});
    expect_same(q.l_out_handle, {2, 3, 3});
    EXPECT_TRUE(q.linked);
    EXPECT_FALSE(q.l_linked);

    p *= t;  // in place gives the same
    expect_same(p.anchor, q.anchor);
    expect_same(p.l_out_handle, q.l_out_handle);
}

TEST(ArrayBuffer, HoldsTheRequestedCountAndCannotBeCopied) {
    Array<int> a(5);
    EXPECT_EQ(a.end - a.data, 5);
    EXPECT_EQ(a.size(), 5u);
    Array<int> empty(0);
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_FALSE(std::is_copy_constructible<Array<int>>::value);
    EXPECT_FALSE(std::is_copy_assignable<Array<int>>::value);
}
