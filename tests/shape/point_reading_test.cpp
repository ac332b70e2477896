// Reading one point's position by object type, in the local frame and in the world.
#include "shape_fixture.h"

namespace {

using shape_test::expect_vec3;
using shape_test::shape_layer;

char const* const reading_scene = R"({"state_flag": true, "shapes": [
  {"name": "body", "type": "part", "part": "simple", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1],
   "children": [
    {"name": "curve", "type": "line", "matrix": [2,0,0,0, 0,2,0,0, 0,0,2,0, 0,1,0,1],
     "points": [{"anchor": [1, 2, 3]},
                {"anchor": [4, 5, 6], "skin": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,5,1]}]},
    {"name": "hull", "type": "polygon_mesh", "vertices": [[7, 8, 9]]},
    {"name": "ball", "type": "sphere", "center": [1, 1, 1]}]},
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "c0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}]},
    {"name": "c1", "type": "line", "points": [{"anchor": [0, 2, 0]},
      {"anchor": [1, 2, 0], "skin": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,5,1]}]}]},
  {"name": "copy", "type": "part", "part": "link", "link_target": "wing"},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10],
   "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,100,0,1]},
  {"name": "sld", "type": "part", "part": "slider", "first_point": [1, 0, 0], "second_point": [0, 0, 10]},
  {"name": "scl", "type": "part", "part": "scale", "first_point": [1, 0, 0], "second_point": [1, 0, 0]},
  {"name": "uni", "type": "part", "part": "uniscale", "first_point": [0, 4, 0]},
  {"name": "bal", "type": "part", "part": "ball", "pivot": [0, 0, 2]},
  {"name": "lamp", "type": "light", "center": [0, 9, 0]},
  {"name": "orb", "type": "sphere", "center": [3, 3, 3], "skin": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,-3,1]},
  {"name": "plate", "type": "disk", "center": [0, 0, -1]},
  {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 20], "target": [0, 1, 0],
   "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,0,1]},
  {"name": "cam2", "type": "part", "part": "camera", "eye": [9, 9, 9], "target": [8, 8, 8]},
  {"name": "glow", "type": "part", "part": "light_joint"},
  {"name": "master", "type": "master_surface"}]})";

class PointReading : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(reading_scene);
    }
    vec3 read(char const* path, int index, bool world = false) {
        return wrap(path).get_position(index, world);
    }
};

TEST_F(PointReading, ALineGivesTheStoredAnchorOrItsWorldImage) {
    expect_vec3(read("body/curve", 0), {1, 2, 3});
    // Line scaled by 2 and moved by (0, 1, 0) inside the body moved by (10, 0, 0).
    expect_vec3(read("body/curve", 0, true), {12, 5, 6});
    // A skinned control point converts with its skin.
    expect_vec3(read("body/curve", 1, true), {4, 5, 11});
}

TEST_F(PointReading, APolygonMeshGivesItsVertex) {
    expect_vec3(read("body/hull", 0), {7, 8, 9});
    expect_vec3(read("body/hull", 0, true), {17, 8, 9});
}

TEST_F(PointReading, PartsReadThroughTheFlatNumbering) {
    expect_vec3(read("body", 1), {4, 5, 6});
    expect_vec3(read("body", 0, true), {12, 5, 6});
    expect_vec3(read("body", 2, true), {17, 8, 9});
    // A surface part runs over its lines' control points; frames are per control point.
    expect_vec3(read("wing", 2), {0, 2, 0});
    expect_vec3(read("wing", 3, true), {1, 2, 5});
}

TEST_F(PointReading, APartPointThatIsNoVertexOrControlPointIsInvalid) {
    EXPECT_TRUE(is_invalid_position(read("body", 3)));   // the sphere
    EXPECT_TRUE(is_invalid_position(read("body", 4)));   // beyond the body's points
    EXPECT_TRUE(is_invalid_position(read("body", -1)));
    EXPECT_TRUE(is_invalid_position(read("copy", 0)));   // links are not followed
}

TEST_F(PointReading, OutOfRangeElementsGiveTheInvalidPosition) {
    EXPECT_TRUE(is_invalid_position(read("body/curve", 2)));
    EXPECT_TRUE(is_invalid_position(read("body/curve", -1, true)));
    EXPECT_TRUE(is_invalid_position(read("body/hull", 1)));
}

TEST(InvalidPosition, OnlyAllThreeComponentsTogetherMarkIt) {
    // A point that only partly carries the mark is a point the host gave: it is shown.
    EXPECT_TRUE(is_invalid_position(invalid_position()));
    for (int axis = 0; axis < 3; ++axis) {
        vec3 partly = invalid_position();
        float* parts[3] = {&partly.x, &partly.y, &partly.z};
        *parts[axis] = 0;
        EXPECT_FALSE(is_invalid_position(partly)) << "axis " << axis;
    }
}

TEST_F(PointReading, RotatorAndScaleEndPointsAreFirstPointPlusAxis) {
    expect_vec3(read("rot", 0), {1, 2, 3});
    expect_vec3(read("rot", 1), {1, 2, 13});
    expect_vec3(read("scl", 0), {1, 0, 0});
    expect_vec3(read("scl", 1), {2, 0, 0});
    expect_vec3(read("scl", 5), {2, 0, 0});
}

TEST_F(PointReading, ASliderStoresItsEndPointItself) {
    expect_vec3(read("sld", 0), {1, 0, 0});
    expect_vec3(read("sld", 1), {0, 0, 10});
}

TEST_F(PointReading, JointsConvertWithTheShapesFrame) {
    expect_vec3(read("rot", 0, true), {1, 102, 3});
    expect_vec3(read("rot", 1, true), {1, 102, 13});
}

TEST_F(PointReading, SinglePointTypesGiveTheSameValueForEveryIndex) {
    struct row {
        char const* path;
        vec3 local;
        vec3 world;
    } const rows[] = {{"uni", {0, 4, 0}, {0, 4, 0}},
                      {"bal", {0, 0, 2}, {0, 0, 2}},
                      {"lamp", {0, 9, 0}, {0, 9, 0}},
                      {"orb", {3, 3, 3}, {3, 3, 0}},  // skinned as a whole
                      {"plate", {0, 0, -1}, {0, 0, -1}}};
    for (auto const& r : rows)
        for (int index : {-1, 0, 1, 7}) {
            SCOPED_TRACE(std::string(r.path) + " index " + std::to_string(index));
            expect_vec3(read(r.path, index), r.local);
            expect_vec3(read(r.path, index, true), r.world);
        }
}

TEST_F(PointReading, TypesWithoutPointsGiveTheInvalidPosition) {
    EXPECT_TRUE(is_invalid_position(read("glow", 0)));
    EXPECT_TRUE(is_invalid_position(read("master", 0)));
    EXPECT_TRUE(is_invalid_position(Shape_class().get_position(0, false)));
}

TEST_F(PointReading, ACameraJointReadsItsEyeAndTargetAndLeavesTheCameraAsFound) {
    scene->set_camera_index(node("cam2").camera_index);
    int before = scene->camera_index();
    int refreshes = scene->refresh_count();
    expect_vec3(read("cam", 0), {0, 0, 20});
    expect_vec3(read("cam", 1), {0, 1, 0});
    expect_vec3(read("cam", 1, true), {5, 1, 0});
    EXPECT_EQ(scene->camera_index(), before);
    EXPECT_EQ(scene->refresh_count(), refreshes + 3);
    // The state flag was on: suspended and resumed around each read.
    EXPECT_EQ(scene->suspend_count(), 3);
    EXPECT_EQ(scene->resume_count(), 3);
    EXPECT_TRUE(scene->state_flag_value());
}

TEST_F(PointReading, ACameraReadFollowsTheProcedureInOrder) {
    Shape_class cam = wrap("cam");
    host::faults().reset();
    cam.get_position(0, false);
    std::vector<std::string> expected = {
        "shape.get_scene",         "scene.get_camera_index",   "scene.begin_update",
        "scene.get_state_flag",    "scene.suspend_state_flag", "shape.as_part",
        "part.select_as_camera",   "scene.get_camera",         "camera.get_eye",
        "scene.set_camera_index",  "scene.resume_state_flag",  "scene.end_update",
        "scene.refresh"};
    EXPECT_EQ(host::faults().trace(), expected);
}

TEST_F(PointReading, AFailedCameraReadStillRestoresTheScene) {
    int before = scene->camera_index();
    Shape_class cam = wrap("cam");
    host::faults().fail_operation("camera.get_eye", 1);
    EXPECT_TRUE(is_invalid_position(cam.get_position(0, false)));
    EXPECT_TRUE(host::faults().fired());
    EXPECT_EQ(scene->camera_index(), before);
    EXPECT_TRUE(scene->updates_balanced());
    EXPECT_TRUE(scene->state_flag_balanced());
}

}  // namespace
