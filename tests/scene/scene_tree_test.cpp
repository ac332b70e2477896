// The shape tree as the plug-in walks it: children and the child_end sentinel, parts
// against other shapes, flat point numbering, sequence numbers and active points.
#include <gtest/gtest.h>

#include <vector>

#include "scene/flat_numbering.h"
#include "scene_fixture.h"

namespace {

using scene_test::load;

// body (simple): curve (line, 4 points), ball (sphere), wing (surface: l0 3 points,
// l1 2 points), hull (mesh, 2 vertices); then copy (link to body/wing), empty (link).
char const* const tree_scene = R"({"shapes": [
  {"name": "body", "type": "part", "part": "simple", "children": [
    {"name": "curve", "type": "line", "points": [
      {"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}, {"anchor": [3, 0, 0]}]},
    {"name": "ball", "type": "sphere"},
    {"name": "wing", "type": "part", "part": "surface", "children": [
      {"name": "l0", "type": "line", "points": [
        {"anchor": [0, 0, 0]}, {"anchor": [0, 1, 0]}, {"anchor": [0, 2, 0]}]},
      {"name": "l1", "type": "line", "points": [{"anchor": [5, 0, 0]}, {"anchor": [5, 1, 0]}]}]},
    {"name": "hull", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1, 1, 1]]}]},
  {"name": "copy", "type": "part", "part": "link", "link_target": "body/wing"},
  {"name": "empty", "type": "part", "part": "link"}]})";

class SceneTree : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene = load(tree_scene);
    shape_class& shape(char const* path) { return scene->find(path)->iface(); }

    std::vector<std::string> child_names(shape_class& parent) {
        std::vector<std::string> names;
        shape_class* end = parent.child_end();
        for (shape_class* c = parent.first_child(); c != end; c = c->next_sibling())
            names.push_back(c->get_name());
        return names;
    }
};

TEST_F(SceneTree, ChildrenWalkInOrderUpToASentinelThatIsNotAChild) {
    EXPECT_EQ(child_names(shape("body")),
              (std::vector<std::string>{"curve", "ball", "wing", "hull"}));
    EXPECT_EQ(child_names(shape("body/wing")), (std::vector<std::string>{"l0", "l1"}));
    shape_class& curve = shape("body/curve");
    EXPECT_FALSE(curve.has_children());
    EXPECT_EQ(curve.first_child(), curve.child_end());
    shape_class* end = shape("body").child_end();
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(shape("body/hull").next_sibling(), end);
    // The sentinel refuses to act as a shape.
    EXPECT_THROW(end->point_count(), host::host_error);
    EXPECT_THROW(end->get_name(), host::host_error);
}

TEST_F(SceneTree, ParentsAndNames) {
    shape_class& l1 = shape("body/wing/l1");
    EXPECT_STREQ(l1.get_name(), "l1");
    ASSERT_TRUE(l1.has_parent());
    EXPECT_EQ(l1.get_parent(), &shape("body/wing"));
    EXPECT_FALSE(shape("body").has_parent());
    EXPECT_EQ(shape("body").get_parent(), nullptr);
    EXPECT_EQ(scene->find("body/wing/l1")->path(), "body/wing/l1");
}

TEST_F(SceneTree, OnlyPartsAreParts) {
    for (auto* node : scene->all_shapes()) {
        shape_class& s = node->iface();
        bool is_part = dynamic_cast<part_class*>(&s) != nullptr;
        EXPECT_EQ(is_part, node->is_part()) << node->path();
        EXPECT_EQ(s.as_part() != nullptr, node->is_part()) << node->path();
        if (is_part) {
            EXPECT_EQ(s.as_part()->get_part_kind(), node->part_kind());
        }
    }
}

TEST_F(SceneTree, ViewsExistOnlyForTheirKinds) {
    EXPECT_NE(shape("body/hull").as_polygon_mesh(), nullptr);
    EXPECT_EQ(shape("body/curve").as_polygon_mesh(), nullptr);
    EXPECT_NE(shape("body/ball").as_sphere(), nullptr);
    EXPECT_EQ(shape("body/ball").as_disk(), nullptr);
    EXPECT_EQ(shape("body/ball").as_light(), nullptr);
    EXPECT_EQ(shape("body").rotator_joint(), nullptr);
}

TEST_F(SceneTree, PointCountsFollowTheFlatNumbering) {
    EXPECT_EQ(shape("body/curve").point_count(), 4);
    EXPECT_EQ(shape("body/ball").point_count(), 1);
    EXPECT_EQ(shape("body/hull").point_count(), 2);
    EXPECT_EQ(shape("body/wing").point_count(), 5);
    EXPECT_EQ(shape("body").point_count(), 4 + 1 + 5 + 2);
    // A link part counts its target's points; one without a target has none.
    EXPECT_EQ(shape("copy").point_count(), 5);
    EXPECT_EQ(shape("empty").point_count(), 0);
}

TEST_F(SceneTree, SurfacePartControlPointsRunLineAfterLine) {
    shape_class& wing = shape("body/wing");
    EXPECT_EQ(wing.control_point_at(0), scene->find("body/wing/l0")->iface().control_point_at(0));
    EXPECT_EQ(wing.control_point_at(2)->get_point_position().y, 2.0f);
    EXPECT_EQ(wing.control_point_at(3), scene->find("body/wing/l1")->iface().control_point_at(0));
    EXPECT_EQ(wing.control_point_at(4)->get_point_position().y, 1.0f);
    EXPECT_THROW(wing.control_point_at(5), host::host_error);
    EXPECT_THROW(wing.control_point_at(-1), host::host_error);
}

TEST_F(SceneTree, ControlPointsAndVerticesOutOfRangeOrAbsentThrow) {
    EXPECT_THROW(shape("body/curve").control_point_at(4), host::host_error);
    EXPECT_THROW(shape("body/curve").control_point_at(-1), host::host_error);
    EXPECT_NO_THROW(shape("body/curve").control_point_at(3));
    // Shapes without control points, a simple part included.
    EXPECT_THROW(shape("body/ball").control_point_at(0), host::host_error);
    EXPECT_THROW(shape("body/hull").control_point_at(0), host::host_error);
    EXPECT_THROW(shape("body").control_point_at(0), host::host_error);
    polygon_mesh_class* mesh = shape("body/hull").as_polygon_mesh();
    EXPECT_EQ(mesh->vertex_at(1)->get_point_position().z, 1.0f);
    EXPECT_THROW(mesh->vertex_at(2), host::host_error);
    EXPECT_THROW(mesh->vertex_at(-1), host::host_error);
}

TEST_F(SceneTree, HostResolvesFlatIndicesThroughNestedPartsAndLinks) {
    auto* body = scene->find("body");
    EXPECT_EQ(host::resolve_flat_index(*body, 3), std::make_pair(scene->find("body/curve"), 3));
    EXPECT_EQ(host::resolve_flat_index(*body, 4), std::make_pair(scene->find("body/ball"), 0));
    EXPECT_EQ(host::resolve_flat_index(*body, 8), std::make_pair(scene->find("body/wing/l1"), 0));
    EXPECT_EQ(host::resolve_flat_index(*body, 11), std::make_pair(scene->find("body/hull"), 1));
    EXPECT_EQ(host::resolve_flat_index(*body, 12).first, nullptr);
    EXPECT_EQ(host::resolve_flat_index(*body, -1).first, nullptr);
    EXPECT_EQ(host::resolve_flat_index(*scene->find("copy"), 4), std::make_pair(scene->find("body/wing/l1"), 1));
}

TEST_F(SceneTree, SequenceNumbersArePreOrderOverTheWholeScene) {
    std::vector<char const*> order{"body", "body/curve", "body/ball", "body/wing",
                                   "body/wing/l0", "body/wing/l1", "body/hull", "copy", "empty"};
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(shape(order[i]).get_sequence_number(), static_cast<int>(i)) << order[i];
    // The k-th line of a surface part is numbered part + 1 + k.
    EXPECT_EQ(shape("body/wing/l1").get_sequence_number(),
              shape("body/wing").get_sequence_number() + 1 + 1);
}

TEST_F(SceneTree, ActivePointsAreCountedAndCopiedWithinCapacity) {
    scene->set_active_points("body/curve", {2, 0, 3});
    shape_class& curve = shape("body/curve");
    EXPECT_EQ(curve.get_active_points(nullptr, 0), 3);
    int buffer[4] = {-7, -7, -7, -7};
    EXPECT_EQ(curve.get_active_points(buffer, 2), 3);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], -7);  // never beyond capacity
    EXPECT_EQ(curve.get_active_points(buffer, 4), 3);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_EQ(buffer[3], -7);
    EXPECT_EQ(shape("body/ball").get_active_points(nullptr, 0), 0);
    EXPECT_THROW(scene->set_active_points("body/curve", {4}), std::invalid_argument);
}

TEST_F(SceneTree, ActiveShapeIsSetAndClearedByPath) {
    EXPECT_EQ(scene->get_active_shape(), nullptr);
    scene->set_active_shape("body/wing/l0");
    EXPECT_EQ(scene->get_active_shape(), &shape("body/wing/l0"));
    scene->set_active_shape("");
    EXPECT_EQ(scene->get_active_shape(), nullptr);
    EXPECT_THROW(scene->set_active_shape("body/nope"), std::invalid_argument);
}

TEST_F(SceneTree, ShapesOfAPartBuiltInCodeAreParts) {
    host::scene_model built;
    auto& part = built.add_shape(nullptr, "p", kind_part, part_sound);
    auto& line = built.add_shape(&part, "l", kind_line);
    line.add_control_point({});
    EXPECT_NE(dynamic_cast<part_class*>(&part.iface()), nullptr);
    EXPECT_EQ(dynamic_cast<part_class*>(&line.iface()), nullptr);
    EXPECT_EQ(part.iface().point_count(), 1);
    EXPECT_EQ(host::shape_node::from(&line.iface()), &line);
}

}  // namespace
