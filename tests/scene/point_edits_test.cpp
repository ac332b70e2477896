// The host's edits of what a shape holds: points inserted and removed (with the active
// points of every shape that numbers them following), renaming, the modifiable and
// direction flags; each tells the modification listener, and a refused one changes nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "scene_files/scene_dump.h"
#include "scene/scene_edits.h"
#include "scene_fixture.h"

namespace {

using scene_test::expect_vec3;
using scene_test::load;

// wing numbers l0's three points 0-2 and l1's two 3-4; copy shows wing's points again.
char const* const held_scene = R"({"shapes": [
  {"name": "wing", "type": "part", "part": "surface", "active_points": [1, 4], "children": [
    {"name": "l0", "type": "line", "active_points": [0, 2],
     "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0], "in": [0, 0, 0]}, {"anchor": [2, 0, 0]}]},
    {"name": "l1", "type": "line", "points": [{"anchor": [0, 1, 0]}, {"anchor": [1, 1, 0]}]}]},
  {"name": "copy", "type": "part", "part": "link", "link_target": "wing", "active_points": [4]},
  {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1, 0, 0], [2, 0, 0]],
   "active_points": [2]},
  {"name": "ball", "type": "sphere"}]})";

class PointEdits : public scene_test::checked_scene {
protected:
    void SetUp() override {
        checked_scene::SetUp();
        scene->set_modification_listener(
            [this](std::vector<shape_class*> const& shapes) { notices.push_back(shapes); });
    }
    host::shape_node& node(char const* path) { return *scene->find(path); }
    std::vector<int> const& active(char const* path) { return node(path).active_points; }
    std::vector<std::vector<shape_class*>> one_notice_for(char const* path) {
        return {{&node(path).iface()}};
    }

    std::unique_ptr<host::scene_model> scene = load(held_scene);
    std::vector<std::vector<shape_class*>> notices;
};

TEST_F(PointEdits, AnInsertedControlPointHasItsHandlesOnTheAnchorAndNoLinks) {
    host::insert_point(*scene, "wing/l0", 1, {5, 6, 7});
    auto const& points = node("wing/l0").geometry.points;
    ASSERT_EQ(points.size(), 4u);
    host::control_point_data const& added = points[1];
    for (vec3 const& v : {added.anchor, added.in, added.out, added.l_in, added.l_out})
        expect_vec3(v, 5, 6, 7);
    EXPECT_FALSE(added.linked);
    EXPECT_FALSE(added.l_linked);
    expect_vec3(points[2].in, 0, 0, 0);  // the old point 1, handles kept
    EXPECT_EQ(notices, one_notice_for("wing/l0"));
}

TEST_F(PointEdits, ActivePointsBehindAnInsertMoveUpInEveryShapeThatNumbersThem) {
    host::insert_point(*scene, "wing/l0", 1, {5, 6, 7});
    EXPECT_EQ(active("wing/l0"), (std::vector<int>{0, 3}));
    EXPECT_EQ(active("wing"), (std::vector<int>{2, 5}));
    EXPECT_EQ(active("copy"), std::vector<int>{5});
    EXPECT_EQ(active("mesh"), std::vector<int>{2});  // another shape's points
}

TEST_F(PointEdits, ARemovedPointIsNoLongerActiveAndThoseBehindItMoveDown) {
    host::remove_point(*scene, "wing/l0", 1);
    EXPECT_EQ(node("wing/l0").geometry.points.size(), 2u);
    EXPECT_EQ(active("wing/l0"), (std::vector<int>{0, 1}));
    EXPECT_EQ(active("wing"), std::vector<int>{3});
    EXPECT_EQ(active("copy"), std::vector<int>{3});
    EXPECT_EQ(notices, one_notice_for("wing/l0"));
}

TEST_F(PointEdits, AMeshTakesAndLosesVerticesAtAnyPlace) {
    host::insert_point(*scene, "mesh", 3, {9, 9, 9});  // at the end
    host::remove_point(*scene, "mesh", 0);
    auto const& vertices = node("mesh").geometry.vertices;
    ASSERT_EQ(vertices.size(), 3u);
    expect_vec3(vertices[0].position, 1, 0, 0);
    expect_vec3(vertices[2].position, 9, 9, 9);
    EXPECT_EQ(active("mesh"), std::vector<int>{1});
    EXPECT_EQ(notices.size(), 2u);
}

// The plug-in may hold a control point's view across the host's edits.
TEST_F(PointEdits, AViewOfARemovedPointFailsLikeAHostCallUntilUndoBringsThePointBack) {
    shape_class* line = &node("wing/l1").iface();
    control_point_class* last = line->control_point_at(1);
    scene->begin_undo_record(1, &line, true, false, 0);
    scene->end_undo_record(1, &line, true, false, 0);
    scene->commit_undo();
    host::remove_point(*scene, "wing/l1", 1);
    EXPECT_THROW(last->get_point_position(), host::host_error);
    EXPECT_THROW(last->set_point_position({1, 1, 1}), host::host_error);
    EXPECT_TRUE(scene->writes().empty()) << "a refused write is not logged as made";
    ASSERT_TRUE(scene->undo());
    expect_vec3(last->get_point_position(), 1, 1, 0);
}

TEST_F(PointEdits, AnUndoThatTakesAnInsertedPointAwayDropsItFromTheActivePoints) {
    shape_class* line = &node("wing/l1").iface();
    scene->begin_undo_record(1, &line, true, false, 0);
    scene->end_undo_record(1, &line, true, false, 0);
    scene->commit_undo();
    host::insert_point(*scene, "wing/l1", 2, {3, 3, 3});
    scene->set_active_points("wing/l1", {2, 0});
    scene->set_active_points("wing", {5});
    ASSERT_TRUE(scene->undo());
    EXPECT_EQ(active("wing/l1"), std::vector<int>{0});
    EXPECT_TRUE(active("wing").empty());
}

TEST_F(PointEdits, RenameModifiableAndDirectionChangeTheShapeAndTellTheListener) {
    host::shape_node* l1 = &node("wing/l1");
    host::rename_shape(*scene, "wing/l1", "l1");  // its own name is no other shape's
    host::rename_shape(*scene, "wing/l1", "spar");
    EXPECT_EQ(scene->find("wing/spar"), l1);
    EXPECT_EQ(scene->find("wing/l1"), nullptr);
    EXPECT_STREQ(l1->iface().get_name(), "spar");
    host::set_modifiable(*scene, "wing/spar", false);
    EXPECT_FALSE(l1->iface().is_modifiable());
    host::set_surface_direction(*scene, "wing", false);
    EXPECT_FALSE(static_cast<part_class&>(node("wing").iface()).get_surface_direction());
    shape_class* spar = &l1->iface();
    EXPECT_EQ(notices, (std::vector<std::vector<shape_class*>>{
                           {spar}, {spar}, {spar}, {&node("wing").iface()}}));
}

TEST_F(PointEdits, ARefusedEditSaysWhyAndChangesNothing) {
    struct refused {
        std::function<void()> edit;
        char const* message;
    } const cases[] = {
        {[&] {
             host::insert_point(*scene, "ball", 0, {0, 0, 0});
         },
         "insert_point: ball is not a line or a polygon mesh"},
        {[&] {
             host::insert_point(*scene, "wing", 0, {0, 0, 0});
         },
         "insert_point: wing is not a line or a polygon mesh"},
        {[&] {
             host::insert_point(*scene, "wing/l1", 3, {0, 0, 0});
         },
         "insert_point: wing/l1 has 2 points, a new one goes at 0-2, not 3"},
        {[&] {
             host::insert_point(*scene, "mesh", 0, {0, 0, NAN});
         },
         "insert_point: non-finite position"},
        {[&] { host::remove_point(*scene, "wing/l1", 2); }, "remove_point: wing/l1 has no point 2"},
        {[&] { host::remove_point(*scene, "ball", 0); },
         "remove_point: ball is not a line or a polygon mesh"},
        {[&] { host::rename_shape(*scene, "wing/l1", "l0"); },
         "rename_shape: another shape at the same level is named \"l0\""},
        {[&] { host::rename_shape(*scene, "wing/l1", "a/b"); },
         "rename_shape: a name must be non-empty and contain no \"/\""},
        {[&] { host::rename_shape(*scene, "wing/l1", ""); },
         "rename_shape: a name must be non-empty and contain no \"/\""},
        {[&] { host::set_surface_direction(*scene, "wing/l0", false); },
         "set_surface_direction: wing/l0 is not a surface part"},
        {[&] { host::set_modifiable(*scene, "nowhere", false); }, "no shape at path \"nowhere\""},
    };
    std::string before = host::dump_scene_text(*scene);
    for (refused const& c : cases) {
        try {
            c.edit();
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (std::invalid_argument const& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_EQ(host::dump_scene_text(*scene), before);
    EXPECT_TRUE(notices.empty());
}

}  // namespace
