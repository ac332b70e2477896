// Host-side edits the runner makes: moving a point, deleting a shape with its subtree.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <tuple>

#include "scene/scene_edits.h"
#include "scene_fixture.h"

namespace {

using scene_test::expect_vec3;
using scene_test::load;

char const* const edit_scene = R"({"shapes": [
  {"name": "body", "type": "part", "part": "simple", "children": [
    {"name": "wing", "type": "part", "part": "surface", "children": [
      {"name": "l0", "type": "line", "points": [
        {"anchor": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0]}, {"anchor": [4, 0, 0]}]}]},
    {"name": "ball", "type": "sphere", "center": [1, 1, 1]}]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [0, 0, 0],
   "second_point": [0, 0, 10], "linked_joint": ["body/ball", "other"], "linked_skin": ["body"]},
  {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 5]},
  {"name": "copy", "type": "part", "part": "link", "link_target": "body/wing"},
  {"name": "other", "type": "disk"}],
  "active": "body/wing/l0"})";

class SceneEdits : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene = load(edit_scene);
    shape_class& shape(char const* path) { return scene->find(path)->iface(); }
};

TEST_F(SceneEdits, MovingAnAnchorCarriesItsHandles) {
    host::move_point(*scene, "body/wing/l0", 0, {2, 3, 0});
    auto const& cp = scene->find("body/wing/l0")->geometry.points[0];
    expect_vec3(cp.anchor, 2, 3, 0);
    expect_vec3(cp.in, 1, 3, 0);
    expect_vec3(cp.out, 3, 3, 0);
}

TEST_F(SceneEdits, MovingJointPointsKeepsTheirStoredMeaning) {
    host::move_point(*scene, "rot", 0, {0, 0, 4});  // the end point stays at (0, 0, 10)
    expect_vec3(scene->find("rot")->geometry.second, 0, 0, 6);
    host::move_point(*scene, "rot", 1, {5, 0, 4});
    expect_vec3(scene->find("rot")->geometry.second, 5, 0, 0);
    host::move_point(*scene, "cam", 1, {1, 2, 3});
    expect_vec3(scene->find("cam")->geometry.target, 1, 2, 3);
}

TEST_F(SceneEdits, APartIndexMovesThePointOfTheHoldingShape) {
    std::vector<std::vector<shape_class*>> notices;
    scene->set_modification_listener(
        [&](std::vector<shape_class*> const& shapes) { notices.push_back(shapes); });
    host::move_point(*scene, "body", 2, {7, 7, 7});  // wing's two points, then the ball
    expect_vec3(scene->find("body/ball")->geometry.center, 7, 7, 7);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], std::vector<shape_class*>{&shape("body/ball")});
}

TEST_F(SceneEdits, MovesToNoPointOrToNonFinitePositionsAreRefused) {
    EXPECT_THROW(host::move_point(*scene, "body/wing/l0", 2, {0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(host::move_point(*scene, "body/ball", 1, {0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(host::move_point(*scene, "body", 3, {0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(host::move_point(*scene, "nowhere", 0, {0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(host::move_point(*scene, "body/ball", 0, {0, std::nanf(""), 0}), std::invalid_argument);
    expect_vec3(scene->find("body/ball")->geometry.center, 1, 1, 1);
}

TEST_F(SceneEdits, MovingAHandleMovesOnlyThatHandle) {
    host::move_handle(*scene, "body/wing/l0", 0, 2, {5, 6, 7});
    auto const& cp = scene->find("body/wing/l0")->geometry.points[0];
    expect_vec3(cp.out, 5, 6, 7);
    expect_vec3(cp.anchor, 0, 0, 0);
    expect_vec3(cp.in, -1, 0, 0);
    for (auto [path, index, handle] : {std::tuple{"body/wing/l0", 2, 1}, std::tuple{"body/wing/l0", 0, 5},
                                       std::tuple{"body/wing", 0, 1}, std::tuple{"body/ball", 0, 1}})
        EXPECT_THROW(host::move_handle(*scene, path, index, handle, {0, 0, 0}), std::invalid_argument)
            << path << " " << index << " " << handle;
    EXPECT_THROW(host::move_handle(*scene, "body/wing/l0", 0, 1, {NAN, 0, 0}), std::invalid_argument);
}

TEST_F(SceneEdits, DeletingAShapeHandsOverItsSubtreeBeforeFreeingIt) {
    std::vector<std::string> seen;
    auto subtree = scene->subtree("body");
    auto gone = scene->delete_shape("body", [&](std::vector<shape_class*> const& shapes) {
        // Still alive and still in the scene here.
        for (shape_class* s : shapes) seen.push_back(host::shape_node::from(s)->path());
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"body", "body/wing", "body/wing/l0", "body/ball"}));
    ASSERT_EQ(gone.size(), 4u);
    EXPECT_EQ(gone[0], subtree[0]);
    EXPECT_EQ(scene->find("body"), nullptr);
    EXPECT_EQ(scene->roots().size(), 4u);
}

TEST_F(SceneEdits, DeletingDropsEveryReferenceTheSceneHeldToTheSubtree) {
    scene->find("cam")->iface().as_part()->select_as_camera();
    scene->delete_shape("body");
    EXPECT_EQ(scene->get_active_shape(), nullptr);
    EXPECT_EQ(shape("copy").as_part()->link_target(), nullptr);
    EXPECT_EQ(shape("copy").point_count(), 0);
    tq::uuid_class const joint_window(0x50090010u), skin_window(0x50090082u);
    shape_class* linked[2] = {nullptr, nullptr};
    EXPECT_EQ(shape("rot").get_linked_shapes(joint_window, linked, 2), 1);
    EXPECT_EQ(linked[0], &shape("other"));
    EXPECT_EQ(shape("rot").get_linked_shapes(skin_window, nullptr, 0), 0);
    // A camera that survives keeps the current index; a deleted one resets it to 0.
    int cam_index = scene->find("cam")->camera_index;
    EXPECT_EQ(scene->get_camera_index(), cam_index);
    scene->delete_shape("cam");
    EXPECT_EQ(scene->get_camera_index(), 0);
    EXPECT_EQ(scene->get_camera(), &scene->default_camera());
}

TEST_F(SceneEdits, AJointViewHeldAcrossDeletionRefusesInsteadOfTouchingFreedMemory) {
    joint_interface* view = shape("rot").rotator_joint();
    scene->delete_shape("rot");
    EXPECT_THROW(view->get_first_point(), host::host_error);
    EXPECT_THROW(view->set_first_point({0, 0, 0}), host::host_error);
    view->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(SceneEdits, SiblingsCloseRanksAfterADeletion) {
    scene->delete_shape("body/wing");
    shape_class& body = shape("body");
    EXPECT_EQ(body.first_child(), &shape("body/ball"));
    EXPECT_EQ(shape("body/ball").next_sibling(), body.child_end());
    EXPECT_EQ(body.point_count(), 1);
    EXPECT_EQ(shape("rot").get_sequence_number(), 2);
    EXPECT_THROW(scene->delete_shape("body/wing"), std::invalid_argument);
    // A deletion in the middle of the top level: the walk goes on past the gap.
    scene->delete_shape("cam");
    EXPECT_EQ(shape("rot").next_sibling(), &shape("copy"));
    EXPECT_EQ(shape("copy").next_sibling(), &shape("other"));
}

}  // namespace
