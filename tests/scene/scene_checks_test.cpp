// What the host watches: the modification listener, the non-finite-write check, update
// and state-flag brackets, and fault injection on scene operations.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene_fixture.h"

namespace {

using scene_test::load;

char const* const check_scene = R"({"shapes": [
  {"name": "curve", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
  {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0]]},
  {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 9]},
  {"name": "rot", "type": "part", "part": "rotator"},
  {"name": "dot", "type": "disk"}]})";

class SceneChecks : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene = load(check_scene);
    std::vector<std::vector<shape_class*>> notices;
    shape_class& shape(char const* path) { return scene->find(path)->iface(); }
    void listen() {
        scene->set_modification_listener(
            [this](std::vector<shape_class*> const& shapes) { notices.push_back(shapes); });
    }
};

TEST_F(SceneChecks, EveryModifyingOperationNotifiesWithTheChangedShape) {
    listen();
    shape_class& curve = shape("curve");
    control_point_class* cp = curve.control_point_at(1);
    cp->set_point_position({2, 0, 0});
    cp->set_in_handle({2, 1, 0});
    cp->set_out_handle({2, 1, 0});
    cp->set_l_in_handle({2, 1, 0});
    cp->set_l_out_handle({2, 1, 0});
    cp->set_linked(true);
    cp->set_l_linked(true);
    shape("mesh").as_polygon_mesh()->vertex_at(0)->set_point_position({1, 1, 1});
    shape("dot").as_disk()->set_center({1, 1, 1});
    joint_interface* rot = shape("rot").rotator_joint();
    rot->set_first_point({1, 0, 0});
    rot->set_second_point({1, 0, 0});
    rot->set_pivot({1, 0, 0});
    rot->Release();
    shape("curve").apply_transformation(mat4::identity);
    ASSERT_EQ(notices.size(), 13u);
    EXPECT_EQ(notices[0], std::vector<shape_class*>{&curve});
    EXPECT_EQ(notices[7], std::vector<shape_class*>{&shape("mesh")});
    EXPECT_EQ(notices[9], std::vector<shape_class*>{&shape("rot")});
    // Reads notify nothing.
    cp->get_point_position();
    curve.point_count();
    EXPECT_EQ(notices.size(), 13u);
}

TEST_F(SceneChecks, CameraWritesNotifyWithTheirJoint) {
    listen();
    shape("cam").as_part()->select_as_camera();
    scene->get_camera()->set_eye({1, 2, 3});
    scene->get_camera()->set_target({0, 0, 0});
    scene->set_camera_index(0);
    scene->get_camera()->set_eye({1, 2, 3});
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[0], std::vector<shape_class*>{&shape("cam")});
    EXPECT_TRUE(notices[2].empty());  // the scene's own camera belongs to no shape
}

TEST_F(SceneChecks, TheListenerMayReadTheSceneReentrantly) {
    vec3 seen{0, 0, 0};
    scene->set_modification_listener([&](std::vector<shape_class*> const& shapes) {
        seen = shapes.at(0)->control_point_at(0)->get_point_position();
    });
    shape("curve").control_point_at(0)->set_point_position({4, 5, 6});
    EXPECT_EQ(seen.y, 5.0f);
}

TEST_F(SceneChecks, EveryCoordinateWriteIsRecorded) {
    shape("curve").control_point_at(0)->set_point_position({4, 5, 6});
    ASSERT_EQ(scene->writes().size(), 1u);
    auto const& w = scene->writes()[0];
    EXPECT_EQ(w.operation, "control_point.set_point_position");
    EXPECT_EQ(w.shape, &shape("curve"));
    EXPECT_EQ(w.path, "curve");
    EXPECT_EQ(w.values, (std::vector<float>{4, 5, 6}));
    EXPECT_TRUE(w.finite);
    EXPECT_TRUE(w.modifiable);
    EXPECT_FALSE(scene->has_non_finite_write());
}

TEST_F(SceneChecks, NonFiniteWritesAreCountedRefusedAndLeaveTheSceneUnchanged) {
    listen();
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const inf = std::numeric_limits<float>::infinity();
    EXPECT_THROW(shape("curve").control_point_at(0)->set_point_position({nan, 0, 0}),
                 host::host_error);
    EXPECT_THROW(shape("curve").control_point_at(0)->set_l_in_handle({0, -inf, 0}),
                 host::host_error);
    EXPECT_THROW(shape("dot").as_disk()->set_center({0, 0, inf}), host::host_error);
    mat4 bad = mat4::identity;
    bad.m[3][1] = nan;
    EXPECT_THROW(shape("dot").apply_transformation(bad), host::host_error);
    shape("cam").as_part()->select_as_camera();
    EXPECT_THROW(scene->get_camera()->set_target({nan, nan, nan}), host::host_error);
    EXPECT_EQ(scene->non_finite_write_count(), 5);
    EXPECT_TRUE(scene->has_non_finite_write());
    EXPECT_EQ(scene->find("curve")->geometry.points[0].anchor.x, 0.0f);
    EXPECT_EQ(scene->find("dot")->geometry.local.m[3][1], 0.0f);
    EXPECT_TRUE(notices.empty());
    EXPECT_FALSE(scene->writes().back().finite);
    scene->clear_write_log();
    EXPECT_FALSE(scene->has_non_finite_write());
}

TEST_F(SceneChecks, UpdateBracketsNestAndAnUnmatchedEndIsUnbalanced) {
    scene->begin_update();
    scene->begin_update();
    scene->end_update();
    EXPECT_EQ(scene->update_depth(), 1);
    EXPECT_FALSE(scene->updates_balanced());
    scene->end_update();
    EXPECT_TRUE(scene->updates_balanced());
    scene->end_update();
    EXPECT_FALSE(scene->updates_balanced());
    EXPECT_EQ(scene->update_depth(), 0);
    EXPECT_EQ(scene->update_begin_count(), 2);
    EXPECT_EQ(scene->update_end_count(), 3);
    scene->refresh();
    scene->refresh();
    EXPECT_EQ(scene->refresh_count(), 2);
}

TEST_F(SceneChecks, TheStateFlagReadsFalseWhileSuspended) {
    scene->set_state_flag(true);
    EXPECT_TRUE(scene->get_state_flag());
    scene->suspend_state_flag();
    EXPECT_FALSE(scene->get_state_flag());
    EXPECT_FALSE(scene->state_flag_balanced());
    scene->resume_state_flag();
    EXPECT_TRUE(scene->get_state_flag());
    EXPECT_TRUE(scene->state_flag_balanced());
    EXPECT_EQ(scene->suspend_count(), 1);
    EXPECT_EQ(scene->resume_count(), 1);
    scene->resume_state_flag();
    EXPECT_FALSE(scene->state_flag_balanced());
}

TEST_F(SceneChecks, FigureUnitMustBeFiniteAndPositive) {
    scene->set_figure_unit(0.5f);
    EXPECT_EQ(scene->get_figure_unit_factor(), 0.5f);
    EXPECT_THROW(scene->set_figure_unit(0), std::invalid_argument);
    EXPECT_THROW(scene->set_figure_unit(std::nanf("")), std::invalid_argument);
    EXPECT_EQ(scene->figure_unit(), 0.5f);
}

TEST_F(SceneChecks, AnInjectedFaultThrowsBeforeTheOperationActs) {
    host::faults().fail_operation("control_point.set_point_position", 2);
    control_point_class* cp = shape("curve").control_point_at(0);
    cp->set_point_position({1, 1, 1});
    EXPECT_THROW(cp->set_point_position({2, 2, 2}), host::host_error);
    EXPECT_TRUE(host::faults().fired());
    EXPECT_EQ(scene->find("curve")->geometry.points[0].anchor.x, 1.0f);
    cp->set_point_position({3, 3, 3});  // a fault fires once
    EXPECT_EQ(scene->find("curve")->geometry.points[0].anchor.x, 3.0f);
}

TEST_F(SceneChecks, FaultsOnSceneOperationsLeaveItsStateAsItWas) {
    host::faults().fail_operation("scene.begin_update", 1);
    EXPECT_THROW(scene->begin_update(), host::host_error);
    EXPECT_EQ(scene->update_begin_count(), 0);
    host::faults().fail_operation("scene.begin_undo_record", 1);
    shape_class* curve = &shape("curve");
    EXPECT_THROW(scene->begin_undo_record(1, &curve, true, false, 0), host::host_error);
    EXPECT_FALSE(scene->undo_record_open());
    host::faults().fail_operation("shape.get_scene", 1);
    EXPECT_THROW(curve->get_scene(), host::host_error);
    EXPECT_TRUE(host::audit().outstanding().empty());
    host::faults().fail_operation("shape.rotator_joint", 1);
    EXPECT_THROW(shape("rot").rotator_joint(), host::host_error);
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(SceneChecks, EveryHostCallIsTracedUnderItsOperationName) {
    shape_class& curve = shape("curve");
    curve.control_point_at(0)->get_skin()->is_skinned();
    scene->get_camera_index();
    EXPECT_EQ(host::faults().trace(),
              (std::vector<std::string>{"shape.control_point_at", "control_point.get_skin",
                                        "skin.is_skinned", "scene.get_camera_index"}));
}

}  // namespace
