// Scene files: what a valid file builds, and the one-line refusal of every kind of fault.
#include <gtest/gtest.h>

#include "scene_file.h"

namespace {

using host::load_scene_text;
using host::scene_file_error;

std::string refusal(std::string const& text) {
    try {
        load_scene_text(text, "t.json");
    } catch (scene_file_error const& e) {
        return e.what();
    }
    return "(loaded)";
}

TEST(SceneFile, BuildsTheTreeWithKindsNamesAndDefaults) {
    auto scene = load_scene_text(R"({
      "figure_unit": 2.5,
      "shapes": [
        {"name": "body", "type": "part", "part": "surface", "direction": false, "children": [
          {"name": "l0", "type": "line", "points": [{"anchor": [1, 2, 3], "in": [0, 2, 3]}]},
          {"name": "l1", "type": "line", "points": []}
        ]},
        {"name": "ball", "type": "sphere", "center": [4, 5, 6], "modifiable": false}
      ],
      "active": "body/l0"
    })", "t.json");
    ASSERT_EQ(scene->roots().size(), 2u);
    EXPECT_FLOAT_EQ(scene->figure_unit(), 2.5f);
    host::shape_node* line = scene->find("body/l0");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(scene->active_shape(), line);
    EXPECT_EQ(line->object_kind(), host::kind_line);
    EXPECT_EQ(line->part_kind(), -1);
    auto const& cp = line->geometry.points.at(0);
    EXPECT_EQ(cp.in.x, 0.0f);
    // A handle left out equals the anchor.
    EXPECT_EQ(cp.out.x, 1.0f);
    EXPECT_EQ(cp.l_out.z, 3.0f);
    EXPECT_FALSE(cp.linked);
    host::shape_node* body = scene->find("body");
    EXPECT_EQ(body->part_kind(), host::part_surface);
    EXPECT_FALSE(body->surface_direction);
    EXPECT_TRUE(body->modifiable);
    EXPECT_FALSE(scene->find("ball")->modifiable);
    EXPECT_EQ(scene->find("ball")->geometry.center.y, 5.0f);
    EXPECT_EQ(scene->find("nope"), nullptr);
}

}  // namespace

namespace {

TEST(SceneFile, RefusesAWrongLengthVectorNamingFileShapeAndProblem) {
    EXPECT_EQ(refusal(R"({"shapes": [{"name": "curve", "type": "line", "points": [
                {"anchor": [0, 0, 0]}, {"anchor": [1, 2]}]}]})"),
              "t.json: shapes/curve/points[1]/anchor: expected 3 numbers, got 2");
}

}  // namespace
