// Frames, skins, linked shapes and apply_transformation: what the plug-in's conversions
// between local and world coordinates rely on.
#include <gtest/gtest.h>

#include <cmath>

#include "scene_fixture.h"
#include "uuid_class.h"

namespace {

using scene_test::expect_vec3;
using scene_test::load;

// root translates by (10, 0, 0); arm turns 90 degrees about z (x -> y) and moves by
// (0, 5, 0); tip scales by 2.
char const* const chain_scene = R"({"shapes": [
  {"name": "root", "type": "part", "part": "simple",
   "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1], "children": [
    {"name": "arm", "type": "part", "part": "simple",
     "matrix": [0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 5, 0, 1], "children": [
      {"name": "tip", "type": "line",
       "matrix": [2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1],
       "points": [
         {"anchor": [1, 0, 0]},
         {"anchor": [0, 0, 0], "skin": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1]}]}]}]},
  {"name": "flat", "type": "disk", "matrix": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1],
   "skin": [0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]}]})";

class SceneFrames : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene = load(chain_scene);
    shape_class& shape(char const* path) { return scene->find(path)->iface(); }
};

TEST_F(SceneFrames, WorldMatrixIsTheProductOfLocalMatricesUpTheChain) {
    mat4 w = shape("root/arm/tip").get_world_matrix();
    // (1, 0, 0) on the tip: scaled to (2, 0, 0), turned to (0, 2, 0), moved to (0, 7, 0),
    // then to (10, 7, 0).
    expect_vec3(vec3{1, 0, 0} * w, 10, 7, 0, 1e-6f);
    expect_vec3(vec3{0, 0, 0} * shape("root").get_world_matrix(), 10, 0, 0);
}

TEST_F(SceneFrames, WorldToLocalIsAGoodInverse) {
    shape_class& tip = shape("root/arm/tip");
    mat4 w = tip.get_world_matrix();
    mat4 l = tip.get_world_to_local_matrix();
    for (vec3 p : {vec3{1, 2, 3}, vec3{-40, 0.25f, 1e3f}, vec3{0, 0, 0}}) {
        vec3 back = (p * w) * l;
        expect_vec3(back, p.x, p.y, p.z, 1e-4f * (1 + std::fabs(p.z)));
    }
    expect_vec3(vec3{10, 7, 0} * l, 1, 0, 0, 1e-6f);
}

TEST_F(SceneFrames, ASingularWorldMatrixHasNoInverse) {
    EXPECT_THROW(shape("flat").get_world_to_local_matrix(), host::host_error);
    EXPECT_NO_THROW(shape("flat").get_world_matrix());
}

TEST_F(SceneFrames, SkinRecordsReportTheirOwnMatrices) {
    shape_class& tip = shape("root/arm/tip");
    EXPECT_EQ(tip.get_skin()->is_skinned(), 0);
    control_point_class* plain = tip.control_point_at(0);
    control_point_class* skinned = tip.control_point_at(1);
    EXPECT_EQ(plain->get_skin()->is_skinned(), 0);
    ASSERT_NE(skinned->get_skin()->is_skinned(), 0);
    expect_vec3(vec3{0, 0, 0} * skinned->get_skin()->get_skin_matrix(), 7, 8, 9);
    // A shape's own skin, singular matrix included, is handed over as given.
    skin_class* disk_skin = shape("flat").get_skin();
    ASSERT_NE(disk_skin->is_skinned(), 0);
    EXPECT_EQ(disk_skin->get_skin_matrix().m[0][0], 0.0f);
}

TEST_F(SceneFrames, VertexSkinsAreSeparateFromTheShapes) {
    auto mesh_scene = load(R"({"shapes": [{"name": "m", "type": "polygon_mesh", "vertices": [
        [0, 0, 0], {"position": [1, 1, 1], "skin": [3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1]}]}]})");
    polygon_mesh_class* mesh = mesh_scene->find("m")->iface().as_polygon_mesh();
    EXPECT_EQ(mesh->vertex_at(0)->get_skin()->is_skinned(), 0);
    EXPECT_NE(mesh->vertex_at(1)->get_skin()->is_skinned(), 0);
    EXPECT_EQ(mesh->vertex_at(1)->get_skin()->get_skin_matrix().m[2][2], 3.0f);
}

TEST_F(SceneFrames, ApplyTransformationMovesTheShapeAndItsChildren) {
    shape_class& arm = shape("root/arm");
    vec3 before = vec3{1, 0, 0} * shape("root/arm/tip").get_world_matrix();
    arm.apply_transformation(mat4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1));
    vec3 after = vec3{1, 0, 0} * shape("root/arm/tip").get_world_matrix();
    // The move is in the arm's own frame, where x turns into world y.
    expect_vec3(after, before.x, before.y + 3, before.z, 1e-5f);
    // Stored points stay as they are; the parent does not move.
    EXPECT_EQ(scene->find("root/arm/tip")->geometry.points[0].anchor.x, 1.0f);
    expect_vec3(vec3{0, 0, 0} * shape("root").get_world_matrix(), 10, 0, 0);
    EXPECT_EQ(scene->writes().back().operation, "shape.apply_transformation");
    EXPECT_EQ(scene->writes().back().values.size(), 16u);
}

TEST(SceneLinks, LinkedShapesArePerComponentAndCopiedWithinCapacity) {
    auto scene = load(R"({"shapes": [
        {"name": "j", "type": "part", "part": "rotator", "linked_joint": ["a", "b"],
         "linked_skin": ["c"]},
        {"name": "a", "type": "sphere"}, {"name": "b", "type": "disk"},
        {"name": "c", "type": "part", "part": "simple"}]})");
    shape_class& j = scene->find("j")->iface();
    tq::uuid_class const joint_window(0x50090010u), skin_window(0x50090082u);
    EXPECT_EQ(j.get_linked_shapes(joint_window, nullptr, 0), 2);
    EXPECT_EQ(j.get_linked_shapes(skin_window, nullptr, 0), 1);
    EXPECT_EQ(j.get_linked_shapes(tq::uuid_class(0x50030010u), nullptr, 0), 0);
    shape_class* buffer[3] = {nullptr, nullptr, nullptr};
    EXPECT_EQ(j.get_linked_shapes(joint_window, buffer, 1), 2);
    EXPECT_EQ(buffer[0], &scene->find("a")->iface());
    EXPECT_EQ(buffer[1], nullptr);
    EXPECT_EQ(j.get_linked_shapes(joint_window, buffer, 3), 2);
    EXPECT_EQ(buffer[1], &scene->find("b")->iface());
    EXPECT_EQ(buffer[2], nullptr);
    // All four words are compared: a near miss finds nothing.
    tq::uuid_class near_miss = joint_window;
    near_miss.word[3] ^= 1;
    EXPECT_EQ(j.get_linked_shapes(near_miss, nullptr, 0), 0);
}

}  // namespace
