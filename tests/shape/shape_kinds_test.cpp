// Classifying host shapes into object types, the type names, the surface dad, variable
// points and the first active point.
#include <algorithm>
#include <cstring>

#include "shape_fixture.h"

namespace {

using shape_test::shape_layer;

char const* const every_kind = R"({"shapes": [
  {"name": "simple", "type": "part", "part": "simple"},
  {"name": "surface", "type": "part", "part": "surface"},
  {"name": "rotator", "type": "part", "part": "rotator"},
  {"name": "slider", "type": "part", "part": "slider"},
  {"name": "scale", "type": "part", "part": "scale"},
  {"name": "uniscale", "type": "part", "part": "uniscale"},
  {"name": "light_joint", "type": "part", "part": "light_joint"},
  {"name": "path", "type": "part", "part": "path"},
  {"name": "morph", "type": "part", "part": "morph"},
  {"name": "switch", "type": "part", "part": "switch"},
  {"name": "custom", "type": "part", "part": "custom"},
  {"name": "ball", "type": "part", "part": "ball"},
  {"name": "camera", "type": "part", "part": "camera"},
  {"name": "link", "type": "part", "part": "link"},
  {"name": "light", "type": "light"},
  {"name": "line", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
  {"name": "sphere", "type": "sphere"},
  {"name": "disk", "type": "disk"},
  {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0]]},
  {"name": "master", "type": "master_surface"},
  {"name": "surface_m", "type": "part", "part": "surface_m"},
  {"name": "sound", "type": "part", "part": "sound"},
  {"name": "other", "type": "other"}]})";

struct type_row {
    char const* path;
    int type;
    char const* plain;
    char const* padded;
    bool variable;
    int fixed;
};

type_row const type_table[] = {
    {"simple", 0, "Simple part", "Simple part   ", false, 0},
    {"surface", 1, "Surface part", "Surface part  ", true, 0},
    {"rotator", 2, "Rotator joint", "Rotator joint ", false, 2},
    {"slider", 3, "Slider joint", "Slider joint  ", false, 2},
    {"scale", 4, "Scale joint", "Scale joint   ", false, 2},
    {"uniscale", 5, "Uniscale joint", "Uniscale joint", false, 1},
    {"light_joint", 6, "Light joint", "Light joint   ", false, 0},
    {"path", 7, "Path joint", "Path joint    ", false, 0},
    {"morph", 8, "Morph joint", "Morph joint   ", false, 0},
    {"switch", 9, "SWITCH_JOINT", "Switch_joint  ", false, 0},
    {"custom", 10, "Custom joint", "Custom joint  ", false, 0},
    {"ball", 11, "Ball joint", "Ball joint    ", false, 1},
    {"camera", 12, "Camera joint", "Camera joint  ", false, 2},
    {"link", 13, "Link part", "Link part     ", false, 0},
    {"light", 14, "Light", "Light         ", false, 1},
    {"line", 15, "Line", "Line          ", true, 0},
    {"sphere", 16, "Sphere", "Sphere        ", false, 1},
    {"disk", 17, "Disk", "Disk          ", false, 1},
    {"mesh", 18, "Polygon mesh", "Polygon mesh  ", true, 0},
    {"master", 19, "Master surface", "Master surface", false, 0},
    {"surface_m", 21, "Surface M part", "Surface M part", false, 0},
    {"sound", 23, "Sound part", "Sound part    ", false, 0},
    {"other", 24, "Other", "Other         ", false, 0},
};

class ShapeKinds : public shape_layer {};

TEST_F(ShapeKinds, EveryHostKindMapsToItsObjectTypeNamesAndPointFacts) {
    load(every_kind);
    for (auto const& row : type_table) {
        Shape_class s = wrap(row.path);
        EXPECT_EQ(s.object_type, row.type) << row.path;
        EXPECT_STREQ(s.get_type_name(false), row.plain) << row.path;
        EXPECT_STREQ(s.get_type_name(true), row.padded) << row.path;
        EXPECT_EQ(std::strlen(s.get_type_name(true)), 14u) << row.path;
        EXPECT_EQ(s.variable_points, row.variable) << row.path;
        EXPECT_EQ(s.fixed_point_number, row.fixed) << row.path;
    }
}

TEST_F(ShapeKinds, NamesOfTheTypesNoHostAnswerProduces) {
    // Master image (20) and Image M part (22) exist in the name tables only.
    Shape_class s;
    s.object_type = 20;
    EXPECT_STREQ(s.get_type_name(false), "Master image");
    EXPECT_STREQ(s.get_type_name(true), "Master image  ");
    s.object_type = 22;
    EXPECT_STREQ(s.get_type_name(false), "Image M part");
    EXPECT_STREQ(s.get_type_name(true), "Image M part  ");
}

TEST_F(ShapeKinds, ATypeOutsideTheNameTablesHasAnEmptyName) {
    Shape_class s;  // without a shape the type is -1
    for (int type : {-1, other_shape + 1, 1000}) {
        s.object_type = type;
        EXPECT_STREQ(s.get_type_name(false), "") << "type " << type;
        EXPECT_STREQ(s.get_type_name(true), "") << "type " << type;
    }
}

TEST_F(ShapeKinds, UnknownObjectAndPartKindsAreOther) {
    load(R"({"shapes": []})");
    for (int kind : {0, 1, 9}) {
        Shape_class s(&scene->add_shape(nullptr, "k" + std::to_string(kind), kind).iface());
        EXPECT_EQ(s.object_type, other_shape) << "object kind " << kind;
    }
    Shape_class s(&scene->add_shape(nullptr, "p14", 2, 14).iface());
    EXPECT_EQ(s.object_type, other_shape);
    EXPECT_STREQ(s.get_type_name(false), "Other");
}

TEST_F(ShapeKinds, WithoutAShapeTheTypeIsMinusOneWithNoPoints) {
    Shape_class s;
    EXPECT_EQ(s.object_type, -1);
    EXPECT_FALSE(s.variable_points);
    EXPECT_EQ(s.fixed_point_number, 0);
    EXPECT_EQ(s.first_active_point(), -1);
    EXPECT_FALSE(s.has_variable_points());
}

TEST_F(ShapeKinds, ReclassifyingClearsTheUndoBracketState) {
    load(every_kind);
    Shape_class s = wrap("line");
    s.undo_flag = true;
    s.surface_dad = &host_shape("surface");
    s.shape = &host_shape("sphere");
    EXPECT_EQ(s.set_object_type(), sphere_shape);
    EXPECT_FALSE(s.undo_flag);
    EXPECT_EQ(s.surface_dad, nullptr);
}

TEST_F(ShapeKinds, OnlyALineDirectlyInsideASurfacePartHasASurfaceDad) {
    load(R"({"shapes": [
      {"name": "surf", "type": "part", "part": "surface", "children": [
        {"name": "l", "type": "line", "points": [{"anchor": [0, 0, 0]}]}]},
      {"name": "simple", "type": "part", "part": "simple", "children": [
        {"name": "l", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
        {"name": "m", "type": "polygon_mesh", "vertices": [[0, 0, 0]]}]},
      {"name": "top", "type": "line", "points": [{"anchor": [0, 0, 0]}]}]})");
    EXPECT_EQ(wrap("surf/l").get_surface_dad(), &host_shape("surf"));
    EXPECT_EQ(wrap("simple/l").get_surface_dad(), nullptr);
    EXPECT_EQ(wrap("simple/m").get_surface_dad(), nullptr);
    EXPECT_EQ(wrap("surf").get_surface_dad(), nullptr);
    EXPECT_EQ(wrap("top").get_surface_dad(), nullptr);
}

TEST_F(ShapeKinds, VariablePointsNeedAtLeastOnePoint) {
    load(R"({"shapes": [
      {"name": "empty", "type": "line"},
      {"name": "line", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
      {"name": "ball", "type": "sphere"}]})");
    EXPECT_TRUE(wrap("line").has_variable_points());
    EXPECT_FALSE(wrap("ball").has_variable_points());
    node("empty").active_points = {0};  // a stale selection the host still reports
    Shape_class empty = wrap("empty");
    EXPECT_FALSE(empty.has_variable_points());
    host::faults().reset();
    EXPECT_EQ(empty.first_active_point(), -1);
    auto const& trace = host::faults().trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "shape.get_active_points"), 0);
}

TEST_F(ShapeKinds, AFailedPointCountMeansNoVariablePoints) {
    load(R"({"shapes": [{"name": "line", "type": "line", "points": [{"anchor": [0, 0, 0]}]}]})");
    Shape_class s = wrap("line");
    host::faults().fail_operation("shape.point_count", 1);
    EXPECT_FALSE(s.has_variable_points());
    EXPECT_TRUE(host::faults().fired());
}

TEST_F(ShapeKinds, FirstActivePointIsTheFirstSelectedIndex) {
    load(R"({"shapes": [
      {"name": "line", "type": "line", "active_points": [2, 0],
       "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}]},
      {"name": "idle", "type": "line", "points": [{"anchor": [0, 0, 0]}]},
      {"name": "part", "type": "part", "part": "simple", "active_points": [1], "children": [
        {"name": "a", "type": "sphere"}, {"name": "b", "type": "sphere"}]},
      {"name": "rot", "type": "part", "part": "rotator"}]})");
    node("rot").active_points = {1};
    EXPECT_EQ(wrap("line").first_active_point(), 2);
    EXPECT_EQ(wrap("idle").first_active_point(), -1);
    // A Simple part asks the host although it has no variable points of its own.
    EXPECT_EQ(wrap("part").first_active_point(), 1);
    EXPECT_EQ(wrap("rot").first_active_point(), -1);
}

TEST_F(ShapeKinds, FirstActivePointLetsAHostExceptionThrough) {
    load(R"({"shapes": [{"name": "line", "type": "line", "active_points": [0],
             "points": [{"anchor": [0, 0, 0]}]}]})");
    Shape_class s = wrap("line");
    host::faults().fail_operation("shape.get_active_points", 1);
    EXPECT_THROW(s.first_active_point(), host::host_error);
}

}  // namespace
