// Joint views (counted, one per hand-out) and the scene cameras that camera joints drive.
#include <gtest/gtest.h>

#include "scene_fixture.h"

namespace {

using scene_test::expect_vec3;
using scene_test::load;

char const* const joint_scene = R"({"shapes": [
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10]},
  {"name": "sld", "type": "part", "part": "slider", "first_point": [0, 0, 0], "second_point": [0, 0, 10]},
  {"name": "scl", "type": "part", "part": "scale", "first_point": [1, 0, 0], "second_point": [1, 0, 0]},
  {"name": "uni", "type": "part", "part": "uniscale", "first_point": [0, 4, 0]},
  {"name": "bal", "type": "part", "part": "ball", "pivot": [0, 0, 2]},
  {"name": "cam1", "type": "part", "part": "camera", "eye": [0, 0, 20], "target": [0, 0, 0]},
  {"name": "cam2", "type": "part", "part": "camera", "eye": [5, 5, 5], "target": [1, 1, 1]},
  {"name": "lamp", "type": "light", "center": [0, 9, 0]}]})";

class SceneJoints : public scene_test::checked_scene {
protected:
    std::unique_ptr<host::scene_model> scene = load(joint_scene);
    shape_class& shape(char const* path) { return scene->find(path)->iface(); }
};

TEST_F(SceneJoints, EachJointOffersOnlyItsOwnView) {
    struct row {
        char const* path;
        joint_interface* (shape_class::*view)(void*);
    } const rows[] = {{"rot", &shape_class::rotator_joint},  {"sld", &shape_class::slider_joint},
                      {"scl", &shape_class::scale_joint},    {"uni", &shape_class::uniscale_joint},
                      {"bal", &shape_class::ball_joint}};
    for (auto const& r : rows)
        for (auto const& other : rows) {
            joint_interface* view = (shape(r.path).*other.view)(nullptr);
            EXPECT_EQ(view != nullptr, r.path == other.path) << r.path << " / " << other.path;
            if (view) view->Release();
        }
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(SceneJoints, JointViewsReadAndWriteTheStoredPoints) {
    joint_interface* rot = shape("rot").rotator_joint();
    expect_vec3(rot->get_first_point(), 1, 2, 3);
    expect_vec3(rot->get_second_point(), 0, 0, 10);  // the axis vector as stored
    rot->set_second_point({0, 0, 6});
    rot->Release();
    expect_vec3(scene->find("rot")->geometry.second, 0, 0, 6);

    joint_interface* uni = shape("uni").uniscale_joint();
    expect_vec3(uni->get_first_point(), 0, 4, 0);
    uni->Release();
    joint_interface* bal = shape("bal").ball_joint();
    bal->set_pivot({1, 1, 1});
    expect_vec3(bal->get_pivot(), 1, 1, 1);
    bal->Release();
}

TEST_F(SceneJoints, JointViewsAreCountedUntilTheirLastRelease) {
    joint_interface* view = shape("sld").slider_joint();
    ASSERT_EQ(host::audit().outstanding().size(), 1u);
    EXPECT_NE(host::audit().outstanding()[0].find("joint view"), std::string::npos);
    view->AddRef();
    view->Release();
    EXPECT_EQ(host::audit().outstanding().size(), 1u);
    view->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
    // Two hand-outs are two objects, each with its own reference.
    joint_interface* a = shape("sld").slider_joint();
    joint_interface* b = shape("sld").slider_joint();
    EXPECT_NE(a, b);
    EXPECT_EQ(host::audit().outstanding().size(), 2u);
    a->Release();
    b->Release();
}

TEST_F(SceneJoints, TheSceneIsCountedWhileThePluginHoldsIt) {
    EXPECT_TRUE(host::audit().outstanding().empty());
    scene_interface* s = shape("lamp").get_scene();
    EXPECT_EQ(s, scene.get());
    ASSERT_EQ(host::audit().outstanding().size(), 1u);
    s->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(SceneJoints, CameraJointsGetTheirOwnCameraIndices) {
    EXPECT_EQ(scene->get_camera_index(), 0);
    int i1 = scene->find("cam1")->camera_index;
    int i2 = scene->find("cam2")->camera_index;
    EXPECT_GT(i1, 0);
    EXPECT_NE(i1, i2);
    EXPECT_EQ(scene->find("rot")->camera_index, -1);
}

TEST_F(SceneJoints, SelectAsCameraMakesTheJointDriveTheCurrentCamera) {
    part_class* cam2 = shape("cam2").as_part();
    cam2->select_as_camera();
    EXPECT_EQ(scene->get_camera_index(), scene->find("cam2")->camera_index);
    camera_class* camera = scene->get_camera();
    expect_vec3(camera->get_eye(), 5, 5, 5);
    expect_vec3(camera->get_target(), 1, 1, 1);
    camera->set_eye({6, 6, 6});
    camera->set_target({2, 2, 2});
    expect_vec3(scene->find("cam2")->geometry.eye, 6, 6, 6);
    expect_vec3(scene->find("cam2")->geometry.target, 2, 2, 2);
    // Back to the scene's own camera: the joint's values stay with the joint.
    scene->set_camera_index(0);
    EXPECT_EQ(scene->get_camera(), &scene->default_camera());
    expect_vec3(scene->get_camera()->get_eye(), 0, 0, 0);
    shape("cam1").as_part()->select_as_camera();
    expect_vec3(scene->get_camera()->get_eye(), 0, 0, 20);
}

TEST_F(SceneJoints, SelectAsCameraOnAnotherPartAndUnknownIndicesAreRefused) {
    EXPECT_THROW(shape("rot").as_part()->select_as_camera(), host::host_error);
    EXPECT_EQ(scene->get_camera_index(), 0);
    scene->set_camera_index(99);
    EXPECT_THROW(scene->get_camera(), host::host_error);
}

TEST_F(SceneJoints, CentresOfLightsSpheresAndDisks) {
    center_class* lamp = shape("lamp").as_light();
    expect_vec3(lamp->get_center(), 0, 9, 0);
    lamp->set_center({1, 2, 3});
    expect_vec3(scene->find("lamp")->geometry.center, 1, 2, 3);
}

}  // namespace
