// Writing one point's position by object type, linked shapes dragged along, and the rule
// that the host never receives a non-finite coordinate.
#include <algorithm>
#include <cmath>
#include <limits>

#include "shape_fixture.h"

namespace {

using shape_test::expect_vec3;
using shape_test::shape_layer;

char const* const writing_scene = R"({"shapes": [
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
  {"name": "small", "type": "line", "matrix": [0.5,0,0,0, 0,0.5,0,0, 0,0,0.5,0, 0,0,0,1],
   "points": [{"anchor": [0, 0, 0]}]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [0, 0, 0], "second_point": [0, 0, 10]},
  {"name": "scl", "type": "part", "part": "scale", "first_point": [1, 0, 0], "second_point": [1, 0, 0]},
  {"name": "sld", "type": "part", "part": "slider", "first_point": [1, 0, 0], "second_point": [0, 0, 10]},
  {"name": "uni", "type": "part", "part": "uniscale", "first_point": [0, 4, 0]},
  {"name": "bal", "type": "part", "part": "ball", "pivot": [0, 0, 2]},
  {"name": "lamp", "type": "light", "center": [0, 9, 0]},
  {"name": "orb", "type": "sphere", "center": [3, 3, 3]},
  {"name": "plate", "type": "disk", "center": [0, 0, -1], "matrix": [0,1,0,0, -1,0,0,0, 0,0,1,0, 3,0,0,1]},
  {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 20], "target": [0, 1, 0]},
  {"name": "glow", "type": "part", "part": "light_joint"},
  {"name": "master", "type": "master_surface"}]})";

class PointWriting : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(writing_scene);
    }
    void write(char const* path, int index, vec3 p, bool world = false) {
        wrap(path).set_position(index, p, world);
    }
    vec3 read(char const* path, int index, bool world = false) {
        return wrap(path).get_position(index, world);
    }
    host::shape_geometry const& geometry(char const* path) { return node(path).geometry; }
};

TEST_F(PointWriting, ElementsStoreALocalWriteUnchanged) {
    write("body/curve", 0, {9, 8, 7});
    expect_vec3(geometry("body/curve").points[0].anchor, {9, 8, 7});
    write("body/hull", 0, {1, 2, 3});
    expect_vec3(geometry("body/hull").vertices[0].position, {1, 2, 3});
}

TEST_F(PointWriting, OnlyTheAnchorOfAControlPointIsWritten) {
    vec3 in_before = geometry("body/curve").points[0].in;
    write("body/curve", 0, {9, 8, 7});
    expect_vec3(geometry("body/curve").points[0].in, in_before);
    ASSERT_EQ(scene->writes().size(), 1u);
    EXPECT_EQ(scene->writes()[0].operation, "control_point.set_point_position");
}

TEST_F(PointWriting, AWorldWriteIsReadBackInTheWorld) {
    struct row {
        char const* path;
        int index;
    } const rows[] = {{"body/curve", 0}, {"body/curve", 1}, {"body/hull", 0}, {"body", 1},
                      {"wing", 3},       {"orb", 0},        {"bal", 0},       {"rot", 1}};
    for (auto const& r : rows) {
        SCOPED_TRACE(std::string(r.path) + " index " + std::to_string(r.index));
        write(r.path, r.index, {20, -3, 4.5f}, true);
        expect_vec3(read(r.path, r.index, true), {20, -3, 4.5f}, 1e-5f);
    }
}

TEST_F(PointWriting, ADiskWrittenInTheWorldStoresItsLocalCentre) {
    // The disk is turned a quarter round z and moved by (3, 0, 0).
    write("plate", 0, {3, 2, 5}, true);
    expect_vec3(geometry("plate").center, {2, 0, 5}, 1e-6f);
}

TEST_F(PointWriting, PartsWriteThroughTheFlatNumbering) {
    write("body", 1, {0, 0, 1});
    expect_vec3(geometry("body/curve").points[1].anchor, {0, 0, 1});
    write("body", 2, {5, 5, 5});
    expect_vec3(geometry("body/hull").vertices[0].position, {5, 5, 5});
    write("wing", 3, {1, 2, 9}, true);  // skinned control point: the skin frame applies
    expect_vec3(geometry("wing/c1").points[1].anchor, {1, 2, 4});
}

TEST_F(PointWriting, APartPointThatIsNoVertexOrControlPointWritesNothing) {
    write("body", 3, {0, 0, 0});   // the sphere
    write("body", 4, {0, 0, 0});   // beyond the body
    write("body", -1, {0, 0, 0});
    write("body/curve", 5, {0, 0, 0});  // the host refuses the index
    EXPECT_TRUE(scene->writes().empty());
    expect_vec3(geometry("body/ball").center, {1, 1, 1});
}

TEST_F(PointWriting, MovingARotatorsFirstPointKeepsItsEndPoint) {
    write("rot", 0, {0, 0, 4});
    expect_vec3(geometry("rot").first, {0, 0, 4});
    expect_vec3(geometry("rot").second, {0, 0, 6});
    expect_vec3(read("rot", 1), {0, 0, 10});
}

TEST_F(PointWriting, MovingARotatorsEndPointSetsTheAxis) {
    write("rot", 1, {5, 0, 0});
    expect_vec3(geometry("rot").first, {0, 0, 0});
    expect_vec3(geometry("rot").second, {5, 0, 0});
}

TEST_F(PointWriting, AScaleJointWritesLikeARotator) {
    write("scl", 0, {0, 0, 0});
    expect_vec3(geometry("scl").second, {2, 0, 0});
    write("scl", 4, {0, 3, 0});
    expect_vec3(geometry("scl").first, {0, 0, 0});
    expect_vec3(geometry("scl").second, {0, 3, 0});
}

TEST_F(PointWriting, ASliderWritesItsEndPointItself) {
    write("sld", 0, {2, 0, 0});
    expect_vec3(geometry("sld").first, {2, 0, 0});
    expect_vec3(geometry("sld").second, {0, 0, 10});
    write("sld", 1, {0, 0, 3});
    expect_vec3(geometry("sld").second, {0, 0, 3});
}

TEST_F(PointWriting, SinglePointTypesWriteTheirOnePoint) {
    write("uni", 3, {1, 1, 1});
    expect_vec3(geometry("uni").first, {1, 1, 1});
    write("bal", -1, {2, 2, 2});
    expect_vec3(geometry("bal").pivot, {2, 2, 2});
    write("lamp", 0, {3, 3, 3});
    expect_vec3(geometry("lamp").center, {3, 3, 3});
    write("orb", 1, {4, 4, 4});
    expect_vec3(geometry("orb").center, {4, 4, 4});
    write("plate", 0, {5, 5, 5});
    expect_vec3(geometry("plate").center, {5, 5, 5});
}

TEST_F(PointWriting, TypesWithoutPointsWriteNothing) {
    write("glow", 0, {1, 1, 1});
    write("master", 0, {1, 1, 1});
    Shape_class().set_position(0, {1, 1, 1}, false);
    EXPECT_TRUE(scene->writes().empty());
}

TEST_F(PointWriting, ACameraWriteSetsEyeOrTargetAndLeavesTheCameraAsFound) {
    int before = scene->camera_index();
    int refreshes = scene->refresh_count();
    write("cam", 0, {1, 2, 3});
    write("cam", 1, {4, 5, 6});
    expect_vec3(read("cam", 0), {1, 2, 3});
    expect_vec3(read("cam", 1), {4, 5, 6});
    EXPECT_EQ(scene->camera_index(), before);
    EXPECT_EQ(scene->refresh_count(), refreshes + 2);  // the two reads refresh, the writes not
}

TEST_F(PointWriting, ACameraWriteOpensTheUpdateBracketBeforeSavingTheIndex) {
    scene->set_state_flag(true);
    Shape_class cam = wrap("cam");
    host::faults().reset();
    cam.set_position(1, {4, 5, 6}, false);
    std::vector<std::string> expected = {
        "shape.get_scene",        "scene.begin_update",      "scene.get_camera_index",
        "scene.get_state_flag",   "scene.suspend_state_flag", "shape.as_part",
        "part.select_as_camera",  "scene.get_camera",        "camera.set_target",
        "scene.set_camera_index", "scene.resume_state_flag", "scene.end_update"};
    EXPECT_EQ(host::faults().trace(), expected);
}

// may_write: the wrapped shape's lock, and inside a part the lock of the shape that holds
// the point.
class MayWrite : public shape_layer {};

TEST_F(MayWrite, APointMayBeWrittenWhenNeitherItsShapeNorItsHolderIsLocked) {
    load(R"({"shapes": [
      {"name": "body", "type": "part", "part": "simple", "children": [
        {"name": "open", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
        {"name": "shut", "type": "line", "modifiable": false, "points": [{"anchor": [0, 0, 0]}]},
        {"name": "copy", "type": "part", "part": "link", "link_target": "lone"}]},
      {"name": "lone", "type": "sphere", "modifiable": false},
      {"name": "sealed", "type": "part", "part": "simple", "modifiable": false, "children": [
        {"name": "open", "type": "line", "points": [{"anchor": [0, 0, 0]}]}]}]})");
    struct row {
        char const* why;
        char const* path;
        int index;
        bool writable;
    } const rows[] = {{"a point of an open child", "body", 0, true},
                      {"a point held by a locked child", "body", 1, false},
                      {"a negative index asks the part alone", "body", -1, true},
                      {"inside a link, which is not followed: no holder", "body", 2, true},
                      {"past the part's points: no holder", "body", 3, true},
                      {"a locked part, whatever its child", "sealed", 0, false},
                      {"a locked shape", "lone", 0, false}};
    for (auto const& r : rows) EXPECT_EQ(wrap(r.path).may_write(r.index), r.writable) << r.why;
    EXPECT_FALSE(Shape_class().may_write(0));
}

// Non-finite positions: nothing of the write reaches the host.
TEST_F(PointWriting, NonFinitePositionsAreNotWritten) {
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const inf = std::numeric_limits<float>::infinity();
    for (char const* path : {"body/curve", "body/hull", "body", "rot", "sld", "bal", "orb", "cam"}) {
        write(path, 0, {nan, 0, 0});
        write(path, 0, {0, inf, 0}, true);
        write(path, 0, invalid_position());
    }
    write("rot", 1, {0, 0, -inf});
    EXPECT_TRUE(scene->writes().empty());
}

TEST_F(PointWriting, APositionThatOverflowsInTheFrameConversionIsNotWritten) {
    // The line is scaled by 0.5, so its local frame doubles a world coordinate.
    write("small", 0, {3e38f, 0, 0}, true);
    EXPECT_TRUE(scene->writes().empty());
    expect_vec3(geometry("small").points[0].anchor, {0, 0, 0});
}

TEST_F(PointWriting, AnAxisThatWouldOverflowIsNotWritten) {
    node("rot").geometry.first = {-3e38f, 0, 0};
    node("rot").geometry.second = {0, 0, 0};
    write("rot", 1, {3e38f, 0, 0});  // axis = end - first overflows
    write("rot", 0, {3e38f, 0, 0});  // axis = old end - new first overflows
    EXPECT_TRUE(scene->writes().empty());
}

// Linked shapes follow point 0.
char const* const linked_scene = R"({"shapes": [
  {"name": "a", "type": "sphere", "center": [0, 0, 0]},
  {"name": "b", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
  {"name": "rig", "type": "part", "part": "simple", "children": [
    {"name": "c1", "type": "sphere"}, {"name": "c2", "type": "disk"}]},
  {"name": "lone", "type": "sphere"},
  {"name": "arm", "type": "part", "part": "ball", "pivot": [1, 1, 1],
   "linked_joint": ["a", "b"], "linked_skin": ["rig", "lone"]},
  {"name": "rail", "type": "part", "part": "slider", "first_point": [0, 0, 0], "second_point": [0, 5, 0],
   "linked_joint": ["a"]},
  {"name": "rot", "type": "part", "part": "rotator", "first_point": [0, 0, 0], "second_point": [0, 0, 10],
   "linked_joint": ["a"]},
  {"name": "free", "type": "part", "part": "ball", "pivot": [0, 0, 0]}]})";

class LinkedShapes : public PointWriting {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(linked_scene);
    }
    vec3 offset(char const* path) {
        auto const& m = geometry(path).local.m;
        return vec3{m[3][0], m[3][1], m[3][2]};
    }
};

TEST_F(LinkedShapes, LinkedShapesMoveByTheDisplacementOfPointZero) {
    write("arm", 0, {4, 3, 1});
    expect_vec3(geometry("arm").pivot, {4, 3, 1});
    for (char const* moved : {"a", "b", "rig/c1", "rig/c2", "lone"}) {
        SCOPED_TRACE(moved);
        expect_vec3(offset(moved), {3, 2, 0});
    }
    // A part in the skin list moves through its children, not itself.
    expect_vec3(offset("rig"), {0, 0, 0});
}

TEST_F(LinkedShapes, ARotatorsLinkedShapesFollowItsFirstPoint) {
    write("rot", 0, {0, 0, 4});
    expect_vec3(offset("a"), {0, 0, 4});
}

TEST_F(LinkedShapes, ASecondPointMovesAlone) {
    write("rail", 1, {0, 9, 0});
    write("rot", 1, {7, 0, 0});
    expect_vec3(geometry("rail").second, {0, 9, 0});
    expect_vec3(geometry("rot").second, {7, 0, 0});
    expect_vec3(offset("a"), {0, 0, 0});
}

TEST_F(LinkedShapes, WithoutLinkedShapesPointZeroIsNotRead) {
    Shape_class free_joint = wrap("free");
    host::faults().reset();
    free_joint.set_position(0, {1, 2, 3}, false);
    auto const& trace = host::faults().trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "joint.get_pivot"), 0);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "shape.apply_transformation"), 0);
    expect_vec3(geometry("free").pivot, {1, 2, 3});
}

TEST_F(LinkedShapes, AnUnreadablePointZeroWritesNothing) {
    Shape_class arm = wrap("arm");
    host::faults().fail_operation("joint.get_pivot", 1);
    arm.set_position(0, {4, 3, 1}, false);
    EXPECT_TRUE(host::faults().fired());
    EXPECT_TRUE(scene->writes().empty());
    expect_vec3(geometry("arm").pivot, {1, 1, 1});
}

TEST_F(LinkedShapes, AFailureHalfWayKeepsWhatWasAlreadyMoved) {
    Shape_class arm = wrap("arm");
    host::faults().fail_operation("shape.apply_transformation", 2);
    arm.set_position(0, {4, 3, 1}, false);
    EXPECT_TRUE(host::faults().fired());
    expect_vec3(offset("a"), {3, 2, 0});
    expect_vec3(offset("b"), {0, 0, 0});
    expect_vec3(geometry("arm").pivot, {1, 1, 1});
}

}  // namespace
