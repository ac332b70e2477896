// The reference's own footing: the flat numbering, the points of joints and the frames.
#include <gtest/gtest.h>

#include "oracle_fixture.h"
#include "reference_points.h"

namespace {

using namespace oracles;
using namespace oracles_test;

char const* const scene_text = R"({"shapes": [
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "front", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
    {"name": "inner", "type": "part", "part": "simple", "children": [
      {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1, 1, 1]]},
      {"name": "ball", "type": "sphere", "center": [5, 5, 5]}]},
    {"name": "back", "type": "line", "points": [{"anchor": [0, 1, 0]}, {"anchor": [1, 1, 0]}, {"anchor": [2, 1, 0]}]}]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10]},
  {"name": "slide", "type": "part", "part": "slider", "first_point": [1, 2, 3], "second_point": [0, 0, 10]},
  {"name": "empty", "type": "line", "points": []}
]})";

class ReferencePoints : public ::testing::Test {
protected:
    std::unique_ptr<host::scene_model> scene = scene_of(scene_text);
    host::shape_node& shape(char const* path) { return *scene->find(path); }
};

TEST_F(ReferencePoints, APartNumbersItsPointsChildAfterChildThroughNestedParts) {
    struct {
        int index;
        char const* holder;
        int inner;
    } const cases[] = {{1, "wing/front", 1}, {2, "wing/inner/mesh", 0}, {4, "wing/inner/ball", 0}, {5, "wing/back", 0},
                       {7, "wing/back", 2}};
    for (auto const& c : cases) {
        auto held = resolve(shape("wing"), c.index);
        ASSERT_TRUE(held) << c.index;
        EXPECT_EQ(held->shape, &shape(c.holder)) << c.index;
        EXPECT_EQ(held->index, c.inner) << c.index;
    }
    EXPECT_FALSE(resolve(shape("wing"), 8));
    EXPECT_EQ(points_before(shape("wing"), shape("wing/back")), 5);
    EXPECT_FALSE(control_point(shape("wing"), 4));  // the sphere in the nested part
    EXPECT_EQ(control_point(shape("wing"), 6)->anchor.x, 1);
}

TEST_F(ReferencePoints, ARotatorEndsAtItsAxisFromTheFirstPointASliderAtItsSecondPoint) {
    EXPECT_EQ(position(shape("rot"), 1)->local.z, 13);
    EXPECT_EQ(position(shape("slide"), 1)->local.z, 10);
    EXPECT_EQ(position(shape("slide"), 0)->local.x, 1);
}

TEST_F(ReferencePoints, ALineWithoutPointsHasNoActivePoint) {
    scene->find("empty")->active_points = {0};
    EXPECT_EQ(first_active_point(shape("empty")), -1);
    scene->find("wing/back")->active_points = {2, 0};
    EXPECT_EQ(first_active_point(shape("wing/back")), 2);
}

TEST(Frames, TheInverseOfAMoveByFarHoldsNextToATurn) {
    // A turn and a move of 3e18: an elimination that pivots on the move loses the turn.
    host::dmat4 m = host::identity_dmat4();
    m.m[0][0] = -0.136;
    m.m[0][1] = 0.2097;
    m.m[1][0] = -0.2097;
    m.m[1][1] = -0.136;
    m.m[2][2] = 0.25;
    m.m[3][0] = 10;
    m.m[3][1] = -3.18e18;
    dvec3 p{0, -822536, 1};
    dvec3 back = transform(transform(p, m), inverse(m));
    EXPECT_NEAR(back.y, p.y, 1e5);  // 3e18 carries 16 digits: 1e5 is its last few
    EXPECT_NEAR(back.z, p.z, 1e-9);
}

}  // namespace
