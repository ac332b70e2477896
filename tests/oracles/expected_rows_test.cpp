// What the rows must show for a point, and how a window that shows something else is told.
#include <gtest/gtest.h>

#include "expected_rows.h"
#include "oracle_fixture.h"

namespace {

using namespace oracles;
using namespace oracles_test;

char const* const scene_text = R"({"figure_unit": 10, "shapes": [
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10]},
  {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 10], "target": [0, 1, 0]},
  {"name": "curve", "type": "line", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1],
   "points": [{"anchor": [1, 0, 0], "out": [4, 4, 0], "l_in": [1, 2, 0], "linked": true}]}
]})";

class ExpectedRows : public ::testing::Test {
protected:
    std::unique_ptr<host::scene_model> scene = scene_of(scene_text);
    host::shape_node& shape(char const* path) { return *scene->find(path); }
};

dvec3 row_value(expected_rows const& e, int row) { return e.rows[row].value; }

TEST_F(ExpectedRows, AJointsEndPointIsRelativeUnlessRowOneSaysAbs) {
    // Displayed in units of 10: first point (1, 2, 3), axis (0, 0, 10).
    auto relative = rows_for_point(shape("rot"), 0, rows(true, 1), 10);
    ASSERT_TRUE(relative);
    EXPECT_EQ(row_value(*relative, 0).z, 30);
    EXPECT_EQ(row_value(*relative, 1).z, 100);
    EXPECT_EQ(row_value(*relative, 1).x, 0);
    auto absolute = rows_for_point(shape("rot"), 0, rows(true, 0), 10);
    EXPECT_EQ(row_value(*absolute, 1).x, 10);
    EXPECT_EQ(row_value(*absolute, 1).z, 130);
}

TEST_F(ExpectedRows, ACameraShowsItsEyeAndTheTargetMinusTheEye) {
    auto e = rows_for_point(shape("cam"), 0, rows(true, 1), 1);
    ASSERT_TRUE(e);
    EXPECT_EQ(row_value(*e, 0).z, 10);
    EXPECT_EQ(row_value(*e, 1).y, 1);
    EXPECT_EQ(row_value(*e, 1).z, -10);
}

TEST_F(ExpectedRows, AJointShowsItsEndPointAsAVectorWhateverModeALineLeft) {
    // "O b." left over from a line: a joint's second row is still a point.
    auto e = rows_for_point(shape("cam"), 0, rows(true, 3), 1);
    ASSERT_TRUE(e);
    EXPECT_FALSE(e->rows[1].length_only);
}

TEST_F(ExpectedRows, ALengthModeShowsOneHandleAsItsDistanceFromTheAnchor) {
    auto in_b = rows_for_point(shape("curve"), 0, rows(true, 2, 1), 1);
    ASSERT_TRUE(in_b);
    EXPECT_FALSE(in_b->rows[1].length_only);
    EXPECT_TRUE(in_b->rows[2].length_only);
    EXPECT_DOUBLE_EQ(row_value(*in_b, 2).x, 5);  // |(4, 4, 0) - (1, 0, 0)|
    auto out_b = rows_for_point(shape("curve"), 0, rows(true, 3, 3), 1);
    EXPECT_TRUE(out_b->rows[1].length_only);
    EXPECT_DOUBLE_EQ(row_value(*out_b, 1).x, 0);  // In sits on the anchor
    EXPECT_TRUE(out_b->rows[3].length_only);
    EXPECT_DOUBLE_EQ(row_value(*out_b, 3).x, 2);
    EXPECT_EQ(in_b->links[2], 1);
    EXPECT_EQ(in_b->links[4], 0);
}

TEST_F(ExpectedRows, GloShowsTheAnchorInTheWorldAndHandlesAsWorldDifferences) {
    auto local = rows_for_point(shape("curve"), 0, rows(true, 0), 1);
    auto world = rows_for_point(shape("curve"), 0, rows(false, 1), 1);
    EXPECT_EQ(row_value(*local, 0).x, 1);
    EXPECT_EQ(row_value(*world, 0).x, 11);
    EXPECT_EQ(row_value(*local, 2).x, 4);  // "Abs.": the Out handle itself
    EXPECT_EQ(row_value(*world, 2).x, 3);  // "Rel.": Out minus anchor, the move cancels
}

TEST_F(ExpectedRows, RowsThatShowThePointPassAndEachOtherShowingIsNamed) {
    window_view w = rows(true, 2, 1);
    auto e = rows_for_point(shape("curve"), 0, w, 1);
    ASSERT_TRUE(e);
    show(w, 0, {1, 0, 0});
    show(w, 1, {0, 0, 0});
    show_length(w, 2, 5);
    show(w, 3, {0, 2, 0});
    show(w, 4, {0, 0, 0});
    w.links[2] = true;
    EXPECT_TRUE(compare_rows(*e, w, "test").empty());

    window_view off = w;
    show(off, 3, {0, 2.00001, 0});
    auto problems = compare_rows(*e, off, "test");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("row 3 y shows \" 2.000010\""), std::string::npos) << problems[0];

    window_view shown_vector = w;
    shown_vector.rows[2].box[1].shown = true;
    EXPECT_EQ(compare_rows(*e, shown_vector, "test").size(), 1u);

    window_view unlinked = w;
    unlinked.links[2] = false;
    EXPECT_EQ(compare_rows(*e, unlinked, "test").size(), 1u);

    window_view empty = w;
    type(empty, 0, 1, "", 0.0f);  // reads 0 like the value, but holds no number
    EXPECT_EQ(compare_rows(*e, empty, "test").size(), 1u);
}

TEST_F(ExpectedRows, AValueTypedOverTheSameNumberStillShowsThePoint) {
    window_view w = rows(true, 1, 1);
    auto e = rows_for_point(shape("rot"), 0, w, 10);
    show(w, 0, {10, 20, 30});
    show(w, 1, {0, 0, 100});
    type(w, 0, 0, "10", 10.0f);
    EXPECT_TRUE(compare_rows(*e, w, "test").empty());
}

}  // namespace
