// What "App." must write: a typed value lands, an untouched one changes nothing but what a
// length mode means; and how a write that does otherwise is told.
#include <gtest/gtest.h>

#include <limits>

#include "apply_expectations.h"
#include "oracle_fixture.h"

namespace {

using namespace oracles;
using namespace oracles_test;

char const* const scene_text = R"({"shapes": [
  {"name": "curve", "type": "line", "points": [
    {"anchor": [1, 0, 0], "in": [0, 0, 0], "out": [1, 2, 0]},
    {"anchor": [5, 0, 0], "out": [5, 3, 0], "linked": true}]},
  {"name": "ball", "type": "sphere", "center": [0, 0, 0]},
  {"name": "slide", "type": "part", "part": "slider", "first_point": [0, 0, 0], "second_point": [0, 0, 1],
   "linked_joint": ["ball"]}
]})";

class ApplyExpectations : public ::testing::Test {
protected:
    std::unique_ptr<host::scene_model> scene = scene_of(scene_text);
    host::shape_node& curve = *scene->find("curve");
    host::shape_node& slide = *scene->find("slide");
    host::shape_node& ball = *scene->find("ball");
    host::control_point_data& point(int i) { return curve.geometry.points[static_cast<std::size_t>(i)]; }
};

void expect_at(position_expectation const& p, double x, double y, double z) {
    ASSERT_TRUE(p.check) << p.what;
    EXPECT_NEAR(p.local.x, x, 1e-12) << p.what;
    EXPECT_NEAR(p.local.y, y, 1e-12) << p.what;
    EXPECT_NEAR(p.local.z, z, 1e-12) << p.what;
}

TEST_F(ApplyExpectations, TypedRelativeHandlesMoveWithATypedAnchor) {
    window_view w = rows(true, 1, 0);
    show(w, 0, {2, 0, 0});
    show(w, 1, {-1, 0, 0});
    show(w, 2, {0, 2, 0});
    show(w, 3, {1, 0, 0});  // "Abs.": L in and L out as they are
    show(w, 4, {1, 0, 0});
    point_expectation e = expect_typed_apply(&curve, 0, w, 1);
    expect_at(e.positions[0], 2, 0, 0);
    expect_at(e.positions[1], 1, 0, 0);
    expect_at(e.positions[2], 2, 2, 0);
    expect_at(e.positions[3], 1, 0, 0);
    EXPECT_EQ(e.flags[0], 0);  // the link box is clear
}

TEST_F(ApplyExpectations, ATypedLengthGoesOppositeThePartnerRowAndLinksThePair) {
    window_view w = rows(true, 2, 1);
    show(w, 0, {1, 0, 0});
    show(w, 1, {0, 0, 3});
    show_length(w, 2, 6);
    point_expectation e = expect_typed_apply(&curve, 0, w, 10);  // displayed in tens
    expect_at(e.positions[1], 0.1, 0, 0.3);
    expect_at(e.positions[2], 0.1, 0, -0.6);
    EXPECT_EQ(e.flags[0], 1);
}

TEST_F(ApplyExpectations, ATypedLengthWithoutAPartnerDirectionKnowsOnlyItsLength) {
    window_view w = rows(true, 3, 1);
    show_length(w, 1, 4);
    show(w, 0, {5, 0, 0});
    point_expectation e = expect_typed_apply(&curve, 1, w, 1);
    EXPECT_TRUE(e.positions[1].length_only);
    EXPECT_EQ(e.positions[1].length, 4);
}

TEST_F(ApplyExpectations, APointWithAValueBeyondAFloatIsNotWrittenAtAll) {
    window_view w = rows(true, 1, 1);
    show(w, 0, {9, 9, 9});
    type(w, 0, 0, "1e39", std::numeric_limits<float>::infinity());
    point_expectation e = expect_typed_apply(&curve, 0, w, 1);
    expect_at(e.positions[0], 1, 0, 0);
    EXPECT_EQ(e.positions[0].bound, 0);
    expect_at(e.positions[2], 1, 2, 0);
}

TEST_F(ApplyExpectations, UntouchedALengthHandleTurnsOppositeItsPartnerAtItsOwnLength) {
    point_expectation e = expect_untouched_apply(&curve, 0, rows(true, 2, 1), 1);
    expect_at(e.positions[1], 0, 0, 0);  // the partner stays
    expect_at(e.positions[2], 3, 0, 0);  // length 2, opposite In (-1, 0, 0)
    EXPECT_EQ(e.flags[0], 1);
}

TEST_F(ApplyExpectations, UntouchedALengthHandleWhosePartnerHasNoDirectionKeepsItsOwn) {
    point_expectation e = expect_untouched_apply(&curve, 1, rows(true, 2, 1), 1);
    expect_at(e.positions[2], 5, 3, 0);
    EXPECT_FALSE(e.positions[2].length_only);
}

TEST_F(ApplyExpectations, AWriteAsExpectedPassesAndEachOtherChangeIsNamed) {
    point_expectation e = expect_untouched_apply(&curve, 0, rows(true, 1, 1), 1);
    scene_state before = scene_state::of(*scene);
    EXPECT_TRUE(check_write(e, before, scene_state::of(*scene), "App.").empty());

    point(0).in.x += 1e-6f;  // within the round trip through a row
    EXPECT_TRUE(check_write(e, before, scene_state::of(*scene), "App.").empty());

    point(0).in.x += 0.01f;
    auto moved = check_write(e, before, scene_state::of(*scene), "App.");
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_NE(moved[0].find("curve point 0 In handle"), std::string::npos) << moved[0];

    point(0).in = {0, 0, 0};
    point(0).linked = true;
    EXPECT_EQ(check_write(e, before, scene_state::of(*scene), "App.").size(), 1u);

    point(0).linked = false;
    point(1).anchor.y = 1;  // another point of the same line
    EXPECT_EQ(check_write(e, before, scene_state::of(*scene), "App.").size(), 1u);
}

TEST_F(ApplyExpectations, ALinkedShapeMayOnlyFollowTheJointsFirstPoint) {
    window_view w = rows(true, 1, 1);
    show(w, 0, {2, 0, 0});
    show(w, 1, {0, 0, 1});
    point_expectation e = expect_typed_apply(&slide, 0, w, 1);
    scene_state before = scene_state::of(*scene);
    slide.geometry.first = {2, 0, 0};
    slide.geometry.second = {2, 0, 1};
    ball.geometry.local.m[3][0] = 2;  // dragged along by the first point's move
    EXPECT_TRUE(check_write(e, before, scene_state::of(*scene), "App.").empty());
    ball.geometry.local.m[3][0] = 4;
    EXPECT_EQ(check_write(e, before, scene_state::of(*scene), "App.").size(), 1u);
    ball.geometry.local.m[3][0] = 2;
    ball.geometry.local.m[0][0] = 2;
    EXPECT_EQ(check_write(e, before, scene_state::of(*scene), "App.").size(), 1u);
}

}  // namespace
