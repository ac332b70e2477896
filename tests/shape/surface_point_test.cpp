// Surface points: a control point with its handles and link flags, read and written as one
// value in its local frame or in the world.
#include <limits>

#include "shape_fixture.h"

namespace {

using shape_test::expect_vec3;
using shape_test::shape_layer;

char const* const surface_scene = R"({"shapes": [
  {"name": "curve", "type": "line", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1],
   "points": [
     {"anchor": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0], "l_in": [0, -1, 0], "l_out": [0, 1, 0],
      "linked": true, "l_linked": false},
     {"anchor": [4, 0, 0], "l_linked": true, "skin": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,5,1]},
     {"anchor": [8, 0, 0]}]},
  {"name": "wing", "type": "part", "part": "surface", "children": [
    {"name": "c0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}]},
    {"name": "c1", "type": "line", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,7,0,1],
     "points": [{"anchor": [0, 2, 0]}, {"anchor": [1, 2, 0], "in": [1, 1, 0]}, {"anchor": [2, 2, 0]}]}]},
  {"name": "body", "type": "part", "part": "simple", "children": [
    {"name": "mesh", "type": "polygon_mesh", "vertices": [[0,0,0],[1,0,0],[2,0,0],[3,0,0],[4,0,0],[5,0,0],[6,0,0],[7,0,0]]},
    {"name": "line", "type": "line", "points": [{"anchor": [3, 3, 3], "out": [4, 3, 3]}]}]},
  {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0]]},
  {"name": "tiny", "type": "line", "matrix": [0.5,0,0,0, 0,0.5,0,0, 0,0,0.5,0, 0,0,0,1],
   "points": [{"anchor": [0, 0, 0]}]},
  {"name": "rot", "type": "part", "part": "rotator"}]})";

class SurfacePoints : public shape_layer {
protected:
    void SetUp() override {
        shape_layer::SetUp();
        load(surface_scene);
    }
};

TEST_F(SurfacePoints, WhichIndicesAreSurfacePoints) {
    for (char const* path : {"curve", "wing", "body", "mesh", "rot"})
        EXPECT_FALSE(wrap(path).is_surface_point(-1)) << path;
    // Lines and surface parts make no range check.
    EXPECT_TRUE(wrap("curve").is_surface_point(1000));
    EXPECT_TRUE(wrap("wing").is_surface_point(4));
    EXPECT_FALSE(wrap("mesh").is_surface_point(0));
    EXPECT_FALSE(wrap("rot").is_surface_point(0));
    // A Simple part asks the holding shape.
    Shape_class body = wrap("body");
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(body.is_surface_point(i)) << "vertex " << i;
    EXPECT_TRUE(body.is_surface_point(8));
    EXPECT_FALSE(body.is_surface_point(9));
}

TEST_F(SurfacePoints, ALocalReadFillsAllSevenMembers) {
    Surface_point p{};
    ASSERT_TRUE(wrap("curve").get_surface_point(0, p, false));
    expect_vec3(p.anchor, {0, 0, 0});
    expect_vec3(p.in_handle, {-1, 0, 0});
    expect_vec3(p.out_handle, {1, 0, 0});
    expect_vec3(p.l_in_handle, {0, -1, 0});
    expect_vec3(p.l_out_handle, {0, 1, 0});
    EXPECT_TRUE(p.linked);
    EXPECT_FALSE(p.l_linked);
}

TEST_F(SurfacePoints, AWorldReadConvertsEveryPositionWithTheElementsFrame) {
    Surface_point p{};
    ASSERT_TRUE(wrap("curve").get_surface_point(0, p, true));
    expect_vec3(p.anchor, {10, 0, 0});
    expect_vec3(p.in_handle, {9, 0, 0});
    expect_vec3(p.l_out_handle, {10, 1, 0});
    EXPECT_TRUE(p.linked);
    // A skinned control point uses its skin, not the line's matrix.
    ASSERT_TRUE(wrap("curve").get_surface_point(1, p, true));
    expect_vec3(p.anchor, {4, 0, 5});
    expect_vec3(p.out_handle, {4, 0, 5});
    EXPECT_TRUE(p.l_linked);
}

TEST_F(SurfacePoints, ASurfacePartAddressesControlPointsLineAfterLine) {
    // Three control points per line: control point 1 of line 1 is index 1 * 3 + 1.
    Surface_point p{};
    ASSERT_TRUE(wrap("wing").get_surface_point(4, p, false));
    expect_vec3(p.anchor, {1, 2, 0});
    expect_vec3(p.in_handle, {1, 1, 0});
    ASSERT_TRUE(wrap("wing").get_surface_point(4, p, true));  // the line c1's frame
    expect_vec3(p.anchor, {1, 9, 0});
}

TEST_F(SurfacePoints, ASimplePartReadsTheLineBehindItsFlatIndex) {
    Surface_point p{};
    ASSERT_TRUE(wrap("body").get_surface_point(8, p, false));
    expect_vec3(p.out_handle, {4, 3, 3});
    EXPECT_FALSE(wrap("body").get_surface_point(3, p, false));  // a vertex
    EXPECT_FALSE(wrap("body").get_surface_point(9, p, false));
}

TEST_F(SurfacePoints, ReadsThatCannotBeDoneAnswerFalse) {
    Surface_point p{};
    EXPECT_FALSE(wrap("curve").get_surface_point(1000, p, false));
    EXPECT_FALSE(wrap("mesh").get_surface_point(0, p, false));
    EXPECT_FALSE(wrap("rot").get_surface_point(0, p, true));
    EXPECT_FALSE(Shape_class().get_surface_point(0, p, false));
}

TEST_F(SurfacePoints, ALocalWriteStoresAllSevenMembersInOrder) {
    Surface_point p{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, false, true};
    Shape_class curve = wrap("curve");
    host::faults().reset();
    ASSERT_TRUE(curve.set_surface_point(2, p, false));
    auto const& stored = node("curve").geometry.points[2];
    expect_vec3(stored.anchor, {1, 1, 1});
    expect_vec3(stored.in, {2, 2, 2});
    expect_vec3(stored.out, {3, 3, 3});
    expect_vec3(stored.l_in, {4, 4, 4});
    expect_vec3(stored.l_out, {5, 5, 5});
    EXPECT_FALSE(stored.linked);
    EXPECT_TRUE(stored.l_linked);
    std::vector<std::string> operations;
    for (auto const& op : host::faults().trace())
        if (op.rfind("control_point.set_", 0) == 0) operations.push_back(op);
    EXPECT_EQ(operations, (std::vector<std::string>{
                              "control_point.set_point_position", "control_point.set_in_handle",
                              "control_point.set_out_handle", "control_point.set_l_in_handle",
                              "control_point.set_l_out_handle", "control_point.set_linked",
                              "control_point.set_l_linked"}));
}

TEST_F(SurfacePoints, AWorldReadWrittenBackInTheWorldChangesNothing) {
    for (auto [path, index] : {std::pair<char const*, int>{"curve", 0}, {"curve", 1},
                               {"wing", 4}, {"body", 8}}) {
        SCOPED_TRACE(std::string(path) + " " + std::to_string(index));
        Shape_class s = wrap(path);
        Surface_point before{}, after{};
        ASSERT_TRUE(s.get_surface_point(index, before, false));
        Surface_point world{};
        ASSERT_TRUE(s.get_surface_point(index, world, true));
        ASSERT_TRUE(s.set_surface_point(index, world, true));
        ASSERT_TRUE(s.get_surface_point(index, after, false));
        expect_vec3(after.anchor, before.anchor, 1e-5f);
        expect_vec3(after.in_handle, before.in_handle, 1e-5f);
        expect_vec3(after.l_out_handle, before.l_out_handle, 1e-5f);
        EXPECT_EQ(after.linked, before.linked);
    }
}

TEST_F(SurfacePoints, AWorldWriteIsStoredInTheElementsFrame) {
    Surface_point p{{14, 0, 0}, {13, 0, 0}, {15, 0, 0}, {14, -1, 0}, {14, 1, 0}, true, true};
    ASSERT_TRUE(wrap("curve").set_surface_point(2, p, true));
    auto const& stored = node("curve").geometry.points[2];
    expect_vec3(stored.anchor, {4, 0, 0});
    expect_vec3(stored.in, {3, 0, 0});
    expect_vec3(stored.l_out, {4, 1, 0});
}

TEST_F(SurfacePoints, NothingOfANonFinitePointIsWritten) {
    Surface_point p{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, invalid_position(), false, true};
    EXPECT_FALSE(wrap("curve").set_surface_point(0, p, false));
    // The line is scaled by 0.5: its local frame doubles 3e38 past the float range.
    Surface_point q{{0, 0, 0}, {0, 0, 0}, {3e38f, 0, 0}, {0, 0, 0}, {0, 0, 0}, false, false};
    EXPECT_FALSE(wrap("tiny").set_surface_point(0, q, true));
    EXPECT_TRUE(scene->writes().empty());
}

TEST_F(SurfacePoints, WritesThatCannotBeDoneAnswerFalseAndWriteNothing) {
    Surface_point p{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, false, true};
    EXPECT_FALSE(Shape_class().set_surface_point(0, p, false));
    EXPECT_FALSE(wrap("body").set_surface_point(9, p, false));  // past the part's last point
    EXPECT_FALSE(wrap("body").set_surface_point(3, p, true));   // a vertex
    EXPECT_FALSE(wrap("mesh").set_surface_point(0, p, false));
    EXPECT_FALSE(wrap("rot").set_surface_point(0, p, false));
    EXPECT_TRUE(scene->writes().empty());
}

TEST_F(SurfacePoints, ANonFiniteCoordinateInAnyOfTheFivePositionsWritesNothing) {
    Surface_point const finite{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, false, true};
    struct row {
        char const* name;
        vec3 Surface_point::*position;
    } const rows[] = {{"anchor", &Surface_point::anchor},
                      {"in", &Surface_point::in_handle},
                      {"out", &Surface_point::out_handle},
                      {"l_in", &Surface_point::l_in_handle},
                      {"l_out", &Surface_point::l_out_handle}};
    for (auto const& r : rows) {
        Surface_point p = finite;
        (p.*r.position).y = std::numeric_limits<float>::quiet_NaN();
        EXPECT_FALSE(wrap("curve").set_surface_point(0, p, false)) << r.name;
        EXPECT_FALSE(is_finite(p)) << r.name;
    }
    EXPECT_TRUE(is_finite(finite));
    EXPECT_TRUE(scene->writes().empty());
}

}  // namespace
