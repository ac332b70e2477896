// Coordinate frames: which matrix converts a point between its element's local frame and
// the world, with and without skins.
#include "shape/required_view.h"
#include "shape_fixture.h"

namespace {

using shape_test::expect_matrix;
using shape_test::shape_layer;

char const* const frames_scene = R"({"shapes": [
  {"name": "body", "type": "part", "part": "simple",
   "matrix": [2, 0, 0, 0,  0, 2, 0, 0,  0, 0, 2, 0,  10, 0, 0, 1], "children": [
    {"name": "curve", "type": "line", "matrix": [0, 1, 0, 0,  -1, 0, 0, 0,  0, 0, 1, 0,  0, 3, 0, 1],
     "points": [{"anchor": [1, 0, 0]},
                {"anchor": [2, 0, 0], "skin": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 5, 1]}]},
    {"name": "hull", "type": "polygon_mesh", "vertices": [
      [0, 0, 0],
      {"position": [1, 1, 1], "skin": [4, 0, 0, 0,  0, 4, 0, 0,  0, 0, 4, 0,  1, 2, 3, 1]},
      {"position": [1, 1, 1], "skin": [0, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  7, 7, 7, 1]}]},
    {"name": "ball", "type": "sphere", "center": [0, 0, 0]},
    {"name": "plate", "type": "disk", "skin": [0, 1, 0, 0,  -1, 0, 0, 0,  0, 0, 1, 0,  3, 3, 3, 1]}]},
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "c0", "type": "line", "matrix": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 9, 1],
     "points": [{"anchor": [0, 0, 0]},
                {"anchor": [1, 0, 0], "skin": [1, 0, 0, 0,  0, 1, 0, 0,  0, 0, 1, 0,  0, 0, 5, 1]}]}]},
  {"name": "copy", "type": "part", "part": "link", "link_target": "body"}]})";

mat4 const translate_z5(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1);

class ShapeFrames : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(frames_scene);
    }
    control_point_class& point(char const* line, int i) { return *host_shape(line).control_point_at(i); }
    vertex_class& vertex(char const* mesh, int i) {
        return *host_shape(mesh).as_polygon_mesh()->vertex_at(i);
    }
};

TEST_F(ShapeFrames, AnUnskinnedElementUsesTheShapesOwnMatrices) {
    Shape_class s = wrap("body/curve");
    shape_class& curve = host_shape("body/curve");
    expect_matrix(s.get_world(curve, point("body/curve", 0)), curve.get_world_matrix());
    // The host's inverse, not one computed by the plug-in.
    expect_matrix(s.get_local(curve, point("body/curve", 0)), curve.get_world_to_local_matrix());
    expect_matrix(s.get_world(curve), curve.get_world_matrix());
    expect_matrix(s.get_local(curve), curve.get_world_to_local_matrix());
}

TEST_F(ShapeFrames, ASkinnedElementUsesItsSkinMatrix) {
    Shape_class s = wrap("body/curve");
    shape_class& curve = host_shape("body/curve");
    expect_matrix(s.get_world(curve, point("body/curve", 1)), translate_z5);
    expect_matrix(s.get_local(curve, point("body/curve", 1)), reverse_matrix(translate_z5));

    shape_class& hull = host_shape("body/hull");
    mat4 skin(4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1);
    expect_matrix(s.get_world(hull, vertex("body/hull", 1)), skin);
    expect_matrix(s.get_local(hull, vertex("body/hull", 1)), reverse_matrix(skin));
    expect_matrix(s.get_world(hull, vertex("body/hull", 0)), hull.get_world_matrix());
}

TEST_F(ShapeFrames, ASingularSkinHasTheIdentityAsLocalFrame) {
    Shape_class s = wrap("body/hull");
    shape_class& hull = host_shape("body/hull");
    expect_matrix(s.get_local(hull, vertex("body/hull", 2)), mat4::identity);
    expect_matrix(s.local_matrix(2), mat4::identity);
}

TEST_F(ShapeFrames, ASkinnedShapeAsAWholeUsesItsSkin) {
    Shape_class s = wrap("body/plate");
    shape_class& plate = host_shape("body/plate");
    mat4 skin(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 3, 3, 3, 1);
    expect_matrix(s.get_world(plate), skin);
    expect_matrix(s.local_matrix(0), reverse_matrix(skin));
}

TEST_F(ShapeFrames, LocalMatrixOfVariablePointsIsPerElement) {
    Shape_class curve = wrap("body/curve");
    expect_matrix(curve.local_matrix(0), host_shape("body/curve").get_world_to_local_matrix());
    expect_matrix(curve.local_matrix(1), reverse_matrix(translate_z5));
    Shape_class hull = wrap("body/hull");
    expect_matrix(hull.local_matrix(1),
                  reverse_matrix(mat4(4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1)));
}

TEST_F(ShapeFrames, ASurfacePartConvertsPerControlPoint) {
    Shape_class wing = wrap("wing");
    expect_matrix(wing.local_matrix(0), host_shape("wing/c0").get_world_to_local_matrix());
    expect_matrix(wing.local_matrix(1), reverse_matrix(translate_z5));
}

TEST_F(ShapeFrames, ASimplePartConvertsWithTheHoldingShapesWholeMatrix) {
    // Point 1 of the body is the curve's skinned control point, but the Simple part has no
    // variable points: the curve's own frame applies.
    Shape_class body = wrap("body");
    expect_matrix(body.local_matrix(1), host_shape("body/curve").get_world_to_local_matrix());
    expect_matrix(body.local_matrix(5), host_shape("body/ball").get_world_to_local_matrix());
}

TEST_F(ShapeFrames, SinglePointShapesIgnoreTheIndex) {
    Shape_class ball = wrap("body/ball");
    mat4 own = host_shape("body/ball").get_world_to_local_matrix();
    for (int index : {-1, 0, 1, 99}) expect_matrix(ball.local_matrix(index), own);
}

TEST_F(ShapeFrames, LocalMatrixFallsBackToIdentity) {
    EXPECT_EQ(wrap("body").object_type, simple_part);
    expect_matrix(wrap("body").local_matrix(7), mat4::identity);  // beyond the body's points
    expect_matrix(wrap("body/curve").local_matrix(9), mat4::identity);  // host refuses index
    Shape_class ball = wrap("body/ball");
    host::faults().fail_operation("shape.get_world_to_local_matrix", 1);
    expect_matrix(ball.local_matrix(0), mat4::identity);
    EXPECT_TRUE(host::faults().fired());
    // A link part's points lie in its target, which the flat numbering does not follow.
    expect_matrix(wrap("copy").local_matrix(0), mat4::identity);
}

// The world matrix of a point is the inverse of its local matrix: the same element decides.
TEST_F(ShapeFrames, WorldMatrixOfAPointIsTheFrameItsLocalMatrixInverts) {
    mat4 const hull_skin(4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1);
    mat4 const plate_skin(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 3, 3, 3, 1);
    struct row {
        char const* path;
        int index;
        mat4 world;
    } const rows[] = {
        {"body", 1, host_shape("body/curve").get_world_matrix()},  // a Simple part: whole shapes
        {"body", 5, host_shape("body/ball").get_world_matrix()},
        {"body", 6, plate_skin},                                   // a skinned shape as a whole
        {"wing", 1, translate_z5},                                 // a Surface part: per point
        {"body/curve", 1, translate_z5},
        {"body/hull", 1, hull_skin},
        {"body/ball", 7, host_shape("body/ball").get_world_matrix()},  // the index is ignored
    };
    for (auto const& r : rows) {
        SCOPED_TRACE(std::string(r.path) + " " + std::to_string(r.index));
        Shape_class s = wrap(r.path);
        expect_matrix(s.world_matrix(r.index), r.world);
        expect_matrix(reverse_matrix(s.local_matrix(r.index)), r.world, 1e-5f);
    }
}

TEST_F(ShapeFrames, WorldMatrixOfAnIndexThatNamesNoPointThrows) {
    EXPECT_THROW(wrap("body").world_matrix(7), missing_host_object);  // past the body's points
    EXPECT_THROW(wrap("copy").world_matrix(0), missing_host_object);  // inside the link's target
    EXPECT_THROW(wrap("body/curve").world_matrix(2), host::host_error);
}

TEST_F(ShapeFrames, ElementFramesLetHostExceptionsThrough) {
    Shape_class s = wrap("body/curve");
    shape_class& curve = host_shape("body/curve");
    control_point_class& cp = point("body/curve", 0);
    host::faults().fail_operation("shape.get_world_matrix", 1);
    EXPECT_THROW(s.get_world(curve, cp), host::host_error);
}

}  // namespace
